#pragma once

#include "type_codes.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// One value of a result row as the database engine hands it over. A text is
// UTF-8 in the engine's own memory and lasts only until the sink returns.
struct CellValue
{
    enum class Kind : uint8_t { Null, Integer, Real, Text, Date };
    Kind kind = Kind::Null;
    int64_t integer = 0; // an Integer; a Date as its Julian day
    double real = 0;
    QByteArrayView text;
};

// A value as a number, as the stock balances take it: null, a date, or a text
// that reads as none, counts as 0.
inline double comoNumero(const CellValue &v)
{
    switch (v.kind) {
    case CellValue::Kind::Integer:
        return double(v.integer);
    case CellValue::Kind::Real:
        return v.real;
    case CellValue::Kind::Text:
        return QString::fromUtf8(v.text.data(), v.text.size()).toDouble();
    default:
        return 0;
    }
}

// Receives the rows of a query as the engine reads them (Connection::read), so
// that a reader that keeps its own form of the rows needs no recordset in
// between. Any engine behind the connection calls it the same way.
class RowSink
{
public:
    virtual ~RowSink() = default;
    // Before the first row: the columns' names and field type codes. A column
    // computed by the statement (a sum, an expression) has code 0: its kind is
    // that of its values.
    virtual void columns(const QStringList &names, const std::vector<TipoCampo> &types) = 0;
    // Each row, one value per column, in column order.
    virtual void row(std::span<const CellValue> values) = 0;
};

// Where the rows of one statement run for one value go (Connection::readEach):
// the sink for statement `sentencia` with value `valor`, or null to stop there.
using DestinoPorValor = std::function<RowSink *(qsizetype valor, qsizetype sentencia)>;
