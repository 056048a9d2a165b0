#pragma once

#include "import_check.h"

#include <QAbstractTableModel>

// The preview's rows: the sheet's row, the verdict, and what the row says of each field. A wrong row is red.
class ModeloRevision : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void mostrar(const importacion::Revision *revision);
    bool esError(int fila) const;

    int rowCount(const QModelIndex &padre = QModelIndex()) const override;
    int columnCount(const QModelIndex &padre = QModelIndex()) const override;
    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;

private:
    const importacion::Revision *revision_ = nullptr;
};
