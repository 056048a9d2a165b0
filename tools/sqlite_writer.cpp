#include "sqlite_writer.h"
#include "quendra_error.h"

#include <QDate>

EscritorSqlite::EscritorSqlite(const QString &archivo)
{
    if (sqlite3_open_v2(archivo.toUtf8().constData(), db_.destino(), SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fallar();
    ejecutar("PRAGMA synchronous=OFF");
    ejecutar("BEGIN");
}

EscritorSqlite::~EscritorSqlite()
{
    preparadas_.clear();
    if (db_.get() && !sqlite3_get_autocommit(db_.get()))
        sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void EscritorSqlite::fallar() const
{
    throw QuendraError(db_.get() ? sqlite3_extended_errcode(db_.get()) : SQLITE_CANTOPEN,
                       QString::fromUtf8(db_.get() ? sqlite3_errmsg(db_.get()) : "unable to open database file"));
}

void EscritorSqlite::ejecutar(const char *sql)
{
    if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fallar();
}

void EscritorSqlite::insertar(const char *sql, const std::vector<QVariant> &valores)
{
    sqlite3_stmt *st = nullptr;
    for (auto &p : preparadas_)
        if (p.first == sql)
            st = p.second->get();
    if (!st) {
        auto nueva = std::make_unique<SentenciaSqlite>();
        if (sqlite3_prepare_v2(db_.get(), sql, -1, nueva->destino(), nullptr) != SQLITE_OK)
            fallar();
        st = nueva->get();
        preparadas_.emplace_back(sql, std::move(nueva));
    }
    sqlite3_reset(st);
    for (size_t i = 0; i < valores.size(); ++i) {
        const QVariant &v = valores[i];
        int k = int(i) + 1;
        if (v.isNull())
            sqlite3_bind_null(st, k);
        else if (v.typeId() == QMetaType::Double)
            sqlite3_bind_double(st, k, v.toDouble());
        else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
            sqlite3_bind_int64(st, k, v.toLongLong());
        else if (v.typeId() == QMetaType::QDate)
            sqlite3_bind_text(st, k, v.toDate().toString(Qt::ISODate).toUtf8().constData(), -1, SQLITE_TRANSIENT);
        else
            sqlite3_bind_text(st, k, v.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
    }
    if (sqlite3_step(st) != SQLITE_DONE)
        fallar();
}

void EscritorSqlite::confirmar()
{
    ejecutar("UPDATE articulo SET stock = coalesce((SELECT sum(Entrada) - sum(Salida) FROM movstk m "
             "WHERE m.numero = articulo.numero), 0)");
    ejecutar("INSERT INTO deposito(codigo, nombre) SELECT DISTINCT deposito, 'Depósito ' || deposito FROM movstk "
             "WHERE deposito NOT IN (SELECT codigo FROM deposito) ORDER BY deposito");
    ejecutar("COMMIT");
    ejecutar("PRAGMA optimize");
}
