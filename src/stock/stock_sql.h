#pragma once

#include <QString>
#include <QStringList>

// The statements of the stock operations, and the voucher queries the voucher
// form shares with them. Every field text that goes between quotes has its
// quotes doubled, so an article named O'Brien or a voucher number typed with a
// quote cannot break a statement.
namespace sqlStock {

// The stock on hand of an article is the sum of its movements over every voucher
// and storage place, as "stk"; the posting and the article form both read it this way.
QString suma(const QString &numero);
// The same for several articles at once (numero, stk), and the lock of their
// rows taken in number order; `lista` is their numbers quoted and joined by commas.
QString sumas(const QString &lista);
QString bloqueoArticulos(const QString &lista);

// The greatest stored voucher number, as "ultimo".
QString ultimoComprobante();
// Every line of a voucher, all columns: what the lines grid shows.
QString lineasDelComprobante(const QString &comprobante);

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
// The same for several articles in one statement: each number with its figure.
QString actualizarStocks(const QStringList &numeros, const QStringList &stocks);

QString eliminarComprobante(const QString &comprobante);
// How many lines the voucher has, as "lineas", and how many of them are printed, as "impresas".
QString estadoComprobante(const QString &comprobante);
// The articles of the voucher's lines, each once and in order, as "numero".
QString articulosDelComprobante(const QString &comprobante);
QString lineasSinImprimir(const QString &comprobante);
// The exit total of a voucher, as "totsal", and the rows of its ticket (numero, nombre, cantidad).
QString totalSalida(const QString &comprobante);
QString filasTicket(const QString &comprobante);

} // namespace sqlStock
