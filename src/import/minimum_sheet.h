#pragma once

#include "minimum_stock.h"

#include <QString>
#include <QStringList>
#include <vector>

class Connection;

namespace importacion {

// The minimums of a sheet, each row checked; nothing is written here.
struct MinimosDeHoja
{
    std::vector<minimos::Minimo> filas;
    QStringList errores; // "Fila 4: número con letras", in the sheet's order
};

// Reads the sheet (the first one when `hoja` is empty). Its first row names the
// columns: numero and minimo, and optionally reponer, proveedor and deposito, in
// any order, ignoring case and accents. A row's place is its deposito cell, or
// `deposito` (empty: all places) when it has none or the sheet has no such column.
// Each row's article and place must exist, its amounts read as the window's,
// and an article's place appear once.
MinimosDeHoja leerMinimos(Connection &conexion, const QString &archivo, const QString &hoja, const QString &deposito);

} // namespace importacion
