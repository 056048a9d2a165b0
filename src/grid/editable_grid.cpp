#include "editable_grid.h"
#include "action_guard.h"
#include "column_widths.h"
#include "connection.h"
#include "grid_model.h"
#include "grid_record.h"
#include "messages.h"
#include "numbers.h"
#include "quendra_error.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {
// The light yellow marks the current cell; the style's focus frame and hover
// tint would only blur it.
class DelegadoCelda : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &opcion, const QModelIndex &i) const override
    {
        QStyleOptionViewItem o(opcion);
        o.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        QStyledItemDelegate::paint(p, o, i);
    }
};
} // namespace

EditableGrid::EditableGrid(QWidget *parent) : QWidget(parent)
{
    grilla_ = new QTableView(this);
    grilla_->setObjectName(QStringLiteral("grilla"));
    modelo_ = new ModeloGrilla(this);
    grilla_->setModel(modelo_);
    // The model paints the current cell; the view neither selects nor edits.
    grilla_->setSelectionMode(QAbstractItemView::NoSelection);
    grilla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grilla_->setTabKeyNavigation(false);
    grilla_->setWordWrap(false);
    grilla_->setItemDelegate(new DelegadoCelda(grilla_));
    grilla_->setCornerButtonEnabled(false);
    grilla_->verticalHeader()->hide();
    // Fixed row heights keep a 100,000-row grid as quick as a small one.
    grilla_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grilla_->verticalHeader()->setDefaultSectionSize(grilla_->fontMetrics().height() + 4);
    grilla_->horizontalHeader()->setSectionsMovable(false);
    grilla_->horizontalHeader()->setHighlightSections(false);
    // A click on a header would move the current cell, and so choose a row.
    grilla_->horizontalHeader()->setSectionsClickable(false);
    grilla_->installEventFilter(this);
    grilla_->viewport()->installEventFilter(this);
    setFocusProxy(grilla_);

    t1_ = new QLineEdit(this);
    t1_->setObjectName(QStringLiteral("T1"));
    t1_->setFrame(false);
    t1_->hide();
    t1_->installEventFilter(this);

    indicador_ = new QLabel(this);
    indicador_->setObjectName(QStringLiteral("CellIndicator"));
    indicador_->hide();

    connect(grilla_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &actual) { alCambiarActual(actual); });
    connect(grilla_, &QAbstractItemView::pressed, this, [this](const QModelIndex &c) { alPresionar(c); });
    connect(grilla_, &QAbstractItemView::doubleClicked, this, [this] {
        protegido([this] {
            refrescarFila();
            emit dobleClic(contFila_);
        });
    });
    // The editor lies over its cell even when the grid scrolls or a column is resized.
    auto seguirCelda = [this] {
        if (t1_->isVisible())
            ubicarEditor();
    };
    connect(grilla_->horizontalScrollBar(), &QScrollBar::valueChanged, this, seguirCelda);
    connect(grilla_->verticalScrollBar(), &QScrollBar::valueChanged, this, seguirCelda);
    connect(grilla_->horizontalHeader(), &QHeaderView::sectionResized, this, seguirCelda);
    // The cell follows the editor, so a cell left without Enter shows what was typed.
    connect(t1_, &QLineEdit::textEdited, this, [this](const QString &t) { fijarTextoActual(t); });

    actualizarIndicador();
}

int EditableGrid::CantidadFilas() const
{
    return modelo_->rowCount();
}

QString EditableGrid::Celda(int fila, int COL) const
{
    if (fila < 0 || fila > modelo_->rowCount() || COL < 0 || COL >= modelo_->columnCount())
        throw QuendraError(QuendraError::ValorFueraDeRango,
                           QStringLiteral("La celda (%1, %2) está fuera de la grilla").arg(fila).arg(COL));
    return fila == 0 ? modelo_->encabezado(COL) : modelo_->texto(fila - 1, COL);
}

void EditableGrid::rellenaGrid(const QString &pstrSQL, Connection &Conexion, std::optional<QStringList> Clave,
                               const QString &pTabla)
{
    std::optional<QList<int>> claves;
    if (Clave) {
        // Positions are compared as numbers: "0" is column 0.
        claves.emplace();
        for (const QString &c : *Clave)
            claves->append(int(numeros::valor(c)));
    }
    cargar(pstrSQL, Conexion, std::move(claves), pTabla, false);
}

