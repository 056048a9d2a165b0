#pragma once

#include "grid_statements.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

class Connection;
class ModeloGrilla;
class QLabel;
class QLineEdit;
class QModelIndex;
class QTableView;
class QKeyEvent;

// The grid every list window uses: it shows the rows of one query under a header
// row, lets the operator change single cells in place, saves one cell with F5,
// deletes the current row, and tells its host about clicks, saves and deletions.
//
// Rows are counted as the operator sees them: row 0 is the header, the query's
// rows are 1 and up. A column is editable when a key column list was given and
// the column is not in it. The grid keeps its own copy of the key list.
//
// Errors of the data layer raised by rellenaGrid or Eliminar go to their caller;
// F5 and Delete pressed by the operator show them and leave the grid usable.
class EditableGrid : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool EstaVacio READ EstaVacio)
    Q_PROPERTY(int Colum READ Colum)
    Q_PROPERTY(QString NombreTabla READ NombreTabla)
    Q_PROPERTY(bool eliminarOK READ eliminarOK WRITE setEliminarOK)

public:
    explicit EditableGrid(QWidget *parent = nullptr);

    // Rows below the header; 1 after a load that found nothing (see EstaVacio).
    int CantidadFilas() const;
    // Text of a cell; row 0 is the header. A cell outside the grid raises QuendraError.
    QString Celda(int fila, int COL) const;
    // Runs the query on the connection and shows its rows. Clave holds the key
    // column positions as texts ("0"); without it the grid can only be browsed.
    // The table is where saves and deletions write.
    void rellenaGrid(const QString &pstrSQL, Connection &Conexion, std::optional<QStringList> Clave = std::nullopt,
                     const QString &pTabla = QString());
    // Whether the last load found no row.
    bool EstaVacio() const;
    // The column on which F5 was last pressed.
    int Colum() const { return colum_; }
    // Header of the current column: its field name, upper-cased.
    QString nombreCampo() const;
    QString NombreTabla() const { return tabla_; }
    // Deletes the current row when the host allows it and the operator confirms.
    void Eliminar();
    bool eliminarOK() const { return eliminarOK_; }
    void setEliminarOK(bool permitido) { eliminarOK_ = permitido; }
    // Columns, by field name, shown but never edited: figures the program derives.
    void fijarSoloLectura(const QStringList &campos) { soloLectura_ = campos; }
    // For a host whose rows are written by its own operations: F5 hands it the
    // row as edited, instead of running the update statement. It answers false
    // when it refused the save, having told the operator why.
    using Guardado = std::function<bool(const sentenciasGrilla::Fila &fila)>;
    void fijarGuardado(Guardado guardado) { guardado_ = std::move(guardado); }

    // The current cell in grid rows (1 and up), and a move to another one made
    // by the host, with everything that entering a cell does.
    int filaActual() const;
    int columnaActual() const;
    void irACelda(int fila, int columna);

signals:
    // The arguments are the current row's texts, one per column; handlers read
    // them (and PresF5 may set OK to false to stop the save). Connect directly.
    void ClicMouse(QStringList &contFila);
    void PresF5(bool &OK, QStringList &contFila);
    void dobleClic(QStringList &contFila);
    void despuesF5();
    void despuesEliminar();
    void antesEliminar(QStringList &contFila);

protected:
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    // Loading and the current cell (editable_grid.cpp).
    void cargar(const QString &sql, Connection &conexion, std::optional<QList<int>> claves, const QString &tabla,
                bool conservarPosicion);
    void recargar();
    void alCambiarActual(const QModelIndex &actual);
    void alPresionar(const QModelIndex &celda);
    void entrarEnCelda(bool avisar);
    void refrescarFila();
    void actualizarIndicador();
    bool hayActual() const;
    bool editable(int columna) const;
    bool sePuedeGuardar(int columna) const;
    QString textoActual() const;
    void fijarTextoActual(const QString &texto);

    // Saving and deleting (editable_grid.cpp).
    void guardarCelda();
    bool celdaValida(int filaModelo, int columna);
    sentenciasGrilla::Fila fila(int filaModelo, bool comoSeCargo) const;

    // Keys and the cell editor (grid_keys.cpp).
    bool teclaEnGrilla(QKeyEvent *e);
    bool teclaEnEditor(QKeyEvent *e);
    QString textoTecleado(const QKeyEvent *e, int columna) const;
    void abrirEditor(const QString &texto);
    void cerrarEditor();
    void ubicarEditor();
    void moverA(int filaModelo, int columna);
    void siguienteCelda();
    void mostrarActual();

    QTableView *grilla_;
    QLineEdit *t1_;
    QLabel *indicador_;
    ModeloGrilla *modelo_;

    Connection *conexion_ = nullptr;
    QString sql_;
    QString tabla_;
    std::optional<QList<int>> claves_;
    QStringList soloLectura_;
    Guardado guardado_;
    bool eliminarOK_ = false;
    int colum_ = 0;
    QString textoEntrada_;
    QStringList contFila_;
    bool avisarCambios_ = true;
    // The current cell when the mouse button went down: a click on the cell that
    // is already current counts as entering it again.
    int filaAntesDeClic_ = -1;
    int columnaAntesDeClic_ = -1;
};
