#include "stock_sql.h"
#include "sql_text.h"

namespace sqlStock {

QString suma(const QString &numero)
{
    return QStringLiteral("select sum(entrada)-sum(salida) as stk from movstk where numero=")
           + sqlEntreComillas(numero);
}

QString sumas(const QString &lista)
{
    return QStringLiteral("select numero, sum(entrada)-sum(salida) as stk from movstk where numero in (") + lista
           + QStringLiteral(") group by numero");
}

QString bloqueoArticulos(const QString &lista)
{
    return QStringLiteral("select numero from articulo where numero in (") + lista
           + QStringLiteral(") order by numero for update");
}

QString ultimoComprobante()
{
    return QStringLiteral("select max(comprobante) as ultimo from movstk");
}

QString lineasDelComprobante(const QString &comprobante)
{
    return QStringLiteral("select * from movstk where comprobante=") + sqlEntreComillas(comprobante);
}

QString condicionLinea(const QString &comprobante, const QString &numero)
{
    return QStringLiteral("comprobante=") + sqlEntreComillas(comprobante) + QStringLiteral(" and numero=")
           + sqlEntreComillas(numero);
}

QString lineaExistente(const QString &condicion)
{
    return QStringLiteral("select * from  movstk where ") + condicion;
}

QString bloqueoArticulo(const QString &numero)
{
    return QStringLiteral("select stock from articulo where numero=") + sqlEntreComillas(numero)
           + QStringLiteral(" for update");
}

QString claveComprobante(const QString &comprobante)
{
    return QStringLiteral("movstk.comprobante ") + comprobante;
}

QString actualizarStock(const QString &numero, const QString &stock)
{
    return QStringLiteral("update articulo set stock=") + stock + QStringLiteral(" where  numero=")
           + sqlEntreComillas(numero);
}

QString actualizarStocks(const QStringList &numeros, const QStringList &stocks)
{
    QString casos, lista;
    for (qsizetype i = 0; i < numeros.size(); ++i) {
        const QString numero = sqlEntreComillas(numeros[i]);
        casos += QStringLiteral(" when ") + numero + QStringLiteral(" then ") + stocks[i];
        lista += (i > 0 ? QStringLiteral(",") : QString()) + numero;
    }
    return QStringLiteral("update articulo set stock=case numero") + casos + QStringLiteral(" end where numero in (")
           + lista + QLatin1Char(')');
}

QString eliminarComprobante(const QString &comprobante)
{
    return QStringLiteral("delete from movstk where comprobante=") + sqlEntreComillas(comprobante);
}

QString estadoComprobante(const QString &comprobante)
{
    return QStringLiteral("select count(*) as lineas, coalesce(sum(case when impreso='S' then 1 else 0 end), 0) as "
                          "impresas from movstk where comprobante=")
           + sqlEntreComillas(comprobante);
}

QString articulosDelComprobante(const QString &comprobante)
{
    return QStringLiteral("select distinct numero from movstk where comprobante=") + sqlEntreComillas(comprobante)
           + QStringLiteral(" order by numero");
}

QString lineasSinImprimir(const QString &comprobante)
{
    return QStringLiteral("select * from movstk where comprobante=") + sqlEntreComillas(comprobante)
           + QStringLiteral(" and impreso='N'");
}

QString totalSalida(const QString &comprobante)
{
    return QStringLiteral("select Sum(salida) as totsal from movstk where comprobante=")
           + sqlEntreComillas(comprobante);
}

QString filasTicket(const QString &comprobante)
{
    return QStringLiteral("select m.numero as numero,a.nombre as nombre,m.salida as cantidad from movstk m,articulo a "
                          "where m.comprobante=")
           + sqlEntreComillas(comprobante) + QStringLiteral(" and m.numero=a.numero");
}

} // namespace sqlStock
