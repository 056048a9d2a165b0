#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

class Recordset;

// One column of the current row of a recordset: what the forms read.
class Field
{
public:
    Field(const Recordset &rs, int columna) : rs_(&rs), columna_(columna) {}

    QVariant value() const;
    bool isNull() const;
    QString name() const;
    int type() const;
    // The value as text: "" for null, dates dd-mm-yyyy, numbers with "." as separator.
    QString text() const;

private:
    const Recordset *rs_;
    int columna_;
};

// Rows held whole in memory (a client-side cursor), stored column by column in
// compact byte pools so that a million report rows stay cheap. A result recordset
// is filled by the connection; an in-memory one is built with appendColumn, open,
// addNew, setValue and update.
class Recordset
{
    friend class Field;

public:
    Recordset() = default;
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;
    Recordset(Recordset &&) = default;
    Recordset &operator=(Recordset &&) = default;

    // Building an in-memory recordset. The defined size is kept for callers to
    // read; a longer value is stored whole.
    void appendColumn(const QString &nombre, int tipo, int tamanoDefinido = 0);
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
    int indexOf(const QString &nombre) const;   // -1 when absent
    int columnIndex(const QString &nombre) const; // throws when absent

    // Random access, for the grid and the report engine.
    qsizetype rowCount() const { return filas_; }
    QString name(int columna) const { return columnas_[columna].nombre; }
    int type(int columna) const { return columnas_[columna].tipo; }
    int definedSize(int columna) const { return columnas_[columna].tamano; }
    // For a value longer than the size the column was defined with.
    void widenColumn(int columna, int tamano) { columnas_[columna].tamano = std::max(columnas_[columna].tamano, tamano); }
    QVariant value(qsizetype fila, int columna) const;
    bool isNull(qsizetype fila, int columna) const;
    QString text(qsizetype fila, int columna) const;
    // The UTF-8 bytes of a text cell without making a QString (empty for a cell of
    // any other kind), for readers that copy a million cells.
    QByteArrayView utf8(qsizetype fila, int columna) const;

    // Used by the connection while it reads a result.
    void setType(int columna, int tipo) { columnas_[columna].tipo = tipo; }
    void appendNull(int columna);
    void appendInteger(int columna, qint64 v);
    void appendReal(int columna, double v);
    void appendText(int columna, const char *utf8, qsizetype bytes);
    void appendDate(int columna, const QDate &fecha);
    void endRow() { ++filas_; }
    void finishLoading();

private:
    enum class Etiqueta : uint8_t { Nulo, Entero, Real, Texto, Fecha };

    struct Columna
    {
        QString nombre;
        int tipo = 0;
        int tamano = 0;
        std::vector<Etiqueta> etiquetas;
        std::vector<uint64_t> inicio; // byte offset of each cell; one more than the cells
        std::string bytes;
    };

    void append(Columna &c, Etiqueta e, const void *datos, size_t n);
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
