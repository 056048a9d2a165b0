#pragma once

#include <QString>

// The statements of the movement voucher form. Every field text that goes
// between quotes has its quotes doubled, so an article named O'Brien or a
// voucher number typed with a quote cannot break a statement.
namespace sqlMovim {

// The greatest stored voucher number, as "ultimo".
QString ultimoComprobante();
// Every line of a voucher, all columns: what the lines grid shows.
QString lineasDelComprobante(const QString &comprobante);

// Articles whose number holds the typed text; the one whose number is exactly
// the zero-filled text comes first, then the others in number order.
QString articulosPorNumero(const QString &tecleado, const QString &numeroExacto);
// The lookup dialog's query: number, name and family of the articles whose name holds the text.
QString busquedaPorNombre(const QString &nombre);
QString articulo(const QString &numero);

// The line of one article in one voucher: the condition, and the query on it.
QString condicionLinea(const QString &comprobante, const QString &numero);
QString lineaExistente(const QString &condicion);
// Locks the article's row until the posting ends, so that postings of one
// article take turns to read and write its stock.
QString bloqueoArticulo(const QString &numero);
// The name of the lock that postings into a voucher and its printing share (Connection::bloquear).
QString claveComprobante(const QString &comprobante);
// The update that stores an article's stock on hand.
QString actualizarStock(const QString &numero, const QString &stock);

QString eliminarComprobante(const QString &comprobante);
QString lineasSinImprimir(const QString &comprobante);
// The exit total of a voucher, as "totsal", and the rows of its ticket (numero, nombre, cantidad).
QString totalSalida(const QString &comprobante);
QString filasTicket(const QString &comprobante);

} // namespace sqlMovim
