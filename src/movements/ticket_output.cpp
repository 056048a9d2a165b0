#include "ticket_output.h"
#include "report.h"
#include "report_output.h"

namespace salidaTicket {

namespace {
Destino &destinoFijado()
{
    static Destino d;
    return d;
}
} // namespace

void enviar(Report &ticket)
{
    if (destinoFijado()) {
        destinoFijado()(ticket);
        return;
    }
    showReportPreview(ticket);
    printReportNow(ticket);
}

void fijarDestinoParaPruebas(Destino destino)
{
    destinoFijado() = std::move(destino);
}

} // namespace salidaTicket
