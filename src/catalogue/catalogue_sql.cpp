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

namespace {
QString etiquetas(const QString &cantidad, const QString &resto)
{
    return QStringLiteral("select a.numero, a.nombre, ") + cantidad
           + QStringLiteral(" as cantidad, (select c.codigo from codigo_barras c where c.numero=a.numero order by c.id "
                            "limit 1) as codigo from ")
           + resto;
}
} // namespace

QString etiquetasDelRango(const QString &desde, const QString &hasta)
{
    return etiquetas(QStringLiteral("1"), QStringLiteral("articulo a where a.numero between ") + sqlEntreComillas(desde)
                                              + QStringLiteral(" and ") + sqlEntreComillas(hasta)
                                              + QStringLiteral(" order by a.numero"));
}

QString etiquetasDeFamilia(const QString &familia)
{
    return etiquetas(QStringLiteral("1"), QStringLiteral("articulo a where a.codigo=") + sqlEntreComillas(familia)
                                              + QStringLiteral(" order by a.numero"));
}

QString etiquetasDelComprobante(const QString &comprobante)
{
    return etiquetas(QStringLiteral("m.Entrada"), QStringLiteral("movstk m, articulo a where m.comprobante=")
                                                      + sqlEntreComillas(comprobante)
                                                      + QStringLiteral(" and a.numero=m.numero and m.Entrada>0 "
                                                                       "order by m.id"));
}

} // namespace sqlCatalogo
