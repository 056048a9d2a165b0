#include "frm_busqueda.h"
#include "editable_grid.h"
#include "form_layout.h"
#include "mprincipal.h"

#include <QCoreApplication>
#include <QPointer>

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
}
