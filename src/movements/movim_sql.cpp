#include "movim_sql.h"
#include "sql_text.h"

namespace sqlMovim {

namespace {
QString entreComillas(const QString &texto)
{
    return QLatin1Char('\'') + sqlTexto(texto) + QLatin1Char('\'');
}
} // namespace

QString ultimoComprobante()
{
    return QStringLiteral("select max(comprobante) as ultimo from movstk");
}

QString lineasDelComprobante(const QString &comprobante)
{
    return QStringLiteral("select * from movstk where comprobante=") + entreComillas(comprobante);
}

QString articulosPorNumero(const QString &tecleado, const QString &numeroExacto)
{
    return QStringLiteral("Select * from articulo where numero like '%") + sqlTexto(tecleado)
           + QStringLiteral("%' order by numero=") + entreComillas(numeroExacto) + QStringLiteral(" desc, numero");
}

QString busquedaPorNombre(const QString &nombre)
{
    return QStringLiteral("select a.numero,a.nombre,f.familia from articulo a,familia f where nombre like '%")
           + sqlTexto(nombre) + QStringLiteral("%' and a.codigo=f.codigo");
}

QString articulo(const QString &numero)
{
    return QStringLiteral("Select * from articulo where numero=") + entreComillas(numero);
}

QString condicionLinea(const QString &comprobante, const QString &numero)
{
    return QStringLiteral("comprobante=") + entreComillas(comprobante) + QStringLiteral(" and numero=")
           + entreComillas(numero);
}

QString lineaExistente(const QString &condicion)
{
    return QStringLiteral("select * from  movstk where ") + condicion;
}

QString bloqueoArticulo(const QString &numero)
{
    return QStringLiteral("select stock from articulo where numero=") + entreComillas(numero)
           + QStringLiteral(" for update");
}

QString claveComprobante(const QString &comprobante)
{
    return QStringLiteral("movstk.comprobante ") + comprobante;
}

QString actualizarStock(const QString &numero, const QString &stock)
{
    return QStringLiteral("update articulo set stock=") + stock + QStringLiteral(" where  numero=")
           + entreComillas(numero);
}

QString eliminarComprobante(const QString &comprobante)
{
    return QStringLiteral("delete from movstk where comprobante=") + entreComillas(comprobante);
}

QString lineasSinImprimir(const QString &comprobante)
{
    return QStringLiteral("select * from movstk where comprobante=") + entreComillas(comprobante)
           + QStringLiteral(" and impreso='N'");
}

QString totalSalida(const QString &comprobante)
{
    return QStringLiteral("select Sum(salida) as totsal from movstk where comprobante=") + entreComillas(comprobante);
}

QString filasTicket(const QString &comprobante)
{
    return QStringLiteral("select m.numero as numero,a.nombre as nombre,m.salida as cantidad from movstk m,articulo a "
                          "where m.comprobante=")
           + entreComillas(comprobante) + QStringLiteral(" and m.numero=a.numero");
}

} // namespace sqlMovim
