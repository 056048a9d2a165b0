#pragma once

#include "stock_history.h"

#include <QWidget>

class GraficoStock;
class MaskedDateBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Stock en el tiempo": an article's stock drawn from one day to another, per
// storage place and in all of them, with its minimums and its entries and exits
// per week or month. Opens on the last twelve months; "&Mostrar" draws what the
// boxes say, "&Guardar imagen" writes the picture as PNG or PDF.
class FrmGraficoStock : public QWidget
{
    Q_OBJECT
public:
    explicit FrmGraficoStock(QWidget *parent = nullptr);

    // Draws the article's chart over the span in the boxes.
    void mostrarArticulo(const QString &numero);
    void mostrar();
    void guardarImagen();

    GraficoStock *grafico() const { return grafico_; }
    historiaStock::Periodo periodo() const;

private:
    QLineEdit *t_numero_;
    QLabel *l_nombre_;
    MaskedDateBox *f_desde_;
    MaskedDateBox *f_hasta_;
    QComboBox *cbo_Periodo_;
    QPushButton *b_Mostrar_;
    QPushButton *b_Guardar_;
    QPushButton *b_Salir_;
    GraficoStock *grafico_;
};
