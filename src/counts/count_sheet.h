#pragma once

#include <QList>
#include <QString>

class Connection;

// Quantities counted, read from a spreadsheet: a header row naming the article
// number column and the quantity column ("Contado", or what an import takes for
// a stock), then one row per article. Each row is checked as a typed line is.
namespace planillaContada {

struct Renglon
{
    // The sheet's own row number.
    int fila = 0;
    // The article, zero-filled (a scanned code read as its article's number).
    QString numero;
    double cantidad = 0;
    // Why the row is refused; empty for a good row.
    QString error;
};

struct Lectura
{
    // Why nothing could be read (no header with both columns); empty otherwise.
    QString error;
    // The rows with an article, in order. Rows without a quantity are not counts and are left out.
    QList<Renglon> renglones;
};

Lectura leer(Connection &conexion, const QString &archivo);

// The good rows' quantities summed per article, in the order each article first appears.
QList<Renglon> porArticulo(const QList<Renglon> &renglones);

} // namespace planillaContada
