#pragma once

#include "stock_operations.h"

#include <QHash>

// The steps of a posting, for the other operations of the stock room that post
// lines inside a transaction of their own (transfers, counts). Not for use outside it.
namespace operacionesStock::pasos {

// Within one transaction, the voucher each number asked for was settled to, already locked.
using Tomados = QHash<QString, QString>;

// The voucher the line goes to, locked (see Linea::nuevo). Empty when the numbers are used up.
QString tomarComprobante(Connection &conexion, const Linea &linea, Tomados &tomados, QString &ultimo);

// Two new vouchers, the second numbered after the first, each locked and without
// lines. An empty number when the numbers are used up, `ultimo` then naming the last one.
struct DosNuevos
{
    QString primero, segundo;
};
DosNuevos tomarDosNuevos(Connection &conexion, Tomados &tomados, QString &ultimo);

// Settles the line's voucher as tomarComprobante does and refuses a printed one
// the first time it is taken; false with the refusal in `r`.
bool abrirComprobante(Connection &conexion, const Linea &linea, Tomados &tomados, Resultado &r);

// The columns of a stored line, and the line's values for them in its settled voucher.
const QStringList &columnasLinea();
QStringList valoresLinea(const Linea &linea, const QString &comprobante);

// Posts the lines in order inside the caller's transaction, as registrarLineas
// does, stopping at the first refusal; the caller then rolls back.
ResultadoLineas asentarLineas(Connection &conexion, const QList<Linea> &lineas, Tomados &tomados);

// Throws unless the connection holds a transaction, which the ...EnCurso operations need.
void exigirTransaccion(Connection &conexion);

// After the lines are posted: the first line into either voucher of a transfer
// refuses the whole (DeTransferencia).
void refusarTransferencias(Connection &conexion, ResultadoLineas &r);

} // namespace operacionesStock::pasos
