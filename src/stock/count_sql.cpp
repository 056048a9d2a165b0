#include "count_sql.h"
#include "dates.h"
#include "sql_text.h"

namespace sqlRecuento {

namespace {

QString dia(const QDate &fecha)
{
    return QLatin1Char('#') + fechas::texto(fecha) + QLatin1Char('#');
}

QString n(int numero)
{
    return QString::number(numero);
}

QString delRecuento(int recuento, const QString &numero)
{
    return QStringLiteral(" where recuento=") + n(recuento) + QStringLiteral(" and numero=") + sqlEntreComillas(numero);
}

// The articles covered, as conditions on "a" (articulo); "1=1" when the count covers all.
QString cubiertos(const recuentos::Alcance &alcance)
{
    QString c = QStringLiteral("1=1");
    const auto limite = [&c](const char *columna, const char *op, const QString &valor) {
        if (!valor.isEmpty())
            c += QStringLiteral(" and a.") + QLatin1String(columna) + QLatin1String(op) + sqlEntreComillas(valor);
    };
    limite("numero", ">=", alcance.desdeNumero);
    limite("numero", "<=", alcance.hastaNumero);
    limite("codigo", ">=", alcance.desdeFamilia);
    limite("codigo", "<=", alcance.hastaFamilia);
    return c;
}

// The place's movements of article a.numero up to the end of the day: what the
// movement report gives as the balance of that place.
QString libro(const recuentos::Recuento &r)
{
    return QStringLiteral("(select sum(coalesce(m.Entrada,0)-coalesce(m.Salida,0)) from movstk m "
                          "where m.numero=a.numero and m.deposito=")
           + sqlEntreComillas(r.deposito) + QStringLiteral(" and m.fecha<=") + dia(r.fecha) + QLatin1Char(')');
}

// The articles the differences concern: those counted, and with noContadosCero those covered.
QString concernidos(const recuentos::Recuento &r)
{
    QString c = QStringLiteral(" from articulo a left join recuento_linea l on l.numero=a.numero and l.recuento=")
                + n(r.numero) + QStringLiteral(" where ");
    if (r.noContadosCero)
        return c + QStringLiteral("(l.id is not null or (") + cubiertos(r.alcance) + QStringLiteral("))");
    return c + QStringLiteral("l.id is not null");
}

} // namespace

QString clave(int recuento)
{
    return QStringLiteral("recuento ") + n(recuento);
}

QString ultimoNumero()
{
    return QStringLiteral("select max(numero) as ultimo from recuento");
}

QString insertar(int numero, const QString &deposito, const QDate &fecha, const recuentos::Alcance &alcance,
                 const QString &usuario, const QString &cuando)
{
    return QStringLiteral("insert into recuento(numero,deposito,fecha,desde_numero,hasta_numero,desde_familia,"
                          "hasta_familia,estado,abierto_por,abierto_el,no_contados_cero) values (")
           + n(numero) + QLatin1Char(',') + sqlEntreComillas(deposito) + QLatin1Char(',') + dia(fecha)
           + QLatin1Char(',') + sqlEntreComillas(alcance.desdeNumero) + QLatin1Char(',')
           + sqlEntreComillas(alcance.hastaNumero) + QLatin1Char(',') + sqlEntreComillas(alcance.desdeFamilia)
           + QLatin1Char(',') + sqlEntreComillas(alcance.hastaFamilia) + QStringLiteral(",'A',")
           + sqlEntreComillas(usuario) + QLatin1Char(',') + sqlEntreComillas(cuando) + QStringLiteral(",0)");
}

QString recuento(int numero)
{
    return QStringLiteral("select * from recuento where numero=") + n(numero);
}

QString abiertos()
{
    return QStringLiteral("select * from recuento where estado='A' order by numero");
}

QString cerrar(int numero, char estado, const QString &usuario, const QString &cuando, const QString &entrada,
               const QString &salida)
{
    return QStringLiteral("update recuento set estado='") + QLatin1Char(estado) + QStringLiteral("',cerrado_por=")
           + sqlEntreComillas(usuario) + QStringLiteral(",cerrado_el=") + sqlEntreComillas(cuando)
           + QStringLiteral(",comprobante_entrada=") + sqlEntreComillas(entrada)
           + QStringLiteral(",comprobante_salida=") + sqlEntreComillas(salida) + QStringLiteral(" where numero=")
           + n(numero);
}

QString fijarNoContadosCero(int numero, bool cero)
{
    return QStringLiteral("update recuento set no_contados_cero=") + (cero ? QLatin1Char('1') : QLatin1Char('0'))
           + QStringLiteral(" where numero=") + n(numero);
}

QString articulo(const QString &numero)
{
    return QStringLiteral("select numero,nombre,codigo from articulo where numero=") + sqlEntreComillas(numero);
}

QString linea(int recuento, const QString &numero)
{
    return QStringLiteral("select contado from recuento_linea") + delRecuento(recuento, numero);
}

QString insertarLinea(int recuento, const QString &numero, const QString &contado)
{
    return QStringLiteral("insert into recuento_linea(recuento,numero,contado) values (") + n(recuento)
           + QLatin1Char(',') + sqlEntreComillas(numero) + QLatin1Char(',') + contado + QLatin1Char(')');
}

QString actualizarLinea(int recuento, const QString &numero, const QString &contado)
{
    return QStringLiteral("update recuento_linea set contado=") + contado + delRecuento(recuento, numero);
}

QString eliminarLinea(int recuento, const QString &numero)
{
    return QStringLiteral("delete from recuento_linea") + delRecuento(recuento, numero);
}

QString lineas(int recuento)
{
    return QStringLiteral("select l.numero as numero,a.nombre as nombre,l.contado as contado from recuento_linea l "
                          "left join articulo a on a.numero=l.numero where l.contado is not null and l.recuento=")
           + n(recuento) + QStringLiteral(" order by l.numero");
}

QString diferencias(const recuentos::Recuento &r)
{
    return QStringLiteral("select a.numero as numero,a.nombre as nombre,a.codigo as codigo,a.costo as costo,"
                          "l.contado as contado,")
           + libro(r) + QStringLiteral(" as libro") + concernidos(r) + QStringLiteral(" order by a.numero");
}

QString diferenciasGuardadas(int recuento)
{
    return QStringLiteral("select l.numero as numero,a.nombre as nombre,a.codigo as codigo,l.costo as costo,"
                          "l.contado as contado,l.libro as libro from recuento_linea l left join articulo a on "
                          "a.numero=l.numero where l.recuento=")
           + n(recuento) + QStringLiteral(" order by l.numero");
}

QString bloquearArticulos(const recuentos::Recuento &r)
{
    // No join: the server locks only the rows of a table read on its own.
    QString c = QStringLiteral("a.numero in (select numero from recuento_linea where recuento=") + n(r.numero)
                + QLatin1Char(')');
    if (r.noContadosCero)
        c = QLatin1Char('(') + c + QStringLiteral(" or (") + cubiertos(r.alcance) + QStringLiteral("))");
    return QStringLiteral("select a.numero from articulo a where ") + c
           + QStringLiteral(" order by a.numero for update");
}

QString fijarLibro(int recuento, const QString &numero, const QString &libro, const QString &costo)
{
    return QStringLiteral("update recuento_linea set libro=") + libro + QStringLiteral(",costo=") + costo
           + delRecuento(recuento, numero);
}

QString insertarNoContado(int recuento, const QString &numero, const QString &libro, const QString &costo)
{
    return QStringLiteral("insert into recuento_linea(recuento,numero,contado,libro,costo) values (") + n(recuento)
           + QLatin1Char(',') + sqlEntreComillas(numero) + QStringLiteral(",null,") + libro + QLatin1Char(',') + costo
           + QLatin1Char(')');
}

QString planilla(const recuentos::Recuento &r, bool conLibro)
{
    return QStringLiteral("select a.numero as numero,a.nombre as nombre,a.codigo as codigo")
           + (conLibro ? QStringLiteral(",") + libro(r) + QStringLiteral(" as libro") : QString())
           + QStringLiteral(" from articulo a where ") + cubiertos(r.alcance)
           + QStringLiteral(" order by a.codigo,a.numero");
}

} // namespace sqlRecuento
