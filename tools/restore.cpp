#include "restore.h"
#include "backup.h"
#include "quendra_error.h"
#include "schema_tables.h"
#include "sqlite_handles.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace datos {

namespace {

QStringList filas(sqlite3 *db, const char *sql)
{
    QStringList r;
    SentenciaSqlite st;
    int rc = sqlite3_prepare_v2(db, sql, -1, st.destino(), nullptr);
    if (rc == SQLITE_OK)
        while ((rc = sqlite3_step(st.get())) == SQLITE_ROW)
            r << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st.get(), 0)));
    if (rc != SQLITE_DONE)
        throw QuendraError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
    return r;
}

// Folds the file's journal into it, which SQLite allows only when no other
// connection has it open. A damaged file cannot be folded; it is set aside as
// it stands, with its journal.
void cerrarDiario(const QString &archivo)
{
    BaseSqlite b;
    int rc = sqlite3_open_v2(archivo.toUtf8().constData(), b.destino(), SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(b.get(), "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    const int codigo = b.get() ? sqlite3_extended_errcode(b.get()) : rc;
    if (rc == SQLITE_OK || copias::esCodigoDanado(codigo))
        return;
    if ((codigo & 0xff) == SQLITE_BUSY || (codigo & 0xff) == SQLITE_LOCKED)
        throw QuendraError(codigo, QStringLiteral("El archivo «%1» está abierto en otro programa; cierre Quendra "
                                                  "antes de restaurar una copia")
                                       .arg(archivo));
    throw QuendraError(codigo,
                       QStringLiteral("No se pudo preparar «%1»: %2")
                           .arg(archivo, QString::fromUtf8(b.get() ? sqlite3_errmsg(b.get()) : sqlite3_errstr(rc))));
}

void mover(const QString &de, const QString &a)
{
    QFile::remove(a);
    if (QFileInfo::exists(de) && !QFile::rename(de, a))
        throw QuendraError(SQLITE_CANTOPEN, QStringLiteral("No se pudo mover «%1» a «%2»").arg(de, a));
}

} // namespace

void comprobarCopia(const QString &copia)
{
    if (!QFileInfo(copia).isFile())
        throw QuendraError(SQLITE_CANTOPEN, QStringLiteral("No se encontró la copia «%1»").arg(copia));
    BaseSqlite b;
    const QString rechazo = QStringLiteral("La copia «%1» no se puede restaurar: %2");
    try {
        int rc = sqlite3_open_v2(copia.toUtf8().constData(), b.destino(), SQLITE_OPEN_READONLY, nullptr);
        if (rc != SQLITE_OK)
            throw QuendraError(rc, QString::fromUtf8(sqlite3_errstr(rc)));
        const QStringList integridad = filas(b.get(), "PRAGMA integrity_check");
        if (integridad != QStringList{QStringLiteral("ok")})
            throw QuendraError(SQLITE_CORRUPT, integridad.join(QStringLiteral("; ")));
        const QStringList tablas = filas(b.get(), "SELECT lower(name) FROM sqlite_master WHERE type = 'table'");
        for (const char *t : tablasDeQuendra)
            if (!tablas.contains(QLatin1String(t)))
                throw QuendraError(QuendraError::BaseNoValida, QStringLiteral("le falta la tabla %1").arg(t));
    } catch (const QuendraError &e) {
        throw QuendraError(e.numero(), rechazo.arg(copia, e.descripcion()));
    }
}

void restaurar(const QString &copia, const QString &archivo)
{
    comprobarCopia(copia);
    // The copy is brought beside the file first, so nothing is replaced until it is there whole.
    const QString entrante = archivo + QStringLiteral(".restaurando");
    QFile::remove(entrante);
    if (!QFile::copy(copia, entrante))
        throw QuendraError(SQLITE_CANTOPEN, QStringLiteral("No se pudo copiar «%1» junto a «%2»").arg(copia, archivo));
    try {
        if (QFileInfo::exists(archivo)) {
            cerrarDiario(archivo);
            const QString anterior = archivo + QStringLiteral(".anterior");
            mover(archivo + QStringLiteral("-wal"), anterior + QStringLiteral("-wal"));
            QFile::remove(archivo + QStringLiteral("-shm"));
            QFile::remove(anterior + QStringLiteral("-shm"));
            mover(archivo, anterior);
        }
        mover(entrante, archivo);
    } catch (...) {
        QFile::remove(entrante);
        throw;
    }
}

} // namespace datos
