#pragma once

#include "database_engine.h"

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
    void ejecutarSimple(const char *sql);

    pg_conn *pg_ = nullptr;
    bool conVersion_ = false;
    // Numbers the statements each leerPorValores prepares, so that no name is used twice in a session.
    int tandas_ = 0;
};

// The address as it may be shown: without a password.
QString direccionSinClave(const QString &direccion);
