// Posting, changing and deleting a transfer: both vouchers in one transaction.
#include "transfer_operations.h"
#include "article_stock.h"
#include "change_record.h"
#include "connection.h"
#include "numbers.h"
#include "posting_steps.h"
#include "stock_sql.h"
#include "storage_places.h"
#include "transfer_sql.h"

#include <QSet>

namespace transferencias {

namespace {

namespace op = operacionesStock;

Resultado rechazo(Rechazo r, qsizetype indice = -1)
{
    Resultado resultado;
    resultado.rechazo = r;
    resultado.indice = indice;
    return resultado;
}

// What the transfer itself may hold, before anything is locked.
Resultado revisar(Connection &conexion, const Transferencia &t)
{
    if (t.origen == t.destino)
        return rechazo(Rechazo::MismoDeposito);
    if (depositos::nombre(conexion, t.origen).isEmpty() || depositos::nombre(conexion, t.destino).isEmpty())
        return rechazo(Rechazo::DepositoInexistente);
    if (t.lineas.isEmpty())
        return rechazo(Rechazo::SinLineas);
    QSet<QString> vistos;
    for (qsizetype i = 0; i < t.lineas.size(); ++i) {
        if (numeros::redondear(t.lineas[i].cantidad) <= 0)
            return rechazo(Rechazo::CantidadInvalida, i);
        if (vistos.contains(t.lineas[i].numero))
            return rechazo(Rechazo::ArticuloRepetido, i);
        vistos.insert(t.lineas[i].numero);
    }
    return {};
}

// The stored transfer's vouchers, held; NoExiste or Impresa when it may not change.
Resultado tomarGuardada(Connection &conexion, int numero)
{
    auto rs = conexion.execute(sqlTransferencia::transferencia(numero));
    if (rs->eof())
        return rechazo(Rechazo::NoExiste);
    Resultado r;
    r.numero = numero;
    r.salida = rs->field(QStringLiteral("comprobante_salida")).text();
    r.entrada = rs->field(QStringLiteral("comprobante_entrada")).text();
    conexion.bloquear(sqlStock::claveComprobante(r.salida));
    conexion.bloquear(sqlStock::claveComprobante(r.entrada));
    if (conexion.execute(sqlTransferencia::impresas(r.salida, r.entrada))->field(0).value().toLongLong() > 0)
        r.rechazo = Rechazo::Impresa;
    return r;
}

QStringList articulosDe(Connection &conexion, const QString &salida, const QString &entrada)
{
    QStringList numeros;
    for (auto rs = conexion.execute(sqlTransferencia::articulos(salida, entrada)); !rs->eof(); rs->moveNext())
        numeros << rs->field(0).text();
    return numeros;
}

// A new transfer's number and its two new vouchers, the entry's after the
// exit's, each locked and without lines; false when the voucher numbers are used up.
bool tomarNumeros(Connection &conexion, op::pasos::Tomados &tomados, Resultado &r)
{
    auto ultimo = conexion.execute(sqlTransferencia::ultimoNumero());
    r.numero = ultimo->field(0).isNull() ? 1 : int(ultimo->field(0).value().toLongLong()) + 1;
    const op::pasos::DosNuevos dos = op::pasos::tomarDosNuevos(conexion, tomados, r.ultimo);
    r.salida = dos.primero;
    r.entrada = dos.segundo;
    tomados.insert(QStringLiteral("entrada"), r.entrada);
    tomados.insert(QStringLiteral("salida"), r.salida);
    return !r.entrada.isEmpty();
}

// Every line against what the origin holds of its article, the articles already held.
Resultado revisarOrigen(Connection &conexion, const Transferencia &t)
{
    for (qsizetype i = 0; i < t.lineas.size(); ++i) {
        const StockEnDeposito hay = stockEnDeposito(conexion, t.lineas[i].numero, t.origen, t.fecha);
        // A later exit from the place must still find what it took.
        const double disponible = std::min(hay.alDia, hay.total);
        if (disponible < numeros::redondear(t.lineas[i].cantidad)) {
            Resultado r = rechazo(Rechazo::SinStockEnOrigen, i);
            r.stock = disponible;
            return r;
        }
    }
    return {};
}

// The exit lines, then the entry lines, to the vouchers named "salida" and "entrada" in the posting's numbers.
QList<op::Linea> lineasDeComprobantes(const Transferencia &t, int numero)
{
    QList<op::Linea> lineas;
    const QString detalle = detalleComprobantes(numero, t.origen, t.destino);
    for (const bool entrada : {false, true})
        for (const Linea &l : t.lineas)
            lineas.append({.comprobante = entrada ? QStringLiteral("entrada") : QStringLiteral("salida"),
                           .entrada = entrada,
                           .fecha = t.fecha,
                           .deposito = entrada ? t.destino : t.origen,
                           .detalle = detalle,
                           .numero = l.numero,
                           .codigo = l.codigo,
                           .cantidad = l.cantidad,
                           .costo = l.costo});
    return lineas;
}

void escribirStocks(Connection &conexion, const QStringList &numeros)
{
    for (const QString &numero : numeros) {
        conexion.execute(sqlStock::bloqueoArticulo(numero));
        stockArticulo::reescribir(conexion, numero);
    }
}

} // namespace

namespace {

// One row for the whole transfer, naming both of its vouchers.
void anotarTransferencia(Connection &conexion, registroCambios::Tipo tipo, const Resultado &r, const QString &texto)
{
    registroCambios::Cambio c{tipo, {}, r.salida, {}, {}, {}};
    c.objeto = enRegistro(r.numero, r.salida, r.entrada);
    (tipo == registroCambios::Tipo::TransferenciaBaja ? c.anterior : c.nuevo) = texto;
    registroCambios::anotar(conexion, c);
}

} // namespace

QString enRegistro(int numero, const QString &salida, const QString &entrada)
{
    return QStringLiteral("Transferencia %1 (salida %2, entrada %3)").arg(QString::number(numero), salida, entrada);
}

QString detalleComprobantes(int numero, const QString &origen, const QString &destino)
{
    return QStringLiteral("Transferencia %1 de %2 a %3").arg(QString::number(numero), origen, destino);
}

Resultado registrar(Connection &conexion, const Transferencia &t)
{
    if (Resultado r = revisar(conexion, t); r.rechazo != Rechazo::Ninguno)
        return r;
    Transaction transaccion(conexion);
    // Locks in one order, as every posting takes them: the transfers' own, the vouchers, then the articles.
    conexion.bloquear(sqlTransferencia::clave());
    Resultado r;
    op::pasos::Tomados tomados;
    QStringList anteriores;
    if (t.numero == 0) {
        if (!tomarNumeros(conexion, tomados, r)) {
            r.rechazo = Rechazo::SinNumeros;
            return r;
        }
    } else {
        r = tomarGuardada(conexion, t.numero);
        if (r.rechazo != Rechazo::Ninguno)
            return r;
        tomados.insert(QStringLiteral("salida"), r.salida);
        tomados.insert(QStringLiteral("entrada"), r.entrada);
        anteriores = articulosDe(conexion, r.salida, r.entrada);
        conexion.execute(sqlTransferencia::eliminarLineas(r.salida, r.entrada));
    }
    QStringList articulos = anteriores;
    for (const Linea &l : t.lineas)
        articulos << l.numero;
    articulos.sort();
    articulos.removeDuplicates();
    // In article order, so that two transfers never wait for each other in a circle.
    for (const QString &numero : articulos)
        conexion.execute(sqlStock::bloqueoArticulo(numero));
    if (Resultado origen = revisarOrigen(conexion, t); origen.rechazo != Rechazo::Ninguno)
        return origen;

    const op::ResultadoLineas asentadas =
        op::pasos::asentarLineas(conexion, lineasDeComprobantes(t, r.numero), tomados);
    if (asentadas.indice != -1) {
        Resultado rechazada = rechazo(Rechazo::SinStock, asentadas.indice % t.lineas.size());
        rechazada.stock = asentadas.resultado.stock;
        return rechazada;
    }
    conexion.execute(t.numero == 0 ? sqlTransferencia::insertar(r.numero, t.fecha, t.origen, t.destino, t.detalle,
                                                                r.salida, r.entrada)
                                   : sqlTransferencia::actualizar(r.numero, t.fecha, t.origen, t.destino, t.detalle));
    // The articles a change took off the transfer.
    for (const Linea &l : t.lineas)
        anteriores.removeAll(l.numero);
    escribirStocks(conexion, anteriores);
    anotarTransferencia(
        conexion, t.numero == 0 ? registroCambios::Tipo::Transferencia : registroCambios::Tipo::TransferenciaCambio, r,
        QStringLiteral("de %1 a %2, %3 líneas").arg(t.origen, t.destino, QString::number(t.lineas.size())));
    transaccion.commit();
    return r;
}

Resultado eliminar(Connection &conexion, int numero)
{
    Transaction transaccion(conexion);
    conexion.bloquear(sqlTransferencia::clave());
    Resultado r = tomarGuardada(conexion, numero);
    if (r.rechazo != Rechazo::Ninguno)
        return r;
    const QStringList articulos = articulosDe(conexion, r.salida, r.entrada);
    conexion.execute(sqlTransferencia::eliminarLineas(r.salida, r.entrada));
    conexion.execute(sqlTransferencia::eliminar(numero));
    escribirStocks(conexion, articulos);
    anotarTransferencia(conexion, registroCambios::Tipo::TransferenciaBaja, r,
                        QStringLiteral("artículos: ") + articulos.join(QStringLiteral(", ")));
    transaccion.commit();
    return r;
}

} // namespace transferencias
