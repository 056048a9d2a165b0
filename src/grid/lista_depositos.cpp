#include "lista_depositos.h"
#include "mprincipal.h"
#include "storage_places.h"

#include <QAbstractItemView>

ListaDepositos::ListaDepositos(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, [this](int i) { emit elegido(itemData(i).toString()); });
}

void ListaDepositos::mostrar(const QString &codigo)
{
    clear();
    for (const depositos::Deposito &d : depositos::todos(mPrincipal::conexion()))
        addItem(d.nombre.isEmpty() ? d.codigo : d.codigo + QStringLiteral(" — ") + d.nombre, d.codigo);
    if (findData(codigo) < 0)
        addItem(codigo, codigo);
    setCurrentIndex(findData(codigo));
    // The open list is as wide as its longest place, also when the box is narrower.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
}

QString ListaDepositos::codigo() const
{
    return currentData().toString();
}
