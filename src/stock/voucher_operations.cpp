// Deleting a voucher and marking it printed.
#include "article_stock.h"
#include "change_record.h"
#include "connection.h"
#include "mprincipal.h"
#include "numbers.h"
#include "stock_operations.h"
#include "stock_sql.h"
#include "transfer_operations.h"

namespace operacionesStock {

Estado estadoComprobante(Connection &conexion, const QString &comprobante)
{
    auto rs = conexion.execute(sqlStock::estadoComprobante(comprobante));
    return {rs->field(QStringLiteral("lineas")).value().toInt(), rs->field(QStringLiteral("impresas")).value().toInt()};
}

Resultado eliminarComprobante(Connection &conexion, const QString &comprobante)
{
    Resultado r;
    r.comprobante = comprobante;
    // Held like a posting into it, so no line is added or printed between the check and the delete.
    Transaction transaccion(conexion);
    conexion.bloquear(sqlStock::claveComprobante(comprobante));
    if (estadoComprobante(conexion, comprobante).impresas > 0) {
        r.rechazo = Rechazo::Impreso;
        return r;
    }
    // Half of a transfer goes only with the other half (transferencias::eliminar).
    if (transferencias::deComprobante(conexion, comprobante) != 0) {
        r.rechazo = Rechazo::DeTransferencia;
        return r;
    }
    QStringList articulos;
    auto rs = conexion.execute(sqlStock::articulosDelComprobante(comprobante));
    for (; !rs->eof(); rs->moveNext())
        articulos << rs->field(QStringLiteral("numero")).text();
    // In number order, so two operations never wait for each other's articles in a circle.
    for (const QString &numero : articulos)
        conexion.execute(sqlStock::bloqueoArticulo(numero));
    conexion.execute(sqlStock::eliminarComprobante(comprobante));
    for (const QString &numero : articulos)
        stockArticulo::reescribir(conexion, numero);
    registroCambios::anotar(conexion, {registroCambios::Tipo::ComprobanteBaja,
                                       {},
                                       comprobante,
                                       {},
                                       QStringLiteral("artículos: ") + articulos.join(QStringLiteral(", ")),
                                       {}});
    transaccion.commit();
    return r;
}

Impresion marcarImpreso(Connection &conexion, const QString &comprobante)
{
    // One commit for all the lines: the mark is all or nothing, and quick. A
    // posting into the voucher under way ends first, and none begins until the
    // ticket's rows are read, so the ticket lists what is marked.
    Transaction transaccion(conexion);
    conexion.bloquear(sqlStock::claveComprobante(comprobante));
    auto sinImprimir = conexion.execute(sqlStock::lineasSinImprimir(comprobante));
    registroCambios::anotar(conexion, {registroCambios::Tipo::ComprobanteImpreso,
                                       {},
                                       comprobante,
                                       {},
                                       {},
                                       QStringLiteral("líneas marcadas: ") + QString::number(sinImprimir->rowCount())});
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
