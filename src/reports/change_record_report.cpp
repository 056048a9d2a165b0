#include "change_record_report.h"
#include "change_record.h"
#include "connection.h"
#include "dates.h"
#include "mprincipal.h"
#include "recordset.h"
#include "sql_text.h"
#include "stock_reports.h"

namespace {

QString fecha(const QDate &d)
{
    return QLatin1Char('#') + fechas::texto(d) + QLatin1Char('#');
}

QString parte(const QString &texto)
{
    return QStringLiteral("'%") + sqlTexto(texto) + QStringLiteral("%'");
}

} // namespace

QString consultaRegistro(const FiltroRegistro &f)
{
    const QString quien = QStringLiteral("coalesce(usuario,'') || '@' || coalesce(equipo,'')");
    QString sql = QStringLiteral("select fecha, hora, CASE WHEN rol IS NULL THEN ") + quien
                  + QStringLiteral(" ELSE rol || ' (' || ") + quien + QStringLiteral(" || ')' END as operador, ")
                  + registroCambios::descripcionSql(QStringLiteral("tipo"))
                  + QStringLiteral(" as tipo, numero, comprobante, objeto, anterior, nuevo, '' as ") + columnaEstilo
                  + QStringLiteral(" from registro_cambios where fecha >= ") + fecha(f.desde)
                  + QStringLiteral(" and fecha <= ") + fecha(f.hasta);
    if (!f.operador.isEmpty())
        sql += QStringLiteral(" and (rol like ") + parte(f.operador) + QStringLiteral(" or usuario like ")
               + parte(f.operador) + QStringLiteral(" or equipo like ") + parte(f.operador) + QLatin1Char(')');
    if (!f.numero.isEmpty())
        sql += QStringLiteral(" and numero = ") + sqlEntreComillas(f.numero);
    if (!f.comprobante.isEmpty())
        sql += QStringLiteral(" and (comprobante = ") + sqlEntreComillas(f.comprobante)
               + QStringLiteral(" or objeto like ") + parte(f.comprobante) + QLatin1Char(')');
    return sql + QStringLiteral(" order by fecha, id");
}

std::unique_ptr<Recordset> armarRegistro(const FiltroRegistro &filtro)
{
    return mPrincipal::conexion().execute(consultaRegistro(filtro));
}
