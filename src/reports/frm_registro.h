#pragma once

#include <QWidget>

class MaskedDateBox;
class QLineEdit;
class QPushButton;

// The filter window of "Registro de cambios": the days (the last thirty when it
// opens), the operator, the article and the voucher, each left empty for all.
// "&Imprimir" builds the report and shows it in its preview; "&Salir" closes
// the window.
class FrmRegistroCambios : public QWidget
{
    Q_OBJECT
public:
    explicit FrmRegistroCambios(QWidget *parent = nullptr);

    void imprimir();

private:
    MaskedDateBox *f_desde_;
    MaskedDateBox *f_hasta_;
    QLineEdit *t_Operador_;
    QLineEdit *t_Articulo_;
    QLineEdit *t_Comprobante_;
    QPushButton *b_Imprimir_;
    QPushButton *b_Salir_;
};
