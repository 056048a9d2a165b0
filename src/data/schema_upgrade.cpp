#include "schema_upgrade.h"
#include "backup.h"
#include "connection.h"
#include "quendra_error.h"
#include "schema_version.h"

#include <QDir>
#include <QFileInfo>

namespace actualizacionEsquema {

namespace {

QuendraError sinPermiso(const QString &lugar, int version)
{
    return QuendraError(QuendraError::SinActualizar,
                        QStringLiteral("La base de datos «%1» es de la versión %2 y este programa usa la versión %3. "
                                       "Su usuario no es dueño de las tablas y no puede actualizarla: pida a quien lo "
                                       "sea que ejecute «quendra-db upgrade %1»")
                            .arg(lugar, QString::number(version), QString::number(versionEsquema::actual)));
}

} // namespace

Resultado actualizar(Connection &conexion)
{
    Resultado r;
    r.desde = r.hasta = conexion.versionEsquema();
    if (r.desde >= versionEsquema::actual)
        return r;
    const bool servidor = conexion.esServidor();
    if (servidor && !conexion.puedeCambiarTablas())
        throw sinPermiso(conexion.archivo(), r.desde);
    if (!servidor)
        r.copia = copias::copiaAntes(conexion.archivo(), QStringLiteral("la-version-%1").arg(r.desde + 1));
    Transaction transaccion(conexion);
    conexion.bloquear(QStringLiteral("quendra-actualizacion-del-esquema"));
    // Another program may have upgraded it while this one waited.
    r.desde = conexion.versionEsquema();
    for (const versionEsquema::Paso &paso : versionEsquema::pasosDesde(r.desde, servidor)) {
        conexion.ejecutarGuion(paso.sql);
        conexion.fijarVersionEsquema(paso.version);
        r.hasta = paso.version;
    }
    if (servidor)
        conexion.ejecutarGuion(versionEsquema::guionPermisosServidor());
    transaccion.commit();
    conexion.releerEsquema();
    return r;
}

} // namespace actualizacionEsquema
