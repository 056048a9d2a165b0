#pragma once

#include "database_engine.h"
#include "recordset.h"
#include "row_sink.h"
#include "sql_dialect.h"

#include <QString>
#include <memory>

struct sqlite3;

// A postgresql:// (or postgres://) address names a server; anything else a file.
bool esDireccionServidor(const QString &lugar);

// The one connection to the database: an SQLite file, or a PostgreSQL server
// when the place given is a postgresql:// address. Every statement passes
// through the dialect translation of the engine that runs it; a text holding
// more than one statement is refused whole.
class Connection
{
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    void open(const QString &lugar);
    void close() noexcept;
    bool isOpen() const { return motor_ != nullptr; }
    // The file's absolute path or the server's address (without a password)
    // last given to open, also when it could not be opened.
    const QString &archivo() const { return archivo_; }
    // Throws the no-connection error, naming that place, when nothing is open.
    void exigirAbierta() const;

    // Runs one statement. A query gives its rows, read whole; any other
    // statement an empty recordset without columns.
    std::unique_ptr<Recordset> execute(const QString &sql);
    // Runs one statement and hands its columns, then each row as it is read, to
    // the sink (row_sink.h), keeping nothing: for a reader that stores the rows
    // in a form of its own. The sink may not use the connection meanwhile. An
    // error of the database throws QuendraError, possibly after some rows.
    void read(const QString &sql, RowSink &sink);
    // For each value in turn, each of the statements with that value, in order,
    // its rows handed to the sink `destino` gives for them as they begin; a null
    // sink stops the run there. A server gets the statements ahead of their
    // results and prepares each once, so thousands of short reads do not each
    // wait for a round trip and a plan.
    void readEach(std::span<const SentenciaConValor *const> sentencias, const QStringList &valores,
                  const DestinoPorValor &destino);

    // Runs the statements in order, none of them a query whose rows are wanted,
    // and stops at the first error. A server gets them ahead of their results, so
    // thousands of writes do not each wait for a round trip. Inside a
    // transaction, as writes that belong together are.
    void executeAll(const QStringList &sentencias);

    void begin();
    void commit();
    void rollback() noexcept;
    bool inTransaction() const;
    // Inside a transaction: waits until no other connection holds the named
    // lock, then holds it until the transaction ends. Operations that must not
    // interleave (two postings into one voucher, printing it) take the same name.
    void bloquear(const QString &nombre);

    // The schema version (schema_version.h), and what an upgrade needs: a
    // script in the engine's own dialect, the version recorded, the tables read again.
    int versionEsquema();
    void fijarVersionEsquema(int version);
    void ejecutarGuion(const QByteArray &sql);
    void releerEsquema();
    bool puedeCambiarTablas();
    bool esServidor() const { return esDireccionServidor(archivo_); }

    const SqlDialect &dialect() const;
    // The SQLite handle when the file engine runs (null otherwise), for the
    // benchmarks and tests that compare with the bare library.
    sqlite3 *handle() const;

private:
    MotorBaseDatos &motor() const;

    std::unique_ptr<MotorBaseDatos> motor_;
    QString archivo_;
};

// Begins a transaction and rolls it back unless committed.
class Transaction
{
public:
    explicit Transaction(Connection &c) : c_(c) { c_.begin(); }
    ~Transaction()
    {
        if (!hecha_)
            c_.rollback();
    }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit()
    {
        c_.commit();
        hecha_ = true;
    }

private:
    Connection &c_;
    bool hecha_ = false;
};