void EditableGrid::cargar(const QString &sql, Connection &conexion, std::optional<QList<int>> claves,
                          const QString &tabla, bool conservarPosicion)
{
    // The query runs first: if it fails, the grid keeps showing what it showed.
    auto rs = conexion.execute(sql);
    const int filaAntes = conservarPosicion ? grilla_->currentIndex().row() : 0;
    const int columnaAntes = conservarPosicion ? grilla_->currentIndex().column() : 0;

    cerrarEditor();
    conexion_ = &conexion;
    sql_ = sql;
    tabla_ = tabla;
    claves_ = std::move(claves);

    avisarCambios_ = false;
    modelo_->cargar(std::move(rs));
    const std::vector<int> anchos = anchosColumnas(*modelo_, grilla_->font());
    for (int c = 0; c < int(anchos.size()); ++c)
        grilla_->setColumnWidth(c, anchos[size_t(c)]);
    // After a load the first cell is current, unannounced: nothing is chosen
    // until the operator clicks or moves. A save or a deletion keeps the place.
    QModelIndex actual;
    if (modelo_->columnCount() > 0)
        actual = modelo_->index(qMin(qMax(filaAntes, 0), modelo_->rowCount() - 1),
                                qMin(qMax(columnaAntes, 0), modelo_->columnCount() - 1));
    grilla_->setCurrentIndex(actual);
    entrarEnCelda(false);
    avisarCambios_ = true;
    if (conservarPosicion && actual.isValid())
        grilla_->scrollTo(actual);
    else
        grilla_->scrollToTop();
}

void EditableGrid::recargar()
{
    cargar(sql_, *conexion_, claves_, tabla_, true);
}

bool EditableGrid::EstaVacio() const
{
    return modelo_->rowCount() > 0 && modelo_->vacio();
}

QString EditableGrid::nombreCampo() const
{
    return modelo_->encabezado(grilla_->currentIndex().column());
}

int EditableGrid::filaActual() const
{
    return grilla_->currentIndex().row() + 1;
}

int EditableGrid::columnaActual() const
{
    return grilla_->currentIndex().column();
}

void EditableGrid::irACelda(int fila, int columna)
{
    moverA(fila - 1, columna);
    mostrarActual();
}

void EditableGrid::resizeEvent(QResizeEvent *)
{
    grilla_->setGeometry(rect());
    if (t1_->isVisible())
        ubicarEditor();
}

// --- The current cell -------------------------------------------------------

bool EditableGrid::hayActual() const
{
    return grilla_->currentIndex().isValid();
}

void EditableGrid::alCambiarActual(const QModelIndex &actual)
{
    if (avisarCambios_ && actual.isValid())
        protegido([this] { entrarEnCelda(true); });
}

void EditableGrid::alPresionar(const QModelIndex &celda)
{
    if (celda.row() == filaAntesDeClic_ && celda.column() == columnaAntesDeClic_)
        protegido([this] { entrarEnCelda(true); });
}

void EditableGrid::entrarEnCelda(bool avisar)
{
    actualizarIndicador();
    cerrarEditor();
    textoEntrada_ = textoActual();
    modelo_->fijarActual(grilla_->currentIndex().row(), grilla_->currentIndex().column());
    refrescarFila();
    if (!avisar)
        return;
    grilla_->setFocus();
    emit ClicMouse(contFila_);
}

void EditableGrid::refrescarFila()
{
    const int fila = grilla_->currentIndex().row();
    contFila_.resize(modelo_->columnCount());
    for (int c = 0; c < modelo_->columnCount(); ++c)
        contFila_[c] = fila >= 0 ? modelo_->texto(fila, c) : QString();
}

void EditableGrid::actualizarIndicador()
{
    const QModelIndex a = grilla_->currentIndex();
    const QString primera = a.isValid() ? modelo_->texto(a.row(), 0) : QString();
    indicador_->setText(QLatin1Char(' ') + primera + QStringLiteral(" : ") + modelo_->encabezado(a.column())
                        + QLatin1Char(' '));
}

bool EditableGrid::editable(int columna) const
{
    return claves_.has_value() && !claves_->contains(columna)
           && !soloLectura_.contains(modelo_->encabezado(columna), Qt::CaseInsensitive);
}

