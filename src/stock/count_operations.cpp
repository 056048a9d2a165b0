// Opening and reading counts, and their lines as the operators enter them.
#include "connection.h"
#include "count_sql.h"
#include "count_steps.h"
#include "dates.h"
#include "numbers.h"
#include "recordset.h"
#include "stock_counts.h"

#include <QDateTime>

namespace recuentos {

namespace {

Recuento deFila(const Recordset &rs)
{
    const auto texto = [&rs](const char *columna) { return rs.field(QLatin1String(columna)).text(); };
    Recuento r;
    r.numero = int(rs.field(QStringLiteral("numero")).value().toLongLong());
    r.deposito = texto("deposito");
    r.fecha = fechas::leer(texto("fecha"));
    r.alcance = {texto("desde_numero"), texto("hasta_numero"), texto("desde_familia"), texto("hasta_familia")};
    const QString estado = texto("estado");
    r.estado = estado == QLatin1String("P")   ? Estado::Aplicado
               : estado == QLatin1String("D") ? Estado::Descartado
                                              : Estado::Abierto;
    r.noContadosCero = rs.field(QStringLiteral("no_contados_cero")).value().toLongLong() != 0;
    r.abiertoPor = texto("abierto_por");
    r.abiertoEl = texto("abierto_el");
    r.cerradoPor = texto("cerrado_por");
    r.cerradoEl = texto("cerrado_el");
    r.comprobanteEntrada = texto("comprobante_entrada");
    r.comprobanteSalida = texto("comprobante_salida");
    return r;
}

} // namespace

namespace pasos {

Rechazo tomarAbierto(Connection &conexion, int recuento)
{
    conexion.bloquear(sqlRecuento::clave(recuento));
    const auto r = leer(conexion, recuento);
    if (!r)
        return Rechazo::NoExiste;
    return r->estado == Estado::Abierto ? Rechazo::Ninguno : Rechazo::Cerrado;
}

QString ahora()
{
    return QDateTime::currentDateTime().toString(Qt::ISODate);
}

} // namespace pasos

using pasos::ahora;
using pasos::tomarAbierto;

bool cubre(const Alcance &alcance, const QString &numero, const QString &familia)
{
    const auto dentro = [](const QString &valor, const QString &desde, const QString &hasta) {
        return (desde.isEmpty() || valor >= desde) && (hasta.isEmpty() || valor <= hasta);
    };
    return dentro(numero, alcance.desdeNumero, alcance.hastaNumero)
           && dentro(familia, alcance.desdeFamilia, alcance.hastaFamilia);
}

int abrir(Connection &conexion, const QString &deposito, const QDate &fecha, const Alcance &alcance,
          const QString &usuario)
{
    Transaction transaccion(conexion);
    // Two operators opening counts at once take turns for the number.
    conexion.bloquear(sqlRecuento::clave(0));
    auto ultimo = conexion.execute(sqlRecuento::ultimoNumero());
    const int numero = ultimo->field(0).isNull() ? 1 : int(ultimo->field(0).value().toLongLong()) + 1;
    conexion.execute(sqlRecuento::insertar(numero, deposito, fecha, alcance, usuario, ahora()));
    transaccion.commit();
    return numero;
}

std::optional<Recuento> leer(Connection &conexion, int numero)
{
    auto rs = conexion.execute(sqlRecuento::recuento(numero));
    if (rs->eof())
        return std::nullopt;
    return deFila(*rs);
}

QList<Recuento> abiertos(Connection &conexion)
{
    QList<Recuento> lista;
    for (auto rs = conexion.execute(sqlRecuento::abiertos()); !rs->eof(); rs->moveNext())
        lista << deFila(*rs);
    return lista;
}

std::optional<ArticuloPlanilla> articulo(Connection &conexion, const QString &numero)
{
    auto rs = conexion.execute(sqlRecuento::articulo(numero));
    if (rs->eof())
        return std::nullopt;
    return ArticuloPlanilla{rs->field(0).text(), rs->field(1).text(), rs->field(2).text()};
}

std::optional<double> contado(Connection &conexion, int recuento, const QString &numero)
{
    auto rs = conexion.execute(sqlRecuento::linea(recuento, numero));
    if (rs->eof())
        return std::nullopt;
    return numeros::valor(numeros::numeral15(rs->field(0).value().toDouble()));
}

Anotado anotar(Connection &conexion, int recuento, const QString &numero, double cantidad, Modo modo)
{
    Anotado a;
    if (!(cantidad >= 0) || !numeros::importeAdmitido(numeros::numeral(cantidad))) {
        a.rechazo = Rechazo::CantidadInvalida;
        return a;
    }
    Transaction transaccion(conexion);
    a.rechazo = tomarAbierto(conexion, recuento);
    if (a.rechazo != Rechazo::Ninguno)
        return a;
    if (conexion.execute(sqlRecuento::articulo(numero))->eof()) {
        a.rechazo = Rechazo::ArticuloInexistente;
        return a;
    }
    const std::optional<double> antes = contado(conexion, recuento, numero);
    a.contado = numeros::redondear(modo == Modo::Sumar && antes ? *antes + numeros::redondear(cantidad) : cantidad);
    if (!numeros::importeAdmitido(numeros::numeral(a.contado))) {
        a.rechazo = Rechazo::CantidadInvalida;
        return a;
    }
    const QString texto = numeros::numeral(a.contado);
    conexion.execute(antes ? sqlRecuento::actualizarLinea(recuento, numero, texto)
                           : sqlRecuento::insertarLinea(recuento, numero, texto));
    transaccion.commit();
    return a;
}

Rechazo quitar(Connection &conexion, int recuento, const QString &numero)
{
    Transaction transaccion(conexion);
    const Rechazo rechazo = tomarAbierto(conexion, recuento);
    if (rechazo != Rechazo::Ninguno)
        return rechazo;
    conexion.execute(sqlRecuento::eliminarLinea(recuento, numero));
    transaccion.commit();
    return rechazo;
}

Rechazo fijarNoContadosCero(Connection &conexion, int recuento, bool cero)
{
    Transaction transaccion(conexion);
    const Rechazo rechazo = tomarAbierto(conexion, recuento);
    if (rechazo != Rechazo::Ninguno)
        return rechazo;
    conexion.execute(sqlRecuento::fijarNoContadosCero(recuento, cero));
    transaccion.commit();
    return rechazo;
}

std::vector<LineaContada> lineas(Connection &conexion, int recuento)
{
    std::vector<LineaContada> v;
    for (auto rs = conexion.execute(sqlRecuento::lineas(recuento)); !rs->eof(); rs->moveNext())
        v.push_back({rs->field(0).text(), rs->field(1).text(),
                     numeros::valor(numeros::numeral15(rs->field(2).value().toDouble()))});
    return v;
}

Rechazo descartar(Connection &conexion, int recuento, const QString &usuario)
{
    Transaction transaccion(conexion);
    const Rechazo rechazo = tomarAbierto(conexion, recuento);
    if (rechazo != Rechazo::Ninguno)
        return rechazo;
    conexion.execute(sqlRecuento::cerrar(recuento, 'D', usuario, ahora(), QString(), QString()));
    transaccion.commit();
    return rechazo;
}

} // namespace recuentos
