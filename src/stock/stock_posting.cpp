// Posting lines: the voucher's number, the locks, the stock check, the row and the stock written back.
#include "article_stock.h"
#include "change_record.h"
#include "connection.h"
#include "dates.h"
#include "mprincipal.h"
#include "numbers.h"
#include "posting_steps.h"
#include "quendra_error.h"
#include "recordset.h"
#include "stock_sql.h"
#include "transfer_operations.h"

namespace operacionesStock {

namespace pasos {

// The first line of a new voucher takes its number only now, the next free one
// when another operator stored lines under it since it was proposed.
QString tomarComprobante(Connection &conexion, const Linea &linea, Tomados &tomados, QString &ultimo)
{
    if (const auto tomado = tomados.constFind(linea.comprobante); tomado != tomados.cend())
        return *tomado;
    QString comprobante = linea.comprobante;
    conexion.bloquear(sqlStock::claveComprobante(comprobante));
    // Numbers only grow from one lock to the next: two postings never wait for each other in a circle.
    while (linea.nuevo && !conexion.execute(sqlStock::lineasDelComprobante(comprobante))->eof()) {
        comprobante = siguienteComprobante(conexion, ultimo);
        if (comprobante.isEmpty())
            return comprobante;
        conexion.bloquear(sqlStock::claveComprobante(comprobante));
    }
    tomados.insert(linea.comprobante, comprobante);
    return comprobante;
}

bool abrirComprobante(Connection &conexion, const Linea &linea, Tomados &tomados, Resultado &r)
{
    const bool yaTomado = tomados.contains(linea.comprobante);
    r.comprobante = tomarComprobante(conexion, linea, tomados, r.ultimo);
    if (r.comprobante.isEmpty()) {
        r.rechazo = Rechazo::SinNumeros;
        return false;
    }
    // Held from here to the commit: no one prints it meanwhile.
    if (!yaTomado && estadoComprobante(conexion, r.comprobante).impresas > 0) {
        r.rechazo = Rechazo::Impreso;
        return false;
    }
    return true;
}

const QStringList &columnasLinea()
{
    static const QStringList columnas{
        QStringLiteral("comprobante"), QStringLiteral("tipomov"), QStringLiteral("fecha"),   QStringLiteral("numero"),
        QStringLiteral("costo"),       QStringLiteral("detalle"), QStringLiteral("impreso"), QStringLiteral("deposito"),
        QStringLiteral("Entrada"),     QStringLiteral("Salida"),  QStringLiteral("codigo")};
    return columnas;
}

QStringList valoresLinea(const Linea &linea, const QString &comprobante)
{
    const QString cantidad = numeros::numeral(numeros::redondear(linea.cantidad));
    const QString cero = QStringLiteral("0");
    return {comprobante,
            linea.entrada ? QStringLiteral("EN") : QStringLiteral("SA"),
            fechas::texto(linea.fecha),
            linea.numero,
            numeros::numeral(numeros::redondear(linea.costo)),
            linea.detalle,
            QStringLiteral("N"),
            linea.deposito,
            linea.entrada ? cantidad : cero,
            linea.entrada ? cero : cantidad,
            linea.codigo};
}

} // namespace pasos

namespace {

using pasos::Tomados;

// The stock the article's movements give without the line that is to be written over.
double stockSinLinea(Connection &conexion, const QString &numero, Recordset &existente)
{
    double stock = numeros::valor(stockArticulo::deMovimientos(conexion, numero));
    if (!existente.eof())
        stock -= existente.field(QStringLiteral("Entrada")).value().toDouble()
                 - existente.field(QStringLiteral("Salida")).value().toDouble();
    return numeros::valor(numeros::numeral15(stock));
}

// One line inside the caller's transaction.
Resultado asentar(Connection &conexion, const Linea &linea, Tomados &tomados)
{
    Resultado r;
    if (!pasos::abrirComprobante(conexion, linea, tomados, r))
        return r;
    conexion.execute(sqlStock::bloqueoArticulo(linea.numero));
    const QString condicion = sqlStock::condicionLinea(r.comprobante, linea.numero);
    auto existente = conexion.execute(sqlStock::lineaExistente(condicion));
    // Another operator's exit may have taken the stock the line was prepared with; a line
    // posted again replaces the quantity it had, so that quantity is available to it.
    if (!linea.entrada && !linea.ajuste) {
        r.stock = stockSinLinea(conexion, linea.numero, *existente);
        if (r.stock < numeros::valor(numeros::numeral(numeros::redondear(linea.cantidad)))) {
            r.rechazo = Rechazo::SinStock;
            return r;
        }
    }
    const QString tabla = QStringLiteral("movstk");
    if (existente->eof())
        conexion.execute(
            mPrincipal::sentenciaInsert(tabla, pasos::columnasLinea(), pasos::valoresLinea(linea, r.comprobante)));
    else
        conexion.execute(mPrincipal::sentenciaUpdate(tabla, pasos::columnasLinea(),
                                                     pasos::valoresLinea(linea, r.comprobante), condicion));
    stockArticulo::reescribir(conexion, linea.numero);
    return r;
}

} // namespace

namespace pasos {

ResultadoLineas asentarLineas(Connection &conexion, const QList<Linea> &lineas, Tomados &tomados)
{
    ResultadoLineas r;
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        r.resultado = asentar(conexion, lineas[i], tomados);
        if (r.resultado.rechazo != Rechazo::Ninguno) {
            r.indice = i;
            r.comprobantes.clear();
            return r;
        }
        r.comprobantes << r.resultado.comprobante;
    }
    return r;
}

} // namespace pasos