// A save needs a row that exists, a column outside the key, keys to find the row
// by and a table to write to; anything less is refused quietly.
bool EditableGrid::sePuedeGuardar(int columna) const
{
    return hayActual() && editable(columna) && !claves_->isEmpty() && !tabla_.isEmpty() && !modelo_->vacio();
}

QString EditableGrid::textoActual() const
{
    const QModelIndex a = grilla_->currentIndex();
    return a.isValid() ? modelo_->texto(a.row(), a.column()) : QString();
}

void EditableGrid::fijarTextoActual(const QString &texto)
{
    const QModelIndex a = grilla_->currentIndex();
    if (a.isValid())
        modelo_->fijarTexto(a.row(), a.column(), texto);
}

// --- Saving and deleting ----------------------------------------------------

sentenciasGrilla::Fila EditableGrid::fila(int filaModelo, bool comoSeCargo) const
{
    sentenciasGrilla::Fila f;
    for (int c = 0; c < modelo_->columnCount(); ++c) {
        f.encabezados << modelo_->encabezado(c);
        f.tipos << modelo_->tipo(c);
        f.textos << (comoSeCargo ? modelo_->textoCargado(filaModelo, c) : modelo_->texto(filaModelo, c));
    }
    return f;
}

bool EditableGrid::celdaValida(int filaModelo, int columna)
{
    switch (sentenciasGrilla::chequear(modelo_->texto(filaModelo, columna), modelo_->tipo(columna))) {
    case sentenciasGrilla::Chequeo::Valida:
        return true;
    case sentenciasGrilla::Chequeo::Vacia:
        return false;
    case sentenciasGrilla::Chequeo::FechaIncorrecta:
        mensajes::mostrar(QStringLiteral("Fecha incorrecta"), QMessageBox::Critical);
        return false;
    case sentenciasGrilla::Chequeo::NumeroIncorrecto:
        mensajes::mostrar(QStringLiteral("Número incorrecto"), QMessageBox::Critical);
        return false;
    }
    return false;
}

void EditableGrid::guardarCelda()
{
    colum_ = qMax(0, columnaActual());
    refrescarFila();
    bool ok = true;
    emit PresF5(ok, contFila_);
    if (!ok)
        return;
    const int r = grilla_->currentIndex().row();
    const int c = grilla_->currentIndex().column();
    if (!sePuedeGuardar(c) || !celdaValida(r, c))
        return;
    if (guardado_) {
        if (!guardado_(fila(r, false)))
            return;
    } else {
        // The cell and its row in the record of changes are stored together.
        const sentenciasGrilla::Fila guardada = fila(r, false);
        Transaction transaccion(*conexion_);
        conexion_->execute(sentenciasGrilla::actualizacion(tabla_, guardada, c, *claves_));
        registroGrilla::anotarCelda(*conexion_, tabla_, fila(r, true), guardada, c, *claves_);
        transaccion.commit();
    }
    recargar();
    const QString guardado = r < modelo_->rowCount() ? modelo_->texto(r, c) : QString();
    mensajes::mostrar(QStringLiteral("El dato:") + guardado + QStringLiteral(" fue guardado"),
                      QMessageBox::Information);
    emit despuesF5();
}

void EditableGrid::Eliminar()
{
    refrescarFila();
    emit antesEliminar(contFila_);
    // The blank row of a query that found nothing is no row of the table.
    if (!eliminarOK_ || !hayActual() || modelo_->vacio())
        return;
    const int r = grilla_->currentIndex().row();
    // The row is found by its values as loaded: texts typed and not saved do not
    // keep the confirmed row from being deleted.
    const QString sql = sentenciasGrilla::eliminacion(tabla_, fila(r, true));
    const QString nombre = modelo_->columnCount() > 1 ? modelo_->texto(r, 1) : QString();
    if (mensajes::mostrar(QStringLiteral("Esta seguro de eliminar a : ") + nombre, QMessageBox::NoIcon,
                          QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    {
        Transaction transaccion(*conexion_);
        conexion_->execute(sql);
        registroGrilla::anotarBaja(*conexion_, tabla_, fila(r, true), claves_.value_or(QList<int>{0}));
        transaccion.commit();
    }
    recargar();
    emit despuesEliminar();
}
