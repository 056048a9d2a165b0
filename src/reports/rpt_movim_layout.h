#pragma once

#include "movement_statements.h"
#include "report_layout.h"

#include <memory>

class Recordset;
class Report;

// The movement report "Movimiento de stock": a page header with the filters and
// the column titles, and one detail line per row of armarInformeMovimientos.
ReportLayout rptMovimLayout();

// The one rptMovim report of the process, made on first use.
Report &rptMovim();

// Binds the assembled rows to the report, writes the filters into the page
// header, sets the side margins and refreshes, ready for the preview.
void vincularInformeMovimientos(Report &report, std::shared_ptr<const Recordset> filas,
                                const FiltroMovimientos &filtro);
