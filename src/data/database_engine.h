#pragma once

#include "recordset.h"
#include "row_sink.h"
#include "sql_dialect.h"

#include <QString>
#include <memory>

// What an engine under Connection does: run one statement already translated
// into its own dialect, handing each row to a sink as it is read, and keep
// transactions. Every failure is a QuendraError; nothing above knows which
// engine runs.
class MotorBaseDatos
{
public:
    virtual ~MotorBaseDatos() = default;

    // Each row handed to the sink as it is read (Connection::read).
    virtual void leer(const QString &sqlTraducido, RowSink &destino) = 0;
    // The whole result, read through the same rows.
    std::unique_ptr<Recordset> ejecutar(const QString &sqlTraducido);
    // For each value in turn, each statement with it (Connection::readEach); one after another here.
    virtual void leerPorValores(std::span<const SentenciaConValor *const> sentencias, const QStringList &valores,
                                const DestinoPorValor &destino);
    // Runs each statement in order, their results dropped (Connection::executeAll); one after another here.
    virtual void ejecutarTodas(const QStringList &traducidas);
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() noexcept = 0;
    virtual bool inTransaction() const = 0;
    // Holds the key until the transaction ends; another connection asking for
    // the same key waits until then. The file engine needs nothing more: its
    // transactions begin by taking the file's one write lock.
    virtual void bloquear(qint64 clave) { Q_UNUSED(clave); }

    // The schema version the database records (1: the three tables, before versions were recorded).
    virtual int versionEsquema() = 0;
    // Records the version, inside the transaction that brought the database to it.
    virtual void fijarVersionEsquema(int version) = 0;
    // Runs a script of several statements written in the engine's own dialect, untranslated.
    virtual void ejecutarGuion(const QByteArray &sql) = 0;
    // Reads the tables and columns again, after a script changed them.
    virtual void leerEsquema() = 0;
    // Whether this user may change the tables: always on a file; on a server, their owner.
    virtual bool puedeCambiarTablas() { return true; }

    const SqlDialect &dialecto() const { return dialecto_; }
    // The file's absolute path, or the server's address without its password.
    const QString &nombre() const { return nombre_; }

protected:
    SqlDialect dialecto_;
    QString nombre_;
};
