#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace etiquetas {
struct Pedido;
}

// "Etiquetas": labels with the article's name, number and barcode, for the
// articles of a range of numbers, of a family, or for the goods a voucher
// entered (a label per unit). The sheet is picked from the presets, and the
// first free position lets a partly used sheet be used up. Articles without a
// barcode get their in-store one, stored so that the labels scan.
class FrmEtiquetas : public QWidget
{
    Q_OBJECT
public:
    explicit FrmEtiquetas(QWidget *parent = nullptr);

    // b_Vista: the labels in the preview window, from where they are printed or saved as PDF.
    void vistaPrevia();

private:
    void crearControles();
    // What the fields ask for, or false after telling the operator what is wrong.
    bool pedido(etiquetas::Pedido &p);

    QRadioButton *op_Rango_;
    QLineEdit *t_Desde_;
    QLineEdit *t_Hasta_;
    QRadioButton *op_Familia_;
    QLineEdit *t_Familia_;
    QRadioButton *op_Comprobante_;
    QLineEdit *t_Comprobante_;
    QComboBox *cbo_Hoja_;
    QSpinBox *t_Posicion_;
    QPushButton *b_Vista_;
    QPushButton *b_Salir_;
};
