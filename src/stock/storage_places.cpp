#include "storage_places.h"
#include "connection.h"
#include "sql_text.h"

namespace depositos {

namespace {
QString condicion(const QString &codigo)
{
    return QStringLiteral(" where codigo=") + sqlEntreComillas(codigo);
}
} // namespace

QList<Deposito> todos(Connection &conexion)
{
    QList<Deposito> lista;
    for (auto rs = conexion.execute(QStringLiteral("select codigo, nombre from deposito order by codigo")); !rs->eof();
         rs->moveNext())
        lista.append({rs->field(0).text(), rs->field(1).text()});
    return lista;
}

QString nombre(Connection &conexion, const QString &codigo)
{
    auto rs = conexion.execute(QStringLiteral("select nombre from deposito") + condicion(codigo));
    return rs->eof() ? QString() : rs->field(0).text();
}

qint64 movimientos(Connection &conexion, const QString &codigo)
{
    auto rs =
        conexion.execute(QStringLiteral("select count(*) from movstk where deposito=") + sqlEntreComillas(codigo));
    return rs->field(0).value().toLongLong();
}

void guardar(Connection &conexion, const Deposito &deposito)
{
    Transaction transaccion(conexion);
    conexion.bloquear(QStringLiteral("deposito.codigo ") + deposito.codigo);
    const bool existe =
        !conexion.execute(QStringLiteral("select id from deposito") + condicion(deposito.codigo))->eof();
    conexion.execute(existe ? QStringLiteral("update deposito set nombre=") + sqlEntreComillas(deposito.nombre)
                                  + condicion(deposito.codigo)
                            : QStringLiteral("insert into deposito(codigo, nombre) values (")
                                  + sqlEntreComillas(deposito.codigo) + QStringLiteral(", ")
                                  + sqlEntreComillas(deposito.nombre) + QLatin1Char(')'));
    transaccion.commit();
}

QString consultaGrilla()
{
    return QStringLiteral("select * from deposito order by codigo");
}

} // namespace depositos
