#pragma once

#include "recordset.h"
#include "type_codes.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <memory>

// The rows of one query as the grid shows them: the loaded recordset, kept
// whole, with the texts the operator typed laid over it until the next load.
// Rows here are data rows from 0; the grid calls them 1 and up, its row 0 being
// the header. A query that found nothing still gives one blank row.
class ModeloGrilla : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void cargar(std::unique_ptr<Recordset> rs);

    int rowCount(const QModelIndex &padre = {}) const override;
    int columnCount(const QModelIndex &padre = {}) const override;
    QVariant data(const QModelIndex &indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;
    Qt::ItemFlags flags(const QModelIndex &indice) const override;

    // The text a cell shows: what was typed into it, else the loaded value.
    QString texto(int fila, int columna) const;
    // The text as loaded, ignoring anything typed since.
    QString textoCargado(int fila, int columna) const;
    void fijarTexto(int fila, int columna, const QString &texto);
    // Whether anything was typed since the load.
    bool hayEscritos() const { return !escritos_.isEmpty(); }
    // textoCargado as UTF-8 without making a QString, for readers of every cell
    // (Recordset::textUtf8).
    QByteArrayView utf8Cargado(int fila, int columna, char (&sitio)[ColumnStore::textRoom]) const
    {
        return rs_ && fila < rs_->rowCount() ? rs_->textUtf8(fila, columna, sitio) : QByteArrayView();
    }

    QString encabezado(int columna) const { return encabezados_.value(columna); }
    TipoCampo tipo(int columna) const { return tipos_.value(columna, TipoCampo::Ninguno); }
    bool vacio() const { return !rs_ || rs_->rowCount() == 0; }

    // The cell painted as current; (-1, -1) for none.
    void fijarActual(int fila, int columna);

private:
    static qint64 clave(int fila, int columna) { return (qint64(fila) << 32) | quint32(columna); }

    std::unique_ptr<Recordset> rs_;
    QStringList encabezados_;
    QList<TipoCampo> tipos_;
    QHash<qint64, QString> escritos_;
    int filaActual_ = -1;
    int columnaActual_ = -1;
};
