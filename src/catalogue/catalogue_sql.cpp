#include "catalogue_sql.h"
#include "sql_text.h"

namespace sqlCatalogo {

namespace {
const QString columnasGrilla = QStringLiteral("select numero,nombre,costo,stock from articulo");
} // namespace

QString grillaArticulos()
{
    return columnasGrilla + QStringLiteral(" order by numero");
}

QString articulosPorNombre(const QString &nombre)
{
    return columnasGrilla + QStringLiteral(" where nombre like '%") + sqlTexto(nombre)
           + QStringLiteral("%' order by nombre");
}

QString articuloConFamilia(const QString &numero)
{
    return QStringLiteral("select a.*,f.familia from articulo a,familia f where a.numero='") + sqlTexto(numero)
           + QStringLiteral("' and f.codigo=a.codigo");
}

QString articulo(const QString &numero)
{
    return QStringLiteral("select * from articulo where numero ='") + sqlTexto(numero) + QLatin1Char('\'');
}

QString busquedaFamilias(const QString &nombre)
{
    return QStringLiteral("select codigo,familia from familia where familia like '%") + sqlTexto(nombre)
           + QStringLiteral("%'");
}

QString familia(const QString &codigo)
{
    return QStringLiteral("Select * from familia where codigo='") + sqlTexto(codigo) + QLatin1Char('\'');
}

QString grillaFamilias()
{
    return QStringLiteral("select * from familia");
}

QString familiaExistente(const QString &condicion)
{
    return QStringLiteral("SELECT * FROM familia where ") + condicion;
}

QString listaArticulos()
{
    return QStringLiteral("select * from articulo order by nombre");
}

} // namespace sqlCatalogo
