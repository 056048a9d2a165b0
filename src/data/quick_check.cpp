#include "quick_check.h"

#include "sqlite_handles.h"

namespace revisionRapida {

qint64 paginas(sqlite3 *db)
{
    SentenciaSqlite st;
    if (sqlite3_prepare_v2(db, "PRAGMA page_count", -1, st.destino(), nullptr) == SQLITE_OK
        && sqlite3_step(st.get()) == SQLITE_ROW)
        return sqlite3_column_int64(st.get(), 0);
    return 0;
}

QString revisar(sqlite3 *db, const std::atomic<bool> *cancelar)
{
    if (cancelar)
        sqlite3_progress_handler(
            db, 10000, [](void *c) { return static_cast<const std::atomic<bool> *>(c)->load() ? 1 : 0; },
            const_cast<std::atomic<bool> *>(cancelar));
    SentenciaSqlite st;
    QString problema;
    int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, st.destino(), nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(st.get());
    if (rc == SQLITE_ROW) {
        const QString fila = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st.get(), 0)));
        // The first problem comes after a heading naming the schema ("*** in database main ***").
        if (fila != QLatin1String("ok"))
            problema = fila.section(QLatin1Char('\n'), fila.startsWith(QLatin1String("***")) ? 1 : 0).trimmed();
    } else if (rc != SQLITE_DONE && !(cancelar && cancelar->load())) {
        // A file damaged in its first pages may not even let the check start.
        problema = QString::fromUtf8(sqlite3_errmsg(db));
    }
    st.reset();
    if (cancelar)
        sqlite3_progress_handler(db, 0, nullptr, nullptr);
    return problema;
}

QString revisarArchivo(const QString &archivo, const std::atomic<bool> *cancelar)
{
    BaseSqlite db;
    if (sqlite3_open_v2(archivo.toUtf8().constData(), db.destino(), SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(db.get()));
    sqlite3_busy_timeout(db.get(), 5000);
    return revisar(db.get(), cancelar);
}

} // namespace revisionRapida
