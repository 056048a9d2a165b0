#include "review_model.h"

#include <QBrush>
#include <QColor>

using namespace importacion;

void ModeloRevision::mostrar(const Revision *revision)
{
    beginResetModel();
    revision_ = revision;
    endResetModel();
}

bool ModeloRevision::esError(int fila) const
{
    return revision_ && revision_->filas[fila].veredicto == Veredicto::Error;
}

int ModeloRevision::rowCount(const QModelIndex &padre) const
{
    return padre.isValid() || !revision_ ? 0 : int(revision_->filas.size());
}

int ModeloRevision::columnCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : 2 + cantidadCampos;
}

QVariant ModeloRevision::data(const QModelIndex &indice, int rol) const
{
    if (!revision_ || !indice.isValid())
        return {};
    const FilaRevisada &f = revision_->filas[indice.row()];
    if (rol == Qt::ForegroundRole && f.veredicto == Veredicto::Error)
        return QBrush(QColor(170, 0, 0));
    if (rol != Qt::DisplayRole)
        return {};
    if (indice.column() == 0)
        return f.fila;
    if (indice.column() == 1)
        return revision_->texto(indice.row());
    return revision_->celdas.texto(indice.row(), indice.column() - 2);
}

QVariant ModeloRevision::headerData(int seccion, Qt::Orientation orientacion, int rol) const
{
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole)
        return {};
    if (seccion == 0)
        return QStringLiteral("Fila");
    if (seccion == 1)
        return QStringLiteral("Resultado");
    const QString n = nombreCampo(Campo(seccion - 2));
    return n.left(1).toUpper() + n.mid(1);
}
