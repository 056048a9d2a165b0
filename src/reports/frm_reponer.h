#pragma once

#include <QWidget>

class ListaDepositos;
class MaskedDateBox;
class QPushButton;

// The filter window of "Artículos a reponer": the day ("Al", today when it
// opens) and the storage place, or all of them. "&Imprimir" builds the report
// and shows it in its preview; "&Salir" closes the window.
class FrmReponer : public QWidget
{
    Q_OBJECT
public:
    explicit FrmReponer(QWidget *parent = nullptr);

    void imprimir();

private:
    MaskedDateBox *f_al_;
    ListaDepositos *cbo_Deposito_;
    QPushButton *b_Imprimir_;
    QPushButton *b_Salir_;
};
