#include "schema_upgrade.h"
#include "backup.h"
#include "connection.h"
#include "quendra_error.h"
#include "schema_version.h"

#include <QDir>
#include <QFileInfo>

namespace actualizacionEsquema {

namespace {

// backups/quendra-antes-de-la-version-2.accdb, with a number after it when that name is taken.
QString copiaAntesDe(const QString &archivo, int version)
{
    const QDir carpeta(copias::carpeta(archivo));
    if (!carpeta.mkpath(QStringLiteral(".")))
        throw QuendraError(QuendraError::BaseNoValida,
                           QStringLiteral("No se pudo crear la carpeta de copias «%1»").arg(carpeta.path()));
    const QString base = QStringLiteral("quendra-antes-de-la-version-%1").arg(version);
    QString nombre = carpeta.filePath(base + QStringLiteral(".accdb"));
    for (int n = 2; QFileInfo::exists(nombre); ++n)
        nombre = carpeta.filePath(QStringLiteral("%1-%2.accdb").arg(base).arg(n));
    copias::copiar(archivo, nombre);
    return nombre;
}

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
        r.copia = copiaAntesDe(conexion.archivo(), r.desde + 1);
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
