// A count's differences against the books, its sheet, and applying it.
#include "change_record.h"
#include "connection.h"
#include "count_sql.h"
#include "count_steps.h"
#include "numbers.h"
#include "quendra_error.h"
#include "recordset.h"
#include "stock_counts.h"

#include "posting_steps.h"
#include <algorithm>

namespace recuentos {

namespace {

using numeros::Diezmilesimos;

// A sum or amount as the database gives it back, cut to 15 significant digits; none is 0.
double cifra(const Field &campo)
{
    return campo.isNull() ? 0 : numeros::valor(numeros::numeral15(campo.value().toDouble()));
}

std::vector<Diferencia> leerDiferencias(Connection &conexion, const QString &sql)
{
    std::vector<Diferencia> v;
    auto rs = conexion.execute(sql);
    const int numero = rs->columnIndex(QStringLiteral("numero")), nombre = rs->columnIndex(QStringLiteral("nombre")),
              codigo = rs->columnIndex(QStringLiteral("codigo")), costo = rs->columnIndex(QStringLiteral("costo")),
              contado = rs->columnIndex(QStringLiteral("contado")), libro = rs->columnIndex(QStringLiteral("libro"));
    v.reserve(size_t(rs->rowCount()));
    for (; !rs->eof(); rs->moveNext()) {
        Diferencia d{rs->field(numero).text(),   rs->field(nombre).text(),  rs->field(codigo).text(),
                     cifra(rs->field(libro)),    cifra(rs->field(contado)), cifra(rs->field(costo)),
                     rs->field(contado).isNull()};
        // Covered, not counted and nothing on the books: nothing to adjust or to show.
        if (d.noContado && d.libro == 0)
            continue;
        v.push_back(std::move(d));
    }
    return v;
}

// The adjustment lines of one kind: the surpluses as entries or the shortages as exits.
QList<operacionesStock::Linea> ajustes(const Recuento &r, const std::vector<Diferencia> &difs, bool entrada,
                                       const QString &comprobante)
{
    QList<operacionesStock::Linea> lineas;
    for (const Diferencia &d : difs) {
        const double diferencia = d.diferencia();
        if (entrada ? diferencia <= 0 : diferencia >= 0)
            continue;
        lineas.append({.comprobante = comprobante,
                       .nuevo = true,
                       .entrada = entrada,
                       .fecha = r.fecha,
                       .deposito = r.deposito,
                       .detalle = detalleAjuste(r.numero),
                       .numero = d.numero,
                       .codigo = d.familia,
                       .cantidad = entrada ? diferencia : -diferencia,
                       .costo = d.costo,
                       .ajuste = true});
    }
    return lineas;
}

// One row for the whole count in the record of changes, whatever the number of its lines.
void anotarAplicacion(Connection &conexion, const Recuento &r, const std::vector<Diferencia> &difs,
                      const QString &entrada, const QString &salida)
{
    registroCambios::Cambio cambio{registroCambios::Tipo::Conteo,
                                   {},
                                   {},
                                   QStringLiteral("Recuento %1, depósito %2").arg(r.numero).arg(r.deposito),
                                   {},
                                   {}};
    cambio.nuevo = registroCambios::valores({QStringLiteral("artículos"), QStringLiteral("comprobante de entrada"),
                                             QStringLiteral("comprobante de salida")},
                                            {QString::number(difs.size()), entrada, salida});
    registroCambios::anotar(conexion, cambio);
}

} // namespace

double Diferencia::diferencia() const
{
    return double((Diezmilesimos::desde(contado) - Diezmilesimos::desde(libro)).centesimas()) / 100.0;
}

int64_t Diferencia::valor() const
{
    return Diezmilesimos::centesimasDelProducto(Diezmilesimos::desde(diferencia()), Diezmilesimos::desde(costo));
}

QString detalleAjuste(int recuento)
{
    return QStringLiteral("Ajuste por recuento %1").arg(recuento);
}

std::vector<Diferencia> diferencias(Connection &conexion, const Recuento &recuento)
{
    return leerDiferencias(conexion, recuento.estado == Estado::Aplicado
                                         ? sqlRecuento::diferenciasGuardadas(recuento.numero)
                                         : sqlRecuento::diferencias(recuento));
}

std::vector<ArticuloPlanilla> planilla(Connection &conexion, const Recuento &recuento, bool conLibro)
{
    std::vector<ArticuloPlanilla> v;
    auto rs = conexion.execute(sqlRecuento::planilla(recuento, conLibro));
    v.reserve(size_t(rs->rowCount()));
    for (; !rs->eof(); rs->moveNext())
        v.push_back(
            {rs->field(0).text(), rs->field(1).text(), rs->field(2).text(), conLibro ? cifra(rs->field(3)) : 0});
    return v;
}

Aplicacion aplicar(Connection &conexion, int recuento, const QString &usuario)
{
    Aplicacion ap;
    Transaction transaccion(conexion);
    ap.rechazo = pasos::tomarAbierto(conexion, recuento);
    if (ap.rechazo != Rechazo::Ninguno)
        return ap;
    ap.recuento = *leer(conexion, recuento);
    // The vouchers first, then the articles, in the order every posting takes its locks.
    operacionesStock::pasos::Tomados tomados;
    QString ultimo;
    const operacionesStock::pasos::DosNuevos dos = operacionesStock::pasos::tomarDosNuevos(conexion, tomados, ultimo);
    // Held from here: a movement posted before this point is in the differences, none comes after.
    conexion.execute(sqlRecuento::bloquearArticulos(ap.recuento));
    ap.diferencias = diferencias(conexion, ap.recuento);
    // The first number goes to whichever voucher comes first, so that none is left unused between two.
    const bool haySobrantes = std::any_of(ap.diferencias.begin(), ap.diferencias.end(),
                                          [](const Diferencia &d) { return d.diferencia() > 0; });
    const QString entrada = haySobrantes ? dos.primero : QString();
    const QString salida = haySobrantes ? dos.segundo : dos.primero;
    QList<operacionesStock::Linea> lineas = ajustes(ap.recuento, ap.diferencias, true, entrada);
    lineas += ajustes(ap.recuento, ap.diferencias, false, salida);
    if (std::any_of(lineas.begin(), lineas.end(), [](const auto &l) { return l.comprobante.isEmpty(); })) {
        ap.rechazo = Rechazo::SinNumeros;
        return ap;
    }
    for (const QString &n : {dos.primero, dos.segundo})
        tomados.insert(n, n);
    const operacionesStock::ResultadoLineas posteo = operacionesStock::pasos::asentarLineas(conexion, lineas, tomados);
    // New vouchers are neither printed nor full, and an adjustment is never short of stock.
    if (posteo.indice != -1)
        throw QuendraError(QuendraError::ErrorDelServidor,
                           QStringLiteral("El ajuste del artículo %1 fue rechazado").arg(lineas[posteo.indice].numero));
    const bool haySalidas = std::any_of(lineas.begin(), lineas.end(), [](const auto &l) { return !l.entrada; });
    // The figures posted stay with the count, whatever is posted later.
    for (const Diferencia &d : ap.diferencias) {
        const QString libro = numeros::numeral(d.libro), costo = numeros::numeral(d.costo);
        conexion.execute(d.noContado ? sqlRecuento::insertarNoContado(recuento, d.numero, libro, costo)
                                     : sqlRecuento::fijarLibro(recuento, d.numero, libro, costo));
    }
    conexion.execute(
        sqlRecuento::cerrar(recuento, 'P', usuario, pasos::ahora(), entrada, haySalidas ? salida : QString()));
    anotarAplicacion(conexion, ap.recuento, ap.diferencias, entrada, haySalidas ? salida : QString());
    transaccion.commit();
    ap.recuento = *leer(conexion, recuento);
    return ap;
}

} // namespace recuentos
