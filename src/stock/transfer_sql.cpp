#include "transfer_sql.h"
#include "dates.h"
#include "numbers.h"
#include "sql_text.h"

namespace sqlTransferencia {

namespace {
QString dia(const QDate &fecha)
{
    return QLatin1Char('#') + fechas::texto(fecha) + QLatin1Char('#');
}

QString ambos(const QString &salida, const QString &entrada)
{
    return QStringLiteral(" where comprobante in (") + sqlEntreComillas(salida) + QLatin1Char(',')
           + sqlEntreComillas(entrada) + QLatin1Char(')');
}

QString condicion(int numero)
{
    return QStringLiteral(" where numero=") + QString::number(numero);
}
} // namespace

QString clave()
{
    return QStringLiteral("transferencia");
}

QString stockEnDeposito(const QString &numero, const QString &deposito, const QDate &fecha)
{
    return QStringLiteral("select sum(case when fecha<=") + dia(fecha)
           + QStringLiteral(" then coalesce(Entrada,0)-coalesce(Salida,0) end) as aldia,"
                            "sum(coalesce(Entrada,0)-coalesce(Salida,0)) as total from movstk where numero=")
           + sqlEntreComillas(numero) + QStringLiteral(" and deposito=") + sqlEntreComillas(deposito);
}

QString ultimoNumero()
{
    return QStringLiteral("select max(numero) as ultimo from transferencia");
}

QString transferencia(int numero)
{
    return QStringLiteral(
               "select numero,fecha,origen,destino,detalle,comprobante_salida,comprobante_entrada from transferencia")
           + condicion(numero);
}

QString deComprobante(const QString &comprobante)
{
    return QStringLiteral("select numero from transferencia where comprobante_salida=") + sqlEntreComillas(comprobante)
           + QStringLiteral(" or comprobante_entrada=") + sqlEntreComillas(comprobante);
}

QString insertar(int numero, const QDate &fecha, const QString &origen, const QString &destino, const QString &detalle,
                 const QString &salida, const QString &entrada)
{
    return QStringLiteral(
               "insert into transferencia(numero,fecha,origen,destino,detalle,comprobante_salida,comprobante_entrada) values (")
           + QString::number(numero) + QLatin1Char(',') + dia(fecha) + QLatin1Char(',') + sqlEntreComillas(origen)
           + QLatin1Char(',') + sqlEntreComillas(destino) + QLatin1Char(',') + sqlEntreComillas(detalle)
           + QLatin1Char(',') + sqlEntreComillas(salida) + QLatin1Char(',') + sqlEntreComillas(entrada)
           + QLatin1Char(')');
}

QString actualizar(int numero, const QDate &fecha, const QString &origen, const QString &destino,
                   const QString &detalle)
{
    return QStringLiteral("update transferencia set fecha=") + dia(fecha) + QStringLiteral(",origen=")
           + sqlEntreComillas(origen) + QStringLiteral(",destino=") + sqlEntreComillas(destino)
           + QStringLiteral(",detalle=") + sqlEntreComillas(detalle) + condicion(numero);
}

QString eliminar(int numero)
{
    return QStringLiteral("delete from transferencia") + condicion(numero);
}

QString articulos(const QString &salida, const QString &entrada)
{
    return QStringLiteral("select distinct numero from movstk") + ambos(salida, entrada)
           + QStringLiteral(" order by numero");
}

QString impresas(const QString &salida, const QString &entrada)
{
    return QStringLiteral("select count(*) as impresas from movstk") + ambos(salida, entrada)
           + QStringLiteral(" and impreso='S'");
}

QString marcarImpresas(const QString &salida, const QString &entrada)
{
    return QStringLiteral("update movstk set impreso='S'") + ambos(salida, entrada);
}

QString eliminarLineas(const QString &salida, const QString &entrada)
{
    return QStringLiteral("delete from movstk") + ambos(salida, entrada);
}

QString lineas(const QString &salida)
{
    return QStringLiteral("select m.numero as numero,a.nombre as nombre,m.Salida as cantidad,m.costo as costo,"
                          "m.codigo as codigo from movstk m left join articulo a on a.numero=m.numero "
                          "where m.comprobante=")
           + sqlEntreComillas(salida) + QStringLiteral(" order by m.numero");
}

} // namespace sqlTransferencia
