#pragma once

#include "stock_counts.h"

// What the count operations share inside the stock room.
namespace recuentos::pasos {

// Takes the count's lock inside the caller's transaction and says whether the count may still change.
Rechazo tomarAbierto(Connection &conexion, int recuento);
// The moment an operator opened or closed a count, as ISO text.
QString ahora();

} // namespace recuentos::pasos
