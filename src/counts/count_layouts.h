#pragma once

#include "report_layout.h"
#include "stock_counts.h"

#include <memory>
#include <vector>

class Recordset;
class Report;

// "Planilla de recuento": the sheet the counters fill, one line per article
// covered (number, name, family) with an empty "Contado" column to write on; the
// book quantity only when asked for.
ReportLayout planillaLayout(bool conLibro);
Report &rptPlanilla();
void vincularPlanilla(Report &report, const recuentos::Recuento &recuento,
                      const std::vector<recuentos::ArticuloPlanilla> &articulos, bool conLibro);

// "Diferencias de recuento": per article the book quantity, the count, the
// difference, the cost and the value, with the totals of surplus and shortage
// in quantity and value at the end.
ReportLayout diferenciasLayout();
Report &rptDiferencias();

struct Totales
{
    // Quantities and values in hundredths.
    int64_t sobrante = 0, faltante = 0;
    int64_t valorSobrante = 0, valorFaltante = 0;
};
Totales totales(const std::vector<recuentos::Diferencia> &diferencias);
// The rows the report binds: numero, nombre, libro, contado, diferencia, costo, valor.
std::shared_ptr<Recordset> filasDiferencias(const std::vector<recuentos::Diferencia> &diferencias);
void vincularDiferencias(Report &report, const recuentos::Recuento &recuento,
                         const std::vector<recuentos::Diferencia> &diferencias);

// When an operator opened or closed a count, as the operator reads dates: "06-12-2026 10:22".
QString momento(const QString &iso);

// How the report headers name a count: "Recuento N° 3 - Depósito 01 - Al 06-12-2026".
QString descripcion(const recuentos::Recuento &recuento);
