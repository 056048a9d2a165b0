#pragma once

#include "stock_counts.h"

#include <QWidget>

class ListaDepositos;
class MaskedDateBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "Recuento de stock": a physical count of one storage place. The operator opens
// a new count (place, day, article and family ranges) or continues an open one,
// prints the sheet the counters fill ("Planilla de recuento"), enters what was
// counted (article number or scanned code, Enter, quantity, Enter: each line is
// saved at once), looks at the differences ("Diferencias de recuento") and
// applies them, which posts the adjustment vouchers; or discards the count.
// Applied and discarded counts are shown read-only.
//
// The operations are public so that each can be run the way its control runs
// it; the controls run them inside protegido().
class FrmRecuento : public QWidget
{
    Q_OBJECT
public:
    explicit FrmRecuento(QWidget *parent = nullptr);

    // b_Nuevo: opens a count of the place, day and ranges in the boxes.
    void nuevo();
    // cbo_Recuento: continues the open count chosen.
    void cargar(int numero);
    // Enter in t_numero: the article of that number or code, then on to the quantity.
    void articuloPorNumero();
    // Enter in t_Cantidad: the quantity saved into the count's line of the article.
    void anotarLinea();
    void quitarLinea();
    // b_LeerPlanilla: the quantities of a spreadsheet the operator picks.
    void elegirPlanilla();
    // Every good row of the sheet saved as a typed line is; the rows refused are listed first.
    void leerPlanilla(const QString &archivo);
    // b_Actualizar: the lines again, with those other operators entered.
    void actualizar();
    void planilla();
    void diferencias();
    void aplicar();
    void descartar();
    // The count shown; 0 for none.
    int recuento() const { return recuento_.numero; }

signals:
    // After applying: the stock of the counted articles changed.
    void stockCambiado();

private:
    void crearControles();
    void conectar();
    void mostrarAbiertos();
    void mostrar(const recuentos::Recuento &r);
    void mostrarLineas();
    void limpiarLinea();
    // Tells the operator why the count refused; true when it did.
    bool rechazado(recuentos::Rechazo rechazo);
    static QString usuario();

    QComboBox *cbo_Recuento;
    QPushButton *b_Nuevo;
    ListaDepositos *cbo_Deposito;
    MaskedDateBox *t_fecha;
    QLineEdit *t_DesdeNumero, *t_HastaNumero, *t_DesdeFamilia, *t_HastaFamilia;
    QCheckBox *chk_NoContados;
    QCheckBox *chk_ConStock;
    QLabel *l_Estado;
    QLineEdit *t_numero;
    QLineEdit *t_Nombre;
    QLineEdit *t_Cantidad;
    QTableWidget *grilla;
    QLabel *l_Lineas;
    QPushButton *b_Planilla, *b_Diferencias, *b_Aplicar, *b_Descartar, *b_Quitar, *b_Actualizar, *b_LeerPlanilla,
        *b_Salir;

    recuentos::Recuento recuento_;
    // The article in the line fields, once read.
    QString articulo_;
};
