#pragma once

#include "transfer_operations.h"

#include <QWidget>

class ListaDepositos;
class MaskedDateBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "Transferencia entre depósitos": goods leaving one storage place for another
// in one document. The operator picks the date, the origin and the destination,
// writes a note and enters lines of article and quantity as in the voucher
// form; each line is checked against what the origin holds at the date. Saving
// posts the exit and the entry vouchers together (transfer_operations.h); a
// stored transfer is loaded, changed, deleted or printed ("Remito de
// transferencia") as a whole, and once printed it is read-only.
//
// The operations are public so that each can be run the way its control runs
// it; the controls run them inside protegido().
class FrmTransferencia : public QWidget
{
    Q_OBJECT
public:
    explicit FrmTransferencia(QWidget *parent = nullptr);

    // b_Nueva: an empty transfer dated today, out of this computer's place.
    void nueva();
    // b_Cargar: the stored transfer whose number is in t_Transferencia.
    void cargar();
    // t_numero losing the focus: the article of that number, with what the origin holds.
    void articuloPorNumero();
    // b_Consulta: the article picked in the lookup dialog among those whose name holds t_Nombre.
    void articuloPorNombre();
    // b_Agregar: the line of the fields added, or put over the article's line.
    void agregarLinea();
    // b_Quitar: the line selected in the grid taken off.
    void quitarLinea();
    // b_Guardar: posts the transfer, or its change, as a whole.
    void guardar();
    // b_Eliminar: deletes the stored transfer and both its vouchers, once confirmed.
    void eliminar();
    // B_Imprimir: marks the transfer printed and shows its note.
    void imprimir();

signals:
    // A transfer was posted, changed or deleted: the places' stock moved.
    void stockCambiado();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void crearControles();
    void conectar();
    transferencias::Transferencia leerFormulario() const;
    void mostrar(const transferencias::Transferencia &t);
    void mostrarLineas();
    void limpiarLinea();
    void habilitar(bool editable);
    // What the origin holds of the article in the line fields, at the transfer's date.
    double stockEnOrigen() const;
    void avisar(const transferencias::Resultado &r, const transferencias::Transferencia &t);
    // The origin holds less of the article than the line sends.
    static void avisarSinStockEnOrigen(const QString &origen, double hay, const QString &articulo, const QDate &fecha,
                                       double pedida);

    QLineEdit *t_Transferencia;
    QPushButton *b_Cargar;
    QPushButton *b_Nueva;
    MaskedDateBox *t_fecha;
    ListaDepositos *cbo_Origen;
    ListaDepositos *cbo_Destino;
    QLineEdit *t_detalle;
    QLabel *l_Estado;
    QLineEdit *t_numero;
    QLineEdit *t_Nombre;
    QPushButton *b_Consulta;
    QLineEdit *t_Cantidad;
    QLineEdit *t_stock;
    QPushButton *b_Agregar;
    QPushButton *b_Quitar;
    QTableWidget *grilla;
    QLabel *l_Totales;
    QPushButton *b_Guardar;
    QPushButton *b_Eliminar;
    QPushButton *B_Imprimir;
    QPushButton *b_Salir;

    // The stored transfer shown; 0 while a new one is written.
    int numero_ = 0;
    // The lines entered, with the names and costs they are shown with.
    QList<transferencias::Linea> lineas_;
    QStringList nombres_;
    // The stored transfer's lines and origin: its own exit is what the origin
    // gets back when the transfer is changed.
    QList<transferencias::Linea> guardadas_;
    QString origenGuardado_;
    // The family and cost of the article in the line fields.
    QString familia_;
    double costo_ = 0;
};
