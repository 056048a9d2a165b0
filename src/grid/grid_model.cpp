#include "grid_model.h"
#include "type_codes.h"

#include <QColor>

namespace {
const QColor amarilloActual(255, 255, 192);

} // namespace

void ModeloGrilla::cargar(std::unique_ptr<Recordset> rs)
{
    beginResetModel();
    rs_ = std::move(rs);
    encabezados_.clear();
    tipos_.clear();
    escritos_.clear();
    filaActual_ = columnaActual_ = -1;
    for (int i = 0; i < rs_->fieldCount(); ++i) {
        encabezados_ << rs_->name(i).toUpper();
        tipos_ << rs_->type(i);
    }
    endResetModel();
}

int ModeloGrilla::rowCount(const QModelIndex &padre) const
{
    if (padre.isValid() || !rs_)
        return 0;
    return int(qMax<qsizetype>(1, rs_->rowCount()));
}

int ModeloGrilla::columnCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : int(encabezados_.size());
}

QString ModeloGrilla::textoCargado(int fila, int columna) const
{
    if (!rs_ || fila >= rs_->rowCount())
        return QString();
    return rs_->text(fila, columna);
}

QString ModeloGrilla::texto(int fila, int columna) const
{
    auto escrito = escritos_.constFind(clave(fila, columna));
    return escrito != escritos_.cend() ? *escrito : textoCargado(fila, columna);
}

void ModeloGrilla::fijarTexto(int fila, int columna, const QString &t)
{
    escritos_.insert(clave(fila, columna), t);
    QModelIndex i = index(fila, columna);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void ModeloGrilla::fijarActual(int fila, int columna)
{
    QModelIndex antes = index(filaActual_, columnaActual_);
    filaActual_ = fila;
    columnaActual_ = columna;
    if (antes.isValid())
        emit dataChanged(antes, antes, {Qt::BackgroundRole});
    QModelIndex ahora = index(fila, columna);
    if (ahora.isValid())
        emit dataChanged(ahora, ahora, {Qt::BackgroundRole});
}

QVariant ModeloGrilla::data(const QModelIndex &i, int rol) const
{
    if (!i.isValid())
        return {};
    switch (rol) {
    case Qt::DisplayRole:
        return texto(i.row(), i.column());
    case Qt::BackgroundRole:
        if (i.row() == filaActual_ && i.column() == columnaActual_)
            return amarilloActual;
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (esNumerica(tipo(i.column())) ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

QVariant ModeloGrilla::headerData(int seccion, Qt::Orientation orientacion, int rol) const
{
    if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole)
        return encabezado(seccion);
    return QAbstractTableModel::headerData(seccion, orientacion, rol);
}

Qt::ItemFlags ModeloGrilla::flags(const QModelIndex &i) const
{
    // Cells are edited by the grid's own editor, never by the view.
    return i.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}
