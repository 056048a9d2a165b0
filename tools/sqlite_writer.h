#pragma once

#include <QString>
#include <QVariant>
#include <sqlite3.h>
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
    sqlite3 *db_ = nullptr;
    std::vector<std::pair<const char *, sqlite3_stmt *>> preparadas_;
};
