#pragma once

#include <QString>
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// Shared pieces of the benchmark programs: timing as the median of runs, the
// process's peak memory, and a large generated database kept between runs.
namespace banco {

// The median of measured values (the upper one of an even count).
double mediana(std::vector<double> v);

// Median wall time in milliseconds of `veces` runs of f.
double medianaMs(int veces, const std::function<void()> &f);

// Resident memory now and at its peak, in MiB (from /proc/self/status).
double memoriaMiB();
double memoriaPicoMiB();

// A database generated with quendra-db in /tmp, reused when it already exists.
QString baseGenerada(int articulos, int movimientos);

// The bare side is named by `base`.
void imprimir(const char *que, double ms, double msBase = 0, const char *base = "bare SQLite");
// One figure in any unit, aligned with the others.
void cifra(const char *que, double valor, const char *unidad);

// Windows go to the offscreen display unless the caller named another; call
// before the application object is made.
void pantallaVirtual();

} // namespace banco
