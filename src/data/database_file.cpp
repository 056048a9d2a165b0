#include "database_file.h"
#include "quendra_error.h"
#include "schema_version.h"
#include "sqlite_handles.h"

#include <QFile>
#include <QFileInfo>

namespace archivoBase {

QByteArray guionCompleto(bool servidor)
{
    QFile f(servidor ? QStringLiteral(":/db/schema-postgresql.sql") : QStringLiteral(":/db/schema.sql"));
    if (!f.open(QIODevice::ReadOnly))
        throw QuendraError(QuendraError::BaseNoValida, QStringLiteral("Falta el esquema de la base de datos"));
    QByteArray guion = f.readAll() + ";\n";
    for (const versionEsquema::Paso &paso : versionEsquema::pasosDesde(1, servidor))
        guion += paso.sql + ";\n";
    return guion + versionEsquema::guionVersion(versionEsquema::actual, servidor);
}

void crear(const QString &archivo)
{
    if (QFileInfo::exists(archivo))
        throw QuendraError(QuendraError::BaseNoValida, QStringLiteral("El archivo «%1» ya existe").arg(archivo));
    BaseSqlite db;
    int rc = sqlite3_open_v2(archivo.toUtf8().constData(), db.destino(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    char *error = nullptr;
    if (rc == SQLITE_OK)
        rc =
            sqlite3_exec(db.get(), ("BEGIN;" + guionCompleto(false) + "COMMIT;").constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        QString desc = QString::fromUtf8(error ? error : (db.get() ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc)));
        sqlite3_free(error);
        db.reset();
        QFile::remove(archivo);
        throw QuendraError(rc, QStringLiteral("No se pudo crear «%1»: %2").arg(archivo, desc));
    }
    sqlite3_exec(db.get(), "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
}

} // namespace archivoBase
