#pragma once

#include <QWidget>

class EditableGrid;
class ListaDepositos;
class MaskedDateBox;
class QAbstractButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class Recordset;
namespace sentenciasGrilla {
struct Fila;
}

// "Ingresos e Egreso": the window where the operator records vouchers of goods
// entering or leaving a storage place, one line per article. The place of a
// new voucher is this computer's, or another picked from the list of places
// before its first line is posted. It numbers new vouchers, reopens stored
// ones, finds articles by number or by name, posts lines (recomputing the
// article's stock), deletes vouchers and prints the exit ticket. Apart from the
// number it proposed for a new voucher, it keeps no state of its own: every
// value is read from its fields when an operation runs, and which controls are
// enabled tells where it stands.
//
// Other operators may post into the same database meanwhile: posting, deleting
// and printing go through the stock operations (stock_operations.h), which hold
// the voucher and the article against them; the form turns what they refuse
// into its messages.
//
// The operations are public so that each can be run the way its control runs
// it; the controls run them inside protegido().
class FrmMovim : public QWidget
{
    Q_OBJECT
public:
    // Throws QuendraError when the new voucher cannot be read: no half-built form.
    explicit FrmMovim(QWidget *parent = nullptr);

    // b_NuevoComprobante: the next free number, today's date, no type, an empty
    // note and grid. False when the numbers are used up (nothing changes then).
    bool nuevoComprobante();
    // b_Cargar: the voucher whose number is in t_Comprobante; a printed one is read-only.
    void cargarComprobante();
    // t_numero losing the focus: the article whose number holds the typed digits.
    void articuloPorNumero();
    // b_Consulta: the article picked in the lookup dialog among those whose name holds t_Nombre.
    void articuloPorNombre();
    // b_Nuevo: empties the line fields.
    void limpiar();
    // Reloads the voucher's lines into the grid.
    void MostrarGrilla();

    // b_Guardar: checks the line, writes it and the article's new stock together.
    void guardar();
    // b_Eliminar: after the operator confirms, deletes every line of the voucher
    // whose number is typed, then starts a new one. A printed voucher is kept.
    void eliminarComprobante();
    // B_Imprimir: warns the operator, then ImpSalida.
    void imprimir();
    // Marks the voucher's lines printed and, for an exit, prints its ticket.
    void ImpSalida();

signals:
    // A line was posted or a voucher deleted: some article's stock changed.
    void stockCambiado();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    // Controls, their places and the tab order (frm_movim_layout.cpp).
    void crearControles();
    void ubicarControles();
    void fijarOrdenTabulacion();
    void conectar();

    void cargar();
    void mostrarArticulo(const Recordset &rs);
    // The voucher's edit fields and its buttons: on for a voucher being written,
    // off for a printed one.
    void habilitarEdicion(bool si, bool incluirEliminar);
    bool lineaAdmitida();
    // The list of places: open for a new voucher until its first line is
    // posted, else showing the voucher's own place.
    void mostrarDeposito();
    static void avisarSinNumeros(const QString &ultimo);
    static void avisarImpreso(const QString &comprobante, bool eliminar);
    static void avisarDeTransferencia(const QString &comprobante);
    // F5 in the lines grid: the line posted again with the quantity or cost edited.
    bool guardarLineaDeGrilla(const sentenciasGrilla::Fila &fila);
    void quitarTipo();

    QGroupBox *Frame1;
    QGroupBox *Frame2;
    MaskedDateBox *t_fecha;
    QLineEdit *t_Comprobante;
    QPushButton *b_Cargar;
    QLineEdit *t_Deposito;
    ListaDepositos *cbo_Deposito;
    QPushButton *b_NuevoComprobante;
    QRadioButton *op_Entra;
    QRadioButton *op_sale;
    QPushButton *b_Eliminar;
    QPlainTextEdit *t_detalle;
    QLineEdit *t_numero;
    QLineEdit *t_Familia;
    QLineEdit *t_stock;
    QToolButton *b_Nuevo;
    QToolButton *b_Guardar;
    QToolButton *b_Consulta;
    QLineEdit *t_Nombre;
    QLineEdit *t_Cantidad;
    QLineEdit *t_Costo;
    QToolButton *B_Imprimir;
    QToolButton *b_Salir;
    EditableGrid *grilla;
    QList<QLabel *> etiquetas_;
    // What b_NuevoComprobante proposed, until the voucher's first line is stored.
    QString numeroNuevo_;
};
