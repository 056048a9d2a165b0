// The operator's keys on the grid and in the cell editor.
#include "action_guard.h"
#include "editable_grid.h"
#include "grid_model.h"
#include "type_codes.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

namespace {

// A key that writes a character: printable, and not a Ctrl shortcut.
bool escribeCaracter(const QKeyEvent *e)
{
    const QString t = e->text();
    if (t.isEmpty() || !t.at(0).isPrint())
        return false;
    const auto m = e->modifiers();
    return !(m.testFlag(Qt::ControlModifier) && !m.testFlag(Qt::AltModifier));
}

bool esEnter(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

} // namespace

// What a key writes into a cell: in an amount column the decimal comma that
// operators type is written as the period the amount is stored with.
QString EditableGrid::textoTecleado(const QKeyEvent *e, int columna) const
{
    if (e->text() == QLatin1String(",") && modelo_->tipo(columna) == TipoCampo::Simple)
        return QStringLiteral(".");
    return e->text();
}

bool EditableGrid::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress && (objeto == grilla_ || objeto == t1_)) {
        auto *tecla = static_cast<QKeyEvent *>(evento);
        bool consumida = false;
        protegido([&] { consumida = objeto == grilla_ ? teclaEnGrilla(tecla) : teclaEnEditor(tecla); });
        return consumida;
    }
    if (evento->type() == QEvent::MouseButtonPress && objeto == grilla_->viewport()) {
        filaAntesDeClic_ = grilla_->currentIndex().row();
        columnaAntesDeClic_ = grilla_->currentIndex().column();
    }
    return QWidget::eventFilter(objeto, evento);
}

// True when the key was handled here; false leaves it to the view's own
// navigation (arrows, pages, Home, End).
bool EditableGrid::teclaEnGrilla(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Delete:
        Eliminar();
        return true;
    case Qt::Key_F5:
        guardarCelda();
        return true;
    case Qt::Key_Escape:
        return true;
    default:
        break;
    }
    if (!hayActual())
        return false;
    const int columna = columnaActual();
    const bool enEditable = editable(columna);
    if (e->key() == Qt::Key_F2) {
        if (enEditable)
            abrirEditor(textoActual());
        return true;
    }
    if (e->key() == Qt::Key_Backspace) {
        if (enEditable) {
            QString t = textoActual();
            t.chop(1);
            fijarTextoActual(t);
            abrirEditor(t);
        }
        return true;
    }
    if (esEnter(e)) {
        if (enEditable)
            siguienteCelda();
        return true;
    }
    if (escribeCaracter(e)) {
        // Typing over a cell replaces its text.
        if (enEditable) {
            const QString t = textoTecleado(e, columna);
            fijarTextoActual(t);
            abrirEditor(t);
        }
        return true;
    }
    return false;
}

bool EditableGrid::teclaEnEditor(QKeyEvent *e)
{
    const int fila = grilla_->currentIndex().row();
    const int columna = columnaActual();
    const int ultimaFila = modelo_->rowCount() - 1;
    const int ultimaColumna = modelo_->columnCount() - 1;
    bool consumida = true;
    switch (e->key()) {
    case Qt::Key_Escape:
        t1_->setText(textoEntrada_);
        t1_->end(false);
        fijarTextoActual(textoEntrada_);
        break;
    case Qt::Key_Left:
        // Column 0, the key in every host, is never reached from the editor.
        if (t1_->cursorPosition() > 0)
            consumida = false;
        else if (columna > 1)
            moverA(fila, columna - 1);
        else if (fila >= 1)
            moverA(fila - 1, ultimaColumna);
        break;
    case Qt::Key_Right:
        if (t1_->cursorPosition() < t1_->text().size())
            consumida = false;
        else if (columna < ultimaColumna)
            moverA(fila, columna + 1);
        else if (fila < ultimaFila)
            moverA(fila + 1, qMin(1, ultimaColumna));
        break;
    case Qt::Key_Up:
        if (fila > 0)
            moverA(fila - 1, columna);
        break;
    case Qt::Key_Down:
        if (fila < ultimaFila)
            moverA(fila + 1, columna);
        break;
    case Qt::Key_F5:
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        fijarTextoActual(t1_->text());
        cerrarEditor();
        siguienteCelda();
        grilla_->setFocus();
        break;
    default:
        consumida = escribeCaracter(e) && textoTecleado(e, columna) != e->text();
        if (consumida)
            t1_->insert(textoTecleado(e, columna));
    }
    mostrarActual();
    return consumida;
}

void EditableGrid::abrirEditor(const QString &texto)
{
    mostrarActual();
    ubicarEditor();
    const bool numero = esNumerica(modelo_->tipo(columnaActual()));
    t1_->setAlignment(Qt::AlignVCenter | (numero ? Qt::AlignRight : Qt::AlignLeft));
    t1_->setText(texto);
    t1_->end(false);
    t1_->show();
    t1_->raise();
    t1_->setFocus();
}

void EditableGrid::cerrarEditor()
{
    t1_->hide();
}

void EditableGrid::ubicarEditor()
{
    QRect celda = grilla_->visualRect(grilla_->currentIndex());
    celda.moveTopLeft(grilla_->viewport()->mapTo(this, celda.topLeft()));
    t1_->setGeometry(celda);
}

void EditableGrid::moverA(int filaModelo, int columna)
{
    const QModelIndex destino = modelo_->index(filaModelo, columna);
    if (destino.isValid())
        grilla_->setCurrentIndex(destino);
}

// One column to the right; at the end of a row one row down in the same column;
// at the last cell nowhere.
void EditableGrid::siguienteCelda()
{
    const int fila = grilla_->currentIndex().row();
    const int columna = columnaActual();
    if (columna < modelo_->columnCount() - 1)
        moverA(fila, columna + 1);
    else if (fila < modelo_->rowCount() - 1)
        moverA(fila + 1, columna);
    mostrarActual();
}

void EditableGrid::mostrarActual()
{
    if (hayActual())
        grilla_->scrollTo(grilla_->currentIndex());
    if (t1_->isVisible())
        ubicarEditor();
}
