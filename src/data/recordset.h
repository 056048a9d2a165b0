#pragma once

#include "column_stores.h"
#include "row_sink.h"
#include "type_codes.h"

#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

class Recordset;

// One column of the current row of a recordset: what the forms read.
class Field
{
public:
    Field(const Recordset &rs, int columna) : rs_(&rs), columna_(columna) { }

    QVariant value() const;
    bool isNull() const;
    QString name() const;
    TipoCampo type() const;
    // The value as text: "" for null, dates dd-mm-yyyy, numbers with "." as separator.
    QString text() const;

private:
    const Recordset *rs_;
    int columna_;
};

// Rows held whole in memory (a client-side cursor), stored column by column so
// that a million report rows stay cheap. A result recordset is filled by the
// connection (RecordsetReader); an in-memory one is built with appendColumn,
// open, addNew, setValue and update, or cell by cell with the append calls.
class Recordset
{
    friend class Field;

public:
    // How a column keeps its cells (column_stores.h): every value as it came, or,
    // for texts, each distinct text once, or amounts as counts of hundredths.
    // The last two are text columns: their values read back as texts.
    using Storage = ColumnStore::Kind;

    Recordset() = default;
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;
    Recordset(Recordset &&) = default;
    Recordset &operator=(Recordset &&) = default;

    // Building an in-memory recordset. The defined size is kept for callers to
    // read; a longer value is stored whole.
    void appendColumn(const QString &nombre, TipoCampo tipo, int tamanoDefinido = 0, Storage storage = Storage::Values);
    void open();
    void addNew();
    void setValue(int columna, const QVariant &valor);
    void setValue(const QString &nombre, const QVariant &valor);
    void update();
    // Room for this many rows in all, each column's bytes sized after the rows it
    // holds so far, so that a large build does not copy itself as it grows.
    void reserve(qsizetype filas);

    // Walking the rows.
    bool isOpen() const { return abierto_; }
    bool eof() const;
    void moveNext();
    void moveFirst();
    void close();
    qsizetype position() const { return fila_; }

    // Fields of the current row. An unknown name raises QuendraError.
    int fieldCount() const { return int(columnas_.size()); }
    Field field(int columna) const;
    Field field(const QString &nombre) const;
    Field operator[](const QString &nombre) const { return field(nombre); }
    int indexOf(const QString &nombre) const;     // -1 when absent
    int columnIndex(const QString &nombre) const; // throws when absent

    // Random access, for the grid and the report engine.
    qsizetype rowCount() const { return filas_; }
    QString name(int columna) const { return columnas_[size_t(columna)].nombre; }
    TipoCampo type(int columna) const { return columnas_[size_t(columna)].tipo; }
    int definedSize(int columna) const { return columnas_[size_t(columna)].tamano; }
    // For a value longer than the size the column was defined with.
    void widenColumn(int columna, int tamano)
    {
        columnas_[size_t(columna)].tamano = std::max(columnas_[size_t(columna)].tamano, tamano);
    }
    QVariant value(qsizetype fila, int columna) const { return celdas(columna).value(fila); }
    bool isNull(qsizetype fila, int columna) const { return celdas(columna).isNull(fila); }
    QString text(qsizetype fila, int columna) const { return celdas(columna).text(fila); }
    // The UTF-8 bytes of a text cell without making a QString (empty for null,
    // an empty text or a value of another kind), for readers that copy a million
    // cells. Valid until the next utf8 call on the same column.
    QByteArrayView utf8(qsizetype fila, int columna) const { return celdas(columna).utf8(fila); }
    // The text() of any cell as UTF-8 without making a QString; numbers and
    // dates are written into `sitio`.
    QByteArrayView textUtf8(qsizetype fila, int columna, char (&sitio)[ColumnStore::textRoom]) const
    {
        return celdas(columna).textUtf8(fila, sitio);
    }

    // Filling a row cell by cell, every column in order, then endRow.
    void setType(int columna, TipoCampo tipo) { columnas_[size_t(columna)].tipo = tipo; }
    void appendNull(int columna) { celdas(columna).appendNull(); }
    void appendInteger(int columna, qint64 v) { celdas(columna).appendInteger(v); }
    void appendReal(int columna, double v) { celdas(columna).appendReal(v); }
    void appendText(int columna, QByteArrayView utf8) { celdas(columna).appendText(utf8); }
    void appendText(int columna, const char *utf8, qsizetype bytes)
    {
        appendText(columna, QByteArrayView(utf8, bytes));
    }
    void appendDate(int columna, const QDate &fecha) { celdas(columna).appendDate(fecha); }
    void appendHundredths(int columna, int64_t centesimas) { celdas(columna).appendHundredths(centesimas); }
    void endRow() { ++filas_; }
    // After the last row: gives back unused room and stands on the first row.
    void finishLoading();

private:
    struct Columna
    {
        QString nombre;
        TipoCampo tipo = TipoCampo::Ninguno;
        int tamano = 0;
        std::unique_ptr<ColumnStore> celdas;
    };

    ColumnStore &celdas(int columna) { return *columnas_[size_t(columna)].celdas; }
    const ColumnStore &celdas(int columna) const { return *columnas_[size_t(columna)].celdas; }
    void appendVariant(int columna, const QVariant &valor);
    void comprobarFila() const;

    std::vector<Columna> columnas_;
    QHash<QString, int> porNombre_; // lower-cased name -> position
    qsizetype filas_ = 0;
    qsizetype fila_ = 0;
    bool abierto_ = false;
    std::vector<QVariant> nueva_; // row being added
    bool agregando_ = false;
};

// Fills a recordset with the rows of a query as the connection reads them. A
// column the statement computes takes its type code from its first value that
// is not null, and is a text column when all are null.
class RecordsetReader final : public RowSink
{
public:
    void columns(const QStringList &names, const std::vector<TipoCampo> &types) override;
    void row(std::span<const CellValue> values) override;
    // The whole result, standing on its first row.
    std::unique_ptr<Recordset> take();

private:
    std::unique_ptr<Recordset> rs_ = std::make_unique<Recordset>();
    std::vector<int> computed_; // columns whose type is not known yet
};
