#pragma once

#include "numbers.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class Connection;

// An article's stock over a span of days, per storage place and in all places
// together, with its entries and exits summed per week or month: what the stock
// chart draws. The balances are kept as the movement report keeps them, in
// ten-thousandths, each movement taken as the report takes it, so every point
// agrees with the report's running balance for the same place and days.
namespace historiaStock {

enum class Periodo { Semana, Mes };

// The balance at the end of a day.
struct Punto
{
    QDate fecha;
    numeros::Diezmilesimos saldo;
};

struct Linea
{
    QString deposito; // the place's code; empty for all places together
    // The balance before the first day (dated that day), then one point for each
    // day on which the line's stock moved.
    std::vector<Punto> puntos;
    std::optional<numeros::Diezmilesimos> minimo;

    // The balance at the end of a day of the span.
    numeros::Diezmilesimos saldoAl(const QDate &fecha) const;
};

// The movements of one week (from Monday) or one calendar month, every place.
struct Barra
{
    QDate desde, hasta;
    numeros::Diezmilesimos entradas, salidas;
};

struct Historia
{
    std::vector<Linea> depositos; // by place code: each place with a movement up to the last day or a minimum
    Linea total;
    std::vector<Barra> barras; // the periods with movements, in order
};

// The first and last day of the week or month a day falls in.
QDate inicioDePeriodo(const QDate &fecha, Periodo periodo);
QDate finDePeriodo(const QDate &fecha, Periodo periodo);

// The statements the history reads: the opening balances per place and in all
// places, the movements of the span in date order, the minimums.
QStringList sentencias(const QString &numero, const QDate &desde, const QDate &hasta);

// Reads the article's history from `desde` to `hasta`, both included. A movement
// without a storage place counts in no line, as in the movement report.
Historia leer(Connection &conexion, const QString &numero, const QDate &desde, const QDate &hasta, Periodo periodo);

} // namespace historiaStock
