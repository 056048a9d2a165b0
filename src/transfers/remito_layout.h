#pragma once

#include "report_layout.h"
#include "transfer_operations.h"

class Report;

// "Remito de transferencia": the note that goes with the goods from one place
// to the other. The transfer's number and date, both places with their names,
// one line per article with quantity, cost and amount, the totals, and the lines
// where the one who delivers and the one who receives sign.
ReportLayout remitoLayout();
Report &rptRemito();

struct DatosRemito
{
    transferencias::Remito remito;
    QString nombreOrigen;
    QString nombreDestino;
};

// The note's rows (numero, nombre, cantidad, costo, importe) and header bound, then refreshed.
void vincularRemito(Report &report, const DatosRemito &datos);
