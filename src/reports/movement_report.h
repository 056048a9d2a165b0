#pragma once

#include "movement_statements.h"

#include <QStringList>
#include <functional>
#include <memory>

class Recordset;

// The nine columns of the report's rows, in their order: fecha, comprobante,
// tipomov, codigo, numero, nombre, entrada, salida, saldo.
const QStringList &columnasInformeMovimientos();

// Told after each article how many of the total are done; answering false cancels.
using ProgresoInforme = std::function<bool(qsizetype hechos, qsizetype total)>;

// Builds the rows of the movement report for the selected articles (a result
// of seleccionArticulos, walked from its first row): per article a separator
// row, an opening row with the balance before the first day and a row for each
// movement of the period with the balance after it, every value text. Balances
// are kept in ten-thousandths and start afresh with each article.
//
// The rows go into a recordset of their own that the caller gets only when it is
// whole: a cancel gives null and an error throws QuendraError. Dates that are not
// complete throw before any statement runs. Nothing is written to the database.
std::unique_ptr<Recordset> armarInformeMovimientos(Recordset &articulos, const FiltroMovimientos &filtro,
                                                   const ProgresoInforme &progreso = {});
