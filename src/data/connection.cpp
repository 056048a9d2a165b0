#include "connection.h"
#include "postgresql_engine.h"
#include "quendra_error.h"
#include "sqlite_engine.h"

#include <QFileInfo>

bool esDireccionServidor(const QString &lugar)
{
    return lugar.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
           || lugar.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

Connection::~Connection()
{
    close();
}

void Connection::open(const QString &lugar)
{
    close();
    const bool servidor = esDireccionServidor(lugar);
    archivo_ = servidor ? direccionSinClave(lugar) : QFileInfo(lugar).absoluteFilePath();
    if (servidor)
        motor_ = std::make_unique<MotorPostgres>(lugar);
    else
        motor_ = std::make_unique<MotorSqlite>(lugar);
}

void Connection::close() noexcept
{
    motor_.reset();
}

void Connection::exigirAbierta() const
{
    if (motor_)
        return;
    if (archivo_.isEmpty())
        throw QuendraError(QuendraError::ConexionCerrada,
                           QStringLiteral("La conexión con la base de datos no está abierta"));
    throw QuendraError(QuendraError::ConexionCerrada,
                       QStringLiteral("La conexión con la base de datos «%1» no está abierta").arg(archivo_));
}

MotorBaseDatos &Connection::motor() const
{
    exigirAbierta();
    return *motor_;
}

std::unique_ptr<Recordset> Connection::execute(const QString &sql)
{
    MotorBaseDatos &m = motor();
    return m.ejecutar(m.dialecto().traducir(sql));
}

void Connection::read(const QString &sql, RowSink &sink)
{
    MotorBaseDatos &m = motor();
    m.leer(m.dialecto().traducir(sql), sink);
}

void Connection::readEach(std::span<const SentenciaConValor *const> sentencias, const QStringList &valores,
                          const DestinoPorValor &destino)
{
    motor().leerPorValores(sentencias, valores, destino);
}

void MotorBaseDatos::leerPorValores(std::span<const SentenciaConValor *const> sentencias, const QStringList &valores,
                                    const DestinoPorValor &destino)
{
    for (qsizetype v = 0; v < valores.size(); ++v)
        for (qsizetype s = 0; s < qsizetype(sentencias.size()); ++s) {
            RowSink *sink = destino(v, s);
            if (!sink)
                return;
            leer(sentencias[size_t(s)]->traducida(dialecto_, valores[v]), *sink);
        }
}

void Connection::executeAll(const QStringList &sentencias)
{
    MotorBaseDatos &m = motor();
    QStringList traducidas;
    traducidas.reserve(sentencias.size());
    for (const QString &s : sentencias)
        traducidas << m.dialecto().traducir(s);
    m.ejecutarTodas(traducidas);
}

void MotorBaseDatos::ejecutarTodas(const QStringList &traducidas)
{
    for (const QString &s : traducidas)
        ejecutar(s);
}

std::unique_ptr<Recordset> MotorBaseDatos::ejecutar(const QString &sqlTraducido)
{
    RecordsetReader lector;
    leer(sqlTraducido, lector);
    return lector.take();
}

void Connection::begin()
{
    motor().begin();
}

void Connection::commit()
{
    motor().commit();
}

void Connection::rollback() noexcept
{
    if (motor_)
        motor_->rollback();
}

bool Connection::inTransaction() const
{
    return motor_ && motor_->inTransaction();
}

void Connection::bloquear(const QString &nombre)
{
    if (!inTransaction())
        throw QuendraError(QuendraError::ErrorDelServidor, QStringLiteral("No hay una transacción abierta"));
    // FNV-1a over the UTF-8 bytes: the same key in every process and build.
    quint64 clave = 14695981039346656037ull;
    for (const char c : nombre.toUtf8())
        clave = (clave ^ quint8(c)) * 1099511628211ull;
    motor().bloquear(qint64(clave));
}

int Connection::versionEsquema()
{
    return motor().versionEsquema();
}

void Connection::fijarVersionEsquema(int version)
{
    motor().fijarVersionEsquema(version);
}

void Connection::ejecutarGuion(const QByteArray &sql)
{
    motor().ejecutarGuion(sql);
}

void Connection::releerEsquema()
{
    motor().leerEsquema();
}

bool Connection::puedeCambiarTablas()
{
    return motor().puedeCambiarTablas();
}

const SqlDialect &Connection::dialect() const
{
    return motor().dialecto();
}

sqlite3 *Connection::handle() const
{
    auto *archivo = dynamic_cast<const MotorSqlite *>(motor_.get());
    return archivo ? archivo->handle() : nullptr;
}