Resultado registrarLinea(Connection &conexion, const Linea &linea)
{
    return registrarLineas(conexion, {linea}).resultado;
}

namespace {

// How the record of changes shows a line: its kind, quantity, cost, place, day and detail.
const QStringList columnasRegistro{QStringLiteral("tipo"),     QStringLiteral("cantidad"), QStringLiteral("costo"),
                                   QStringLiteral("depósito"), QStringLiteral("fecha"),    QStringLiteral("detalle")};

QStringList textosLinea(const Linea &l)
{
    return {l.entrada ? QStringLiteral("EN") : QStringLiteral("SA"),
            numeros::numeral(numeros::redondear(l.cantidad)),
            numeros::numeral(numeros::redondear(l.costo)),
            l.deposito,
            fechas::texto(l.fecha),
            l.detalle};
}

// The line a posting will write over, as the record shows it; empty when there is none. The
// voucher is held first, as the posting holds it, so no one changes the line in between.
QStringList lineaAnterior(Connection &conexion, const Linea &l)
{
    if (l.nuevo)
        return {};
    conexion.bloquear(sqlStock::claveComprobante(l.comprobante));
    auto rs = conexion.execute(sqlStock::lineaExistente(sqlStock::condicionLinea(l.comprobante, l.numero)));
    if (rs->eof())
        return {};
    const auto texto = [&](const char *c) { return rs->field(QString::fromLatin1(c)).text(); };
    const bool entrada = texto("tipomov") == QLatin1String("EN");
    return {texto("tipomov"), entrada ? texto("Entrada") : texto("Salida"),
            texto("costo"),   texto("deposito"),
            texto("fecha"),   texto("detalle")};
}

} // namespace

ResultadoLineas registrarLineas(Connection &conexion, const QList<Linea> &lineas)
{
    Transaction transaccion(conexion);
    QList<QStringList> anteriores;
    for (const Linea &l : lineas)
        anteriores << lineaAnterior(conexion, l);
    ResultadoLineas r = registrarLineasEnCurso(conexion, lineas);
    if (r.indice != -1)
        return r;
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        registroCambios::Cambio c{registroCambios::Tipo::LineaAlta, lineas[i].numero, r.comprobantes[i], {}, {}, {}};
        const QStringList nuevos = textosLinea(lineas[i]);
        if (anteriores[i].isEmpty()) {
            c.nuevo = registroCambios::valores(columnasRegistro, nuevos);
        } else {
            c.tipo = registroCambios::Tipo::LineaCambio;
            const auto d = registroCambios::diferencias(columnasRegistro, anteriores[i], nuevos);
            c.anterior = d.anterior;
            c.nuevo = d.nuevo;
        }
        registroCambios::anotar(conexion, c);
    }
    transaccion.commit();
    return r;
}

ResultadoLineas registrarLineasEnCurso(Connection &conexion, const QList<Linea> &lineas)
{
    pasos::exigirTransaccion(conexion);
    Tomados tomados;
    ResultadoLineas r = pasos::asentarLineas(conexion, lineas, tomados);
    pasos::refusarTransferencias(conexion, r);
    return r;
}

namespace pasos {

void exigirTransaccion(Connection &conexion)
{
    if (!conexion.inTransaction())
        throw QuendraError(QuendraError::ErrorDelServidor, QStringLiteral("No hay una transacción abierta"));
}

void refusarTransferencias(Connection &conexion, ResultadoLineas &r)
{
    // Each voucher is held by now, so a transfer cannot take it meanwhile.
    for (qsizetype i = 0; i < r.comprobantes.size(); ++i)
        if (r.comprobantes.indexOf(r.comprobantes[i]) == i
            && transferencias::deComprobante(conexion, r.comprobantes[i]) != 0) {
            r.resultado = Resultado{};
            r.resultado.rechazo = Rechazo::DeTransferencia;
            r.resultado.comprobante = r.comprobantes[i];
            r.indice = i;
            r.comprobantes.clear();
            return;
        }
}

} // namespace pasos

} // namespace operacionesStock
