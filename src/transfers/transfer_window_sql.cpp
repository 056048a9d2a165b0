#include "transfer_window_sql.h"
#include "sql_text.h"

namespace sqlTransferencias {

QString articulo(const QString &numero)
{
    return QStringLiteral("select * from articulo where numero=") + sqlEntreComillas(numero);
}

QString busquedaPorNombre(const QString &nombre)
{
    return QStringLiteral("select a.numero,a.nombre,f.familia from articulo a left join familia f on a.codigo=f.codigo "
                          "where a.nombre like '%")
           + sqlTexto(nombre) + QStringLiteral("%' order by a.nombre");
}

} // namespace sqlTransferencias
