#pragma once

#include "recordset.h"
#include "sql_dialect.h"

#include <QString>
#include <memory>

struct sqlite3;

// The one connection to the database file. Opening never creates the file and
// reads its schema at once, so a missing, foreign or damaged file is found then.
// Every statement passes through the dialect translation; a text holding more
// than one statement is refused whole.
class Connection
{
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    void open(const QString &archivo);
    void close() noexcept;
    bool isOpen() const { return db_ != nullptr; }
    // The file last given to open, also when it could not be opened.
    const QString &archivo() const { return archivo_; }
    // Throws the no-connection error, naming that file, when nothing is open.
    void exigirAbierta() const;

    // Runs one statement. A query gives its rows; any other statement an empty
    // recordset without columns.
    std::unique_ptr<Recordset> execute(const QString &sql);

    void begin();
    void commit();
    void rollback() noexcept;
    bool inTransaction() const;

    sqlite3 *handle() const { return db_; }
    const SqlDialect &dialect() const { return dialecto_; }

private:
    [[noreturn]] void fallar(int codigo) const;
    void leerEsquema();
    void ejecutarSimple(const char *sql);

    sqlite3 *db_ = nullptr;
    QString archivo_;
    SqlDialect dialecto_;
};

// Begins a transaction and rolls it back unless committed.
class Transaction
{
public:
    explicit Transaction(Connection &c) : c_(c) { c_.begin(); }
    ~Transaction() { if (!hecha_) c_.rollback(); }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit() { c_.commit(); hecha_ = true; }

private:
    Connection &c_;
    bool hecha_ = false;
};
