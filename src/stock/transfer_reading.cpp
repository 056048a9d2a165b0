// Reading transfers, the stock of a place, and marking a transfer printed.
#include "change_record.h"
#include "connection.h"
#include "dates.h"
#include "numbers.h"
#include "recordset.h"
#include "stock_sql.h"
#include "transfer_operations.h"
#include "transfer_sql.h"

namespace transferencias {

namespace {

// A sum computed in SQL as it is written back: cut to 15 significant digits; none is 0.
double suma(const Field &campo)
{
    return campo.isNull() ? 0 : numeros::valor(numeros::numeral15(campo.value().toDouble()));
}

std::optional<Transferencia> cabecera(Connection &conexion, int numero)
{
    auto rs = conexion.execute(sqlTransferencia::transferencia(numero));
    if (rs->eof())
        return std::nullopt;
    Transferencia t;
    t.numero = numero;
    t.fecha = fechas::leer(rs->field(QStringLiteral("fecha")).text());
    t.origen = rs->field(QStringLiteral("origen")).text();
    t.destino = rs->field(QStringLiteral("destino")).text();
    t.detalle = rs->field(QStringLiteral("detalle")).text();
    t.salida = rs->field(QStringLiteral("comprobante_salida")).text();
    t.entrada = rs->field(QStringLiteral("comprobante_entrada")).text();
    t.impresa = conexion.execute(sqlTransferencia::impresas(t.salida, t.entrada))->field(0).value().toLongLong() > 0;
    return t;
}

} // namespace

StockEnDeposito stockEnDeposito(Connection &conexion, const QString &numero, const QString &deposito, const QDate &dia)
{
    auto rs = conexion.execute(sqlTransferencia::stockEnDeposito(numero, deposito, dia));
    return {suma(rs->field(QStringLiteral("aldia"))), suma(rs->field(QStringLiteral("total")))};
}

std::optional<Transferencia> leer(Connection &conexion, int numero)
{
    std::optional<Transferencia> t = cabecera(conexion, numero);
    if (!t)
        return t;
    for (auto rs = conexion.execute(sqlTransferencia::lineas(t->salida)); !rs->eof(); rs->moveNext())
        t->lineas.append({rs->field(QStringLiteral("numero")).text(), rs->field(QStringLiteral("codigo")).text(),
                          rs->field(QStringLiteral("cantidad")).value().toDouble(),
                          rs->field(QStringLiteral("costo")).value().toDouble()});
    return t;
}

int deComprobante(Connection &conexion, const QString &comprobante)
{
    auto rs = conexion.execute(sqlTransferencia::deComprobante(comprobante));
    return rs->eof() ? 0 : int(rs->field(0).value().toLongLong());
}

std::optional<Remito> marcarImpresa(Connection &conexion, int numero)
{
    // Held like a voucher's printing, so the note lists exactly the lines marked.
    Transaction transaccion(conexion);
    conexion.bloquear(sqlTransferencia::clave());
    std::optional<Transferencia> t = cabecera(conexion, numero);
    if (!t)
        return std::nullopt;
    conexion.bloquear(sqlStock::claveComprobante(t->salida));
    conexion.bloquear(sqlStock::claveComprobante(t->entrada));
    conexion.execute(sqlTransferencia::marcarImpresas(t->salida, t->entrada));
    t->impresa = true;
    registroCambios::anotar(conexion, {registroCambios::Tipo::ComprobanteImpreso,
                                       {},
                                       t->salida,
                                       enRegistro(numero, t->salida, t->entrada),
                                       {},
                                       QStringLiteral("remito")});
    Remito remito{*t, conexion.execute(sqlTransferencia::lineas(t->salida))};
    transaccion.commit();
    return remito;
}

} // namespace transferencias
