#pragma once

#include "report_layout.h"
#include "stock_reports.h"

class Report;

// "Stock por depósito": a detail line per article with a column per storage
// place, the total and the mark, a last line with each column's total, and a
// footer that says what the mark means. A negative stock prints bold.
// The columns follow the storage places of the report, so the layout is made
// again for each one.
ReportLayout stockPorDepositoLayout(const QStringList &depositos);
Report &rptStockDeposito();
void vincularStockPorDeposito(Report &report, StockPorDeposito datos, const FiltroStock &filtro);

// "Valorización de stock": article, stock, cost and amount (money with two
// decimals), under a heading per family, with its subtotal and the grand total
// set apart. A negative stock and the amount it gives print bold.
ReportLayout valorizacionLayout();
Report &rptValorizacion();
void vincularValorizacion(Report &report, std::shared_ptr<const Recordset> filas, const FiltroStock &filtro);

// "Artículos a reponer": article, place, stock, minimum, order-up-to, quantity
// to order, cost and amount, with the supplier and family rows. The header says
// the day and the place (`lugar`, as the window names it).
ReportLayout reposicionLayout();
Report &rptReposicion();
void vincularReposicion(Report &report, std::shared_ptr<const Recordset> filas, const QString &al,
                        const QString &lugar);

// "Registro de cambios": day, time, operator, the change, article, voucher,
// what else it names, and the values before and after. The header says the
// filters as the window shows them.
struct FiltroEncabezado
{
    QString desde, hasta, operador, numero, comprobante;
};
ReportLayout registroLayout();
Report &rptRegistro();
void vincularRegistro(Report &report, std::shared_ptr<const Recordset> filas, const FiltroEncabezado &filtro);
