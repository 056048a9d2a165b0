#include "movim_sql.h"
#include "sql_text.h"

namespace sqlMovim {

QString articulosPorNumero(const QString &tecleado, const QString &numeroExacto)
{
    return QStringLiteral("Select * from articulo where numero like '%") + sqlTexto(tecleado)
           + QStringLiteral("%' order by numero=") + sqlEntreComillas(numeroExacto) + QStringLiteral(" desc, numero");
}

QString busquedaPorNombre(const QString &nombre)
{
    return QStringLiteral("select a.numero,a.nombre,f.familia from articulo a,familia f where nombre like '%")
           + sqlTexto(nombre) + QStringLiteral("%' and a.codigo=f.codigo");
}

QString articulo(const QString &numero)
{
    return QStringLiteral("Select * from articulo where numero=") + sqlEntreComillas(numero);
}

} // namespace sqlMovim
