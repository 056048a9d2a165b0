#pragma once

#include <QString>

// The voucher form's article lookups. Every field text that goes between
// quotes has its quotes doubled, so an article named O'Brien cannot break a
// statement. The voucher and posting statements are the stock operations'
// (stock_sql.h).
namespace sqlMovim {

// Articles whose number holds the typed text; the one whose number is exactly
// the zero-filled text comes first, then the others in number order.
QString articulosPorNumero(const QString &tecleado, const QString &numeroExacto);
// The lookup dialog's query: number, name and family of the articles whose name holds the text.
QString busquedaPorNombre(const QString &nombre);
QString articulo(const QString &numero);

} // namespace sqlMovim
