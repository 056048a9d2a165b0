#pragma once

#include "sqlite_handles.h"
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

// Bulk writing for the data sets: one transaction, prepared statements with
// bound values. Throws QuendraError on any failure.
class EscritorSqlite
{
public:
    explicit EscritorSqlite(const QString &archivo);
    ~EscritorSqlite();
    EscritorSqlite(const EscritorSqlite &) = delete;
    EscritorSqlite &operator=(const EscritorSqlite &) = delete;

    void ejecutar(const char *sql);
    // Prepares once per distinct text; binds the values in order and runs it.
    void insertar(const char *sql, const std::vector<QVariant> &valores);
    // Makes the stock on hand that of the movements, gives every storage place they name its row (named
    // as the upgrade to version 2 names them), and commits.
    void confirmar();

private:
    [[noreturn]] void fallar() const;
    BaseSqlite db_;
    // Declared after the connection, so finalized before it closes.
    std::vector<std::pair<const char *, std::unique_ptr<SentenciaSqlite>>> preparadas_;
};
