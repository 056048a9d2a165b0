#pragma once

#include <functional>

class Report;

// Where a filled exit ticket goes: its preview window and, at once, the
// default printer. Tests send it elsewhere so that no paper is printed.
namespace salidaTicket {

void enviar(Report &ticket);

// An empty function restores the preview and the printer.
using Destino = std::function<void(Report &)>;
void fijarDestinoParaPruebas(Destino destino);

} // namespace salidaTicket
