#include "minimum_stock.h"
#include "connection.h"
#include "dates.h"
#include "recordset.h"
#include "sql_text.h"

#include <QSet>
#include <algorithm>

using numeros::Diezmilesimos;

namespace minimos {

namespace {

QString condicion(const Minimo &m)
{
    return QStringLiteral(" where numero=") + sqlEntreComillas(m.numero) + QStringLiteral(" and deposito=")
           + sqlEntreComillas(m.deposito);
}

// An amount as stored: null when empty, else its numeral rounded to cents.
QString cantidad(const QString &texto)
{
    return texto.trimmed().isEmpty() ? QStringLiteral("null") : numeros::importe(texto);
}

QString rechazoCantidad(const QString &texto, const QString &nombre)
{
    if (texto.trimmed().isEmpty())
        return {};
    if (!numeros::importeLegible(texto) || !numeros::esNumero(texto))
        return nombre + QStringLiteral(" incorrecto: ") + texto;
    if (!numeros::importeAdmitido(texto))
        return nombre + QStringLiteral(" fuera de rango");
    if (numeros::valorImporte(texto) < 0)
        return nombre + QStringLiteral(" no puede ser negativo");
    return {};
}

Diezmilesimos leido(const Recordset &rs, qsizetype fila, int columna)
{
    return rs.isNull(fila, columna) ? Diezmilesimos() : Diezmilesimos::desde(rs.value(fila, columna).toDouble());
}

} // namespace

QString rechazo(const Minimo &m)
{
    QString r = rechazoCantidad(m.minimo, QStringLiteral("Mínimo"));
    if (r.isEmpty())
        r = rechazoCantidad(m.reponer, QStringLiteral("Reponer hasta"));
    return r;
}

namespace {

// The row of a minimum that passed its checks, inside the caller's transaction.
void escribir(Connection &conexion, const Minimo &m)
{
    const bool vacio = m.minimo.trimmed().isEmpty() && m.reponer.trimmed().isEmpty() && m.proveedor.trimmed().isEmpty();
    // Two operators saving one article's place take turns: the second writes over the first.
    conexion.bloquear(QStringLiteral("minimo ") + m.numero + QLatin1Char(' ') + m.deposito);
    conexion.execute(QStringLiteral("delete from minimo") + condicion(m));
    if (!vacio)
        conexion.execute(QStringLiteral("insert into minimo(numero, deposito, minimo, reponer, proveedor) values (")
                         + sqlEntreComillas(m.numero) + QLatin1Char(',') + sqlEntreComillas(m.deposito)
                         + QLatin1Char(',') + cantidad(m.minimo) + QLatin1Char(',') + cantidad(m.reponer)
                         + QLatin1Char(',') + sqlEntreComillas(m.proveedor.trimmed()) + QLatin1Char(')'));
}

} // namespace

QString guardar(Connection &conexion, const Minimo &m)
{
    return guardarTodos(conexion, {m});
}

QString guardarTodos(Connection &conexion, const std::vector<Minimo> &filas)
{
    for (const Minimo &m : filas)
        if (QString r = rechazo(m); !r.isEmpty())
            return r;
    Transaction transaccion(conexion);
    for (const Minimo &m : filas)
        escribir(conexion, m);
    transaccion.commit();
    return {};
}

QString consultaGrilla(const QString &desdeFamilia, const QString &hastaFamilia, const QString &deposito)
{
    return QStringLiteral("select a.numero as numero, a.nombre as nombre, n.minimo as minimo, n.reponer as reponer, "
                          "n.proveedor as proveedor from articulo a left join minimo n on n.numero=a.numero and "
                          "n.deposito=")
           + sqlEntreComillas(deposito) + QStringLiteral(" where a.codigo>=") + sqlEntreComillas(desdeFamilia)
           + QStringLiteral(" and a.codigo<=") + sqlEntreComillas(hastaFamilia) + QStringLiteral(" order by a.numero");
}

namespace {

// Each minimum with the sums of the movements it covers up to the day, grouped
// by the minimum's article and place. A place's minimums and the all-places ones
// are two parts, so that the movements of a place's minimum are found through
// the index on (numero, deposito, fecha) instead of read and passed over.
QString porMinimo(const QString &columnas, const QString &uniones, const QDate &al, const QString &deposito)
{
    const auto parte = [&](bool deUnLugar, const QString &condicion) {
        return QStringLiteral("select ") + columnas
               + QStringLiteral(", sum(m.Entrada) as entrada, sum(m.Salida) as salida "
                                "from minimo n join articulo a on a.numero=n.numero")
               + uniones + QStringLiteral(" left join movstk m on m.numero=n.numero")
               + (deUnLugar ? QStringLiteral(" and m.deposito=n.deposito") : QString())
               + QStringLiteral(" and m.fecha<=#") + fechas::texto(al)
               + QStringLiteral("# where n.minimo is not null and n.deposito") + condicion
               + QStringLiteral(" group by n.numero, n.deposito");
    };
    if (!deposito.isEmpty())
        return parte(true, QLatin1Char('=') + sqlEntreComillas(deposito));
    return parte(true, QStringLiteral("<>''")) + QStringLiteral(" union all ") + parte(false, QStringLiteral("=''"));
}

// A minimum's stock at or below it, compared exactly in ten-thousandths.
bool alMinimo(const Recordset &rs, qsizetype fila, int minimo, int entrada, int salida)
{
    return (leido(rs, fila, entrada) - leido(rs, fila, salida)).cuenta() <= leido(rs, fila, minimo).cuenta();
}

} // namespace

QString sentenciaReposicion(const QDate &al, const QString &deposito)
{
    // max() of a joined row's own column is that column on every engine.
    return porMinimo(
        QStringLiteral("n.numero as numero, n.deposito as deposito, max(a.nombre) as nombre, "
                       "max(a.codigo) as codigo, max(fa.familia) as familia, max(a.costo) as costo, "
                       "max(n.minimo) as minimo, max(n.reponer) as reponer, max(n.proveedor) as proveedor"),
        QStringLiteral(" left join familia fa on fa.codigo=a.codigo"), al, deposito);
}

QString sentenciaCuenta(const QDate &al)
{
    return porMinimo(QStringLiteral("n.numero as numero, max(n.minimo) as minimo"), QString(), al, QString());
}

std::vector<AReponer> aReponer(Connection &conexion, const QDate &al, const QString &deposito)
{
    const auto rs = conexion.execute(sentenciaReposicion(al, deposito));
    auto col = [&](const char *nombre) { return rs->columnIndex(QLatin1String(nombre)); };
    const int numero = col("numero"), lugar = col("deposito"), nombre = col("nombre"), codigo = col("codigo"),
              familia = col("familia"), costo = col("costo"), minimo = col("minimo"), reponer = col("reponer"),
              proveedor = col("proveedor"), entrada = col("entrada"), salida = col("salida");
    std::vector<AReponer> filas;
    for (qsizetype r = 0; r < rs->rowCount(); ++r) {
        if (!alMinimo(*rs, r, minimo, entrada, salida))
            continue;
        const Diezmilesimos stock = leido(*rs, r, entrada) - leido(*rs, r, salida);
        const Diezmilesimos min = leido(*rs, r, minimo);
        filas.push_back({rs->text(r, numero), rs->text(r, nombre), rs->text(r, codigo), rs->text(r, familia),
                         rs->text(r, lugar), rs->text(r, proveedor), stock, min, leido(*rs, r, reponer),
                         leido(*rs, r, costo), !rs->isNull(r, reponer)});
    }
    std::sort(filas.begin(), filas.end(), [](const AReponer &a, const AReponer &b) {
        return std::tie(a.proveedor, a.familia, a.numero, a.deposito)
               < std::tie(b.proveedor, b.familia, b.numero, b.deposito);
    });
    return filas;
}

qsizetype articulosBajoElMinimo(Connection &conexion, const QDate &al)
{
    const auto rs = conexion.execute(sentenciaCuenta(al));
    const int numero = rs->columnIndex(QStringLiteral("numero")), minimo = rs->columnIndex(QStringLiteral("minimo")),
              entrada = rs->columnIndex(QStringLiteral("entrada")), salida = rs->columnIndex(QStringLiteral("salida"));
    QSet<QString> articulos;
    for (qsizetype r = 0; r < rs->rowCount(); ++r)
        if (alMinimo(*rs, r, minimo, entrada, salida))
            articulos.insert(rs->text(r, numero));
    return articulos.size();
}

} // namespace minimos
