#include "database_summary.h"
#include "connection.h"

#include <QFileInfo>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

qint64 numero(Connection &conexion, const QString &sql)
{
    const auto filas = conexion.execute(sql);
    return filas->eof() ? 0 : filas->field(0).value().toLongLong();
}

} // namespace

ResumenBase resumirBase(Connection &conexion)
{
    conexion.exigirAbierta();
    ResumenBase r;
    r.lugar = conexion.archivo();
    r.servidor = conexion.esServidor();
    r.version = conexion.versionEsquema();
    r.bytes = r.servidor ? numero(conexion, QStringLiteral("SELECT pg_database_size(current_database())"))
                         : QFileInfo(r.lugar).size();
    r.articulos = numero(conexion, QStringLiteral("SELECT COUNT(*) FROM articulo"));
    r.movimientos = numero(conexion, QStringLiteral("SELECT COUNT(*) FROM movstk"));
    return r;
}

QString versionesBibliotecas()
{
    const int pq = PQlibVersion();
    return QStringLiteral("Qt %1, SQLite %2, libpq %3.%4")
        .arg(QString::fromLatin1(qVersion()), QString::fromLatin1(sqlite3_libversion()), QString::number(pq / 10000),
             QString::number(pq % 10000));
}
