#pragma once

#include "movement_statements.h"

#include <QWidget>
#include <memory>

class MaskedDateBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Recordset;

// "Informe de Movimientos por Depósitos": the filters of the movement report (a
// date range, article and family ranges, a storage place, whose name shows
// beside its code). "&Imprimir" selects the articles and shows the report in its
// preview; "&Salir" closes the window.
class InformeVentas : public QWidget
{
    Q_OBJECT
public:
    explicit InformeVentas(QWidget *parent = nullptr);

    // The filters as the boxes hold them now.
    FiltroMovimientos filtro() const;

private:
    void crearControles();
    void imprimir();
    void mostrarNombreDeposito();
    // The report's rows with a progress box that can cancel; null when cancelled.
    std::unique_ptr<Recordset> armarConProgreso(Recordset &articulos, const FiltroMovimientos &filtro);

    MaskedDateBox *f_desde_;
    MaskedDateBox *f_hasta_;
    QLineEdit *t_DesdeNumero_;
    QLineEdit *T_HastaNumero_;
    QLineEdit *T_DesdeFamilia_;
    QLineEdit *T_HastaFamilia_;
    QLineEdit *t_Deposito_;
    QLabel *lbl_NombreDeposito_;
    QPushButton *b_Imprimir_;
    QPushButton *b_Salir_;
};
