#include "frm_busqueda.h"
#include "editable_grid.h"
#include "form_layout.h"
#include "mprincipal.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTableView>

namespace {
QPointer<FrmBusqueda> &unica()
{
    static QPointer<FrmBusqueda> d;
    return d;
}

// Widgets must go before the application object does.
void destruirUnica()
{
    delete unica().data();
}
} // namespace

FrmBusqueda::FrmBusqueda()
{
    setObjectName(QStringLiteral("FrmBusqueda"));
    setWindowTitle(QStringLiteral("Busca algo"));
    setModal(true);
    twips::tamanoCliente(this, 9180, 3195);

    grilla_ = new EditableGrid(this);
    grilla_->setObjectName(QStringLiteral("grilla"));
    twips::ubicar(grilla_, 90, 120, 9000, 2970);

    auto elegir = [](QStringList &contFila) { mPrincipal::codigoBusqueda = contFila.value(0); };
    connect(grilla_, &EditableGrid::ClicMouse, this, elegir);
    connect(grilla_, &EditableGrid::dobleClic, this, elegir);

    // Over the grid's one blank row when the query found nothing.
    sinFilas_ = new QLabel(QStringLiteral("Nada coincide con lo buscado."), this);
    sinFilas_->setObjectName(QStringLiteral("lblSinFilas"));
    sinFilas_->setAlignment(Qt::AlignCenter);
    twips::ubicar(sinFilas_, 90, 1200, 9000, 300);

    // Installed after the grid's own filter, so it sees the keys first.
    if (auto *vista = grilla_->findChild<QTableView *>())
        vista->installEventFilter(this);
}

// Enter takes the current row and closes; Escape closes as the close control
// does, with the row that was current last.
bool FrmBusqueda::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objeto, evento);
    const int tecla = static_cast<QKeyEvent *>(evento)->key();
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
        if (grilla_->filaActual() >= 1)
            mPrincipal::codigoBusqueda = grilla_->Celda(grilla_->filaActual(), 0);
        accept();
        return true;
    }
    if (tecla == Qt::Key_Escape) {
        close();
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

FrmBusqueda &FrmBusqueda::instancia()
{
    if (!unica()) {
        unica() = new FrmBusqueda;
        qAddPostRoutine(destruirUnica);
    }
    return *unica();
}

void FrmBusqueda::buscar()
{
    FrmBusqueda &d = instancia();
    d.cargar();
    d.exec();
}

void FrmBusqueda::cargar()
{
    // The grid has a key but no table: its edits are never saved (F5 stops there).
    grilla_->rellenaGrid(mPrincipal::sqlBusqueda, mPrincipal::conexion(), QStringList{QStringLiteral("0")}, QString());
    sinFilas_->setVisible(grilla_->EstaVacio());
    sinFilas_->raise();
}
