#pragma once

#include <functional>

// While the server engine brings back a lost connection (a few seconds at
// most), the program shows that it is waiting. The data layer knows no windows:
// the room that does sets what to do, told true as the tries begin and false
// when they end, on whichever thread the connection runs.
namespace avisoReconexion {

void fijar(std::function<void(bool)> aviso);
void avisar(bool empieza);

} // namespace avisoReconexion
