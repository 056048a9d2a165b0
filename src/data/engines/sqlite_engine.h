#pragma once

#include "database_engine.h"
#include "sqlite_handles.h"

struct sqlite3;

// The embedded engine: one SQLite file. Opening never creates the file and reads
// its schema at once, so a missing, foreign or damaged file is found then.
class MotorSqlite final : public MotorBaseDatos
{
public:
    explicit MotorSqlite(const QString &archivo);
    ~MotorSqlite() override;
    MotorSqlite(const MotorSqlite &) = delete;
    MotorSqlite &operator=(const MotorSqlite &) = delete;

    void leer(const QString &sqlTraducido, RowSink &destino) override;
    void begin() override;
    void commit() override;
    void rollback() noexcept override;
    bool inTransaction() const override;
    int versionEsquema() override;
    void fijarVersionEsquema(int version) override;
    void ejecutarGuion(const QByteArray &sql) override;
    void leerEsquema() override;
    sqlite3 *handle() const { return db_.get(); }

private:
    [[noreturn]] void fallar(int codigo) const;
    void ejecutarSimple(const char *sql);

    BaseSqlite db_;
};
