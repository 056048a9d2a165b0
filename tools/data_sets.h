#pragma once

#include <QString>

namespace datos {

// A small believable data set: families, a few dozen articles, entry and exit
// vouchers in storage places "01" and "02", one of them printed, and stock on
// hand equal to the movements.
void llenarDemo(const QString &archivo);

// A large data set for benchmarks: vouchers of several lines spread over a
// year and three storage places, stock on hand consistent with them.
void llenarGenerado(const QString &archivo, int articulos, int movimientos, unsigned semilla = 20261206);

} // namespace datos
