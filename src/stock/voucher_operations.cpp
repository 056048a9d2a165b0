// Deleting a voucher and marking it printed.
#include "connection.h"
#include "mprincipal.h"
#include "numbers.h"
#include "stock_operations.h"
#include "stock_sql.h"

namespace operacionesStock {

void eliminarComprobante(Connection &conexion, const QString &comprobante)
{
    Transaction transaccion(conexion);
    conexion.execute(sqlStock::eliminarComprobante(comprobante));
    transaccion.commit();
}

Impresion marcarImpreso(Connection &conexion, const QString &comprobante)
{
    // One commit for all the lines: the mark is all or nothing, and quick. A
    // posting into the voucher under way ends first, and none begins until the
    // ticket's rows are read, so the ticket lists what is marked.
    Transaction transaccion(conexion);
    conexion.bloquear(sqlStock::claveComprobante(comprobante));
    auto sinImprimir = conexion.execute(sqlStock::lineasSinImprimir(comprobante));
    for (; !sinImprimir->eof(); sinImprimir->moveNext())
        conexion.execute(mPrincipal::sentenciaUpdate(
            QStringLiteral("movstk"), {QStringLiteral("impreso")}, {QStringLiteral("S")},
            sqlStock::condicionLinea(comprobante, sinImprimir->field(QStringLiteral("numero")).text())));
    Impresion impresion;
    const double suma =
        conexion.execute(sqlStock::totalSalida(comprobante))->field(QStringLiteral("totsal")).value().toDouble();
    impresion.totalSalida = numeros::valor(numeros::numeral15(suma));
    impresion.filas = conexion.execute(sqlStock::filasTicket(comprobante));
    transaccion.commit();
    return impresion;
}

} // namespace operacionesStock
