#pragma once

#include <QWidget>

class ListaDepositos;
class Recordset;
class MaskedDateBox;
class QComboBox;
class QPushButton;

// The filter window of "Artículos a reponer": the day ("Al", today when it
// opens) and the storage place, or all of them. "&Imprimir" builds the report
// and shows it in its preview, and lists its articles under "Artículo", where
// "G&ráfico" asks for the chosen one's stock drawn over time; "&Salir" closes the window.
class FrmReponer : public QWidget
{
    Q_OBJECT
public:
    explicit FrmReponer(QWidget *parent = nullptr);

    void imprimir();

signals:
    void graficoPedido(const QString &numero);

private:
    void listarArticulos(const Recordset &filas);

    MaskedDateBox *f_al_;
    ListaDepositos *cbo_Deposito_;
    QPushButton *b_Imprimir_;
    QPushButton *b_Salir_;
    QComboBox *cbo_Articulo_;
    QPushButton *b_Grafico_;
};
