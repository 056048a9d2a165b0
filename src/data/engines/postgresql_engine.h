#pragma once

#include "database_engine.h"
#include "postgresql_handles.h"

#include <functional>

struct pg_conn;

// The server engine: a PostgreSQL database over libpq, for several operators
// at once. Dates travel as ISO text, amounts as exact numerics read into numbers.
class MotorPostgres final : public MotorBaseDatos
{
public:
    // A postgresql:// address; the password comes from ~/.pgpass or PGPASSWORD.
    explicit MotorPostgres(const QString &direccion);
    ~MotorPostgres() override;
    MotorPostgres(const MotorPostgres &) = delete;
    MotorPostgres &operator=(const MotorPostgres &) = delete;

    void leer(const QString &sqlTraducido, RowSink &destino) override;
    void leerPorValores(std::span<const SentenciaConValor *const> sentencias, const QStringList &valores,
                        const DestinoPorValor &destino) override;
    void ejecutarTodas(const QStringList &traducidas) override;
    void begin() override;
    void commit() override;
    void rollback() noexcept override;
    bool inTransaction() const override;
    void bloquear(qint64 clave) override;
    int versionEsquema() override;
    void fijarVersionEsquema(int version) override;
    void ejecutarGuion(const QByteArray &sql) override;
    void leerEsquema() override;
    bool puedeCambiarTablas() override;

private:
    // One statement by the simple protocol, which must end as `esperado` (a
    // command may also give rows); `lectura`: it may run again after the link came back.
    ResultadoPg consultar(const char *sql, ExecStatusType esperado, bool lectura);
    // Runs a step that talks to the server. When the link breaks under it, the
    // connection is brought back; a step outside a transaction that only read
    // (`repetible` as it stands then) runs once more, anything else is reported
    // as not kept. A server that stays away is reported in plain words.
    void conEnlace(const std::function<void()> &paso, const bool &repetible = false);
    void restablecerOFallar();
    void leerUnaVez(const QByteArray &texto, RowSink &destino, bool &repetible);
    void leerPorValoresUnaVez(const std::vector<QByteArray> &textos, const QStringList &valores,
                              const DestinoPorValor &destino);

    pg_conn *pg_ = nullptr;
    // host:port/base, for the messages about the link.
    QString servidor_;
    // The last tries to bring the link back failed: the next step tries once, not for seconds again.
    bool caido_ = false;
    bool conVersion_ = false;
    // Numbers the statements each leerPorValores prepares, so that no name is used twice in a session.
    int tandas_ = 0;
};

// The address as it may be shown: without a password.
QString direccionSinClave(const QString &direccion);
