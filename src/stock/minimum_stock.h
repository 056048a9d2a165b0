#pragma once

#include "numbers.h"

#include <QDate>
#include <QString>
#include <vector>

class Connection;

// The minimum stock of an article (table minimo), for one storage place or for
// all places together, and the articles whose stock has come down to it.
namespace minimos {

// What the minimums window saves for an article: the amounts as the operator
// typed them ("2,5" or "2.5"; empty for none). An empty place is all places.
struct Minimo
{
    QString numero;
    QString deposito;
    QString minimo;
    QString reponer; // the order-up-to quantity
    QString proveedor;
};

// Why the amounts cannot be saved; empty when they can.
QString rechazo(const Minimo &m);
// Stores the article's row for the place, over the one there was; the amounts
// rounded to cents. A row left with nothing in it goes. Refused amounts are
// told by the returned text, and nothing is written.
QString guardar(Connection &conexion, const Minimo &m);
// The same for many rows in one transaction: all of them, or none when one is refused.
QString guardarTodos(Connection &conexion, const std::vector<Minimo> &filas);

// The minimums window's rows: numero, nombre, minimo, reponer, proveedor of the
// articles of the family range, with the place's row of each (empty if none).
QString consultaGrilla(const QString &desdeFamilia, const QString &hastaFamilia, const QString &deposito);

// An article at or below its minimum at the end of a day.
struct AReponer
{
    QString numero, nombre, familia, nombreFamilia, deposito, proveedor;
    numeros::Diezmilesimos stock, minimo, reponer, costo;
    bool hayReponer = false;
    // Up to the order-up-to quantity, or up to the minimum when there is none.
    numeros::Diezmilesimos aPedir() const { return (hayReponer ? reponer : minimo) - stock; }
};

// One statement grouped by article and place: each minimum with the sums of the
// movements it covers up to the day (the place's own, or every place's for a
// minimum of all places). `deposito` empty takes every minimum, else only that
// place's. Columns: numero, deposito, nombre, codigo, familia, costo, minimo,
// reponer, proveedor, entrada, salida.
QString sentenciaReposicion(const QDate &al, const QString &deposito);
// The minimums whose stock is at or below them, compared exactly, ordered by
// supplier, family, article and place.
std::vector<AReponer> aReponer(Connection &conexion, const QDate &al, const QString &deposito);
// The same sums with only the article and the minimum: columns numero, minimo, entrada, salida.
QString sentenciaCuenta(const QDate &al);
// How many articles are at or below some minimum of theirs at the end of the day.
qsizetype articulosBajoElMinimo(Connection &conexion, const QDate &al);

} // namespace minimos
