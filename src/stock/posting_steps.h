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

// Posts the lines in order inside the caller's transaction, as registrarLineas
// does, stopping at the first refusal; the caller then rolls back.
ResultadoLineas asentarLineas(Connection &conexion, const QList<Linea> &lineas, Tomados &tomados);

} // namespace operacionesStock::pasos
