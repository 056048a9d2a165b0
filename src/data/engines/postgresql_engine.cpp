#include "postgresql_engine.h"
#include "dates.h"
#include "postgresql_handles.h"
#include "postgresql_link.h"
#include "quendra_error.h"
#include "schema_tables.h"
#include "schema_version.h"
#include "type_codes.h"

#include <QRegularExpression>
#include <charconv>
#include <cstring>
#include <utility>

namespace {

// The server's type numbers (pg_type), fixed since long ago.
enum Oid : unsigned {
    Booleano = 16,
    Entero8 = 20,
    Entero2 = 21,
    Entero4 = 23,
    Real4 = 700,
    Real8 = 701,
    Numerico = 1700,
    FechaSql = 1082,
};

TipoCampo tipoDeServidor(unsigned oid)
{
    switch (oid) {
    case FechaSql:
        return TipoCampo::Fecha;
    case Numerico:
    case Real4:
    case Real8:
        return TipoCampo::Simple;
    case Entero2:
    case Entero4:
    case Entero8:
    case Booleano: // a condition gives 1 or 0, as on the file engine
        return TipoCampo::Entero;
    default:
        return TipoCampo::Texto;
    }
}

// The number in a server's error state (23505) when it is all digits.
int numeroDeEstado(const char *estado)
{
    int v = 0;
    auto [fin, ec] = std::from_chars(estado, estado + (estado ? std::strlen(estado) : 0), v);
    return (estado && *estado && ec == std::errc() && *fin == '\0') ? v : QuendraError::ErrorDelServidor;
}

[[noreturn]] void fallarResultado(pg_conn *pg, const PGresult *r)
{
    const char *primario = r ? PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    QString desc = QString::fromUtf8(primario ? primario : PQerrorMessage(pg)).trimmed();
    throw QuendraError(numeroDeEstado(r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr), desc);
}

bool contieneAlguno(const QString &texto, std::initializer_list<const char *> partes)
{
    for (const char *p : partes)
        if (texto.contains(QLatin1String(p), Qt::CaseInsensitive))
            return true;
    return false;
}

// libpq gives no error state for a failed login: its message (English, or the
// server's own language) tells a refused login and a missing database apart
// from a server that cannot be reached.
[[noreturn]] void fallarConexion(pg_conn *pg, const QString &servidor)
{
    const QString motivo = QString::fromUtf8(PQerrorMessage(pg)).trimmed();
    const QString usuario = QString::fromUtf8(PQuser(pg)), base = QString::fromUtf8(PQdb(pg));
    if (contieneAlguno(motivo, {"database \"", "la base de datos"})
        && contieneAlguno(motivo, {"does not exist", "no existe"}))
        throw QuendraError(QuendraError::FaltaBaseEnServidor,
                           QStringLiteral("El servidor «%1» no tiene la base de datos «%2»").arg(servidor, base));
    if (PQconnectionNeedsPassword(pg)
        || contieneAlguno(
            motivo, {"authentication", "autentifica", "password", "contraseña", "role \"", "el rol", "pg_hba.conf"}))
        throw QuendraError(
            QuendraError::AccesoRechazado,
            QStringLiteral("El servidor «%1» rechazó el acceso del usuario «%2»: %3").arg(servidor, usuario, motivo));
    throw QuendraError(QuendraError::ServidorInalcanzable,
                       QStringLiteral("No se pudo conectar con el servidor «%1»: %2").arg(servidor, motivo));
}

template <typename T> T leerNumero(const char *t, int n)
{
    T v{};
    std::from_chars(t, t + n, v); // the server writes numbers in the C form, whatever the locale here
    return v;
}

} // namespace

QString direccionSinClave(const QString &direccion)
{
    static const QRegularExpression clave(QStringLiteral("^([a-z]+://[^:@/]*):[^@/]*@"),
                                          QRegularExpression::CaseInsensitiveOption);
    return QString(direccion).replace(clave, QStringLiteral("\\1@"));
}

MotorPostgres::MotorPostgres(const QString &direccion)
{
    nombre_ = direccionSinClave(direccion);
    const QByteArray dir = direccion.toUtf8();
    // Keywords after the address override what it says: dates come back as ISO
    // text and are read day first, texts travel as UTF-8.
    const char *claves[] = {"dbname", "client_encoding", "options", "application_name", "connect_timeout", nullptr};
    const char *valores[] = {dir.constData(), "UTF8", "-c DateStyle=ISO,DMY", "Quendra", "10", nullptr};
    pg_ = PQconnectdbParams(claves, valores, 1);
    if (!pg_)
        throw QuendraError(QuendraError::ServidorInalcanzable, QStringLiteral("No hay memoria para la conexión"));
    try {
        if (PQstatus(pg_) != CONNECTION_OK)
            fallarConexion(pg_, nombre_);
        servidor_ = enlacePg::nombreServidor(pg_);
        leerEsquema();
        versionEsquema::exigirConocida(versionEsquema(), nombre_);
    } catch (...) {
        PQfinish(pg_);
        pg_ = nullptr;
        throw;
    }
}

MotorPostgres::~MotorPostgres()
{
    PQfinish(pg_);
}

namespace {
using namespace std::chrono_literals;
// How long the tries to bring a broken link back go on before the operator is told.
constexpr auto plazoReconexion = 10s;
} // namespace

void MotorPostgres::restablecerOFallar()
{
    // After tries that failed, one only: while the server stays away every action answers at once.
    if (enlacePg::restablecer(pg_, caido_ ? 0ms : std::chrono::milliseconds(plazoReconexion))) {
        caido_ = false;
        return;
    }
    caido_ = true;
    throw QuendraError(QuendraError::ServidorInalcanzable,
                       QStringLiteral("Se perdió la conexión con el servidor «%1» y no se pudo volver a conectar. "
                                      "Compruebe que el servidor esté en marcha y repita la operación.")
                           .arg(servidor_));
}

void MotorPostgres::conEnlace(const std::function<void()> &paso, const bool &repetible)
{
    if (PQstatus(pg_) == CONNECTION_BAD)
        restablecerOFallar();
    // A transaction open on the server is gone with the session that held it.
    const bool enTransaccion = inTransaction();
    try {
        paso();
        return;
    } catch (const QuendraError &) {
        if (PQstatus(pg_) != CONNECTION_BAD)
            throw;
    }
    restablecerOFallar();
    if (enTransaccion || !repetible)
        throw QuendraError(QuendraError::ConexionRecuperada,
                           QStringLiteral("Se perdió la conexión con el servidor «%1»; se volvió a conectar. La "
                                          "última operación no se guardó: repítala.")
                               .arg(servidor_));
    paso();
}

ResultadoPg MotorPostgres::consultar(const char *sql, ExecStatusType esperado, bool lectura)
{
    ResultadoPg r{nullptr};
    conEnlace(
        [&] {
            r = ResultadoPg{PQexec(pg_, sql)};
            if (PQresultStatus(r.get()) != esperado
                && !(esperado == PGRES_COMMAND_OK && PQresultStatus(r.get()) == PGRES_TUPLES_OK))
                fallarResultado(pg_, r.get());
        },
        lectura);
    return r;
}

void MotorPostgres::leerEsquema()
{
    const ResultadoPg r = consultar("SELECT table_name, column_name, data_type FROM information_schema.columns "
                                    "WHERE table_schema = current_schema()",
                                    PGRES_TUPLES_OK, true);
    QSet<QString> tablas;
    SqlDialect::Esquema esquema;
    for (int f = 0; f < PQntuples(r.get()); ++f) {
        tablas.insert(QString::fromUtf8(PQgetvalue(r.get(), f, 0)).toLower());
        const QString columna = QString::fromUtf8(PQgetvalue(r.get(), f, 1));
        const QByteArray tipo = PQgetvalue(r.get(), f, 2);
        if (tipo == "date")
            esquema.columnasFecha.insert(columna.toLower());
        if (tipo != "text" && tipo != "character varying" && tipo != "character")
            esquema.columnasNoTexto.insert(columna.toLower());
        if (columna != columna.toLower())
            esquema.nombresEscritos.insert(columna.toLower(), columna);
    }
    for (const char *t : tablasDeQuendra)
        if (!tablas.contains(QLatin1String(t)))
            throw QuendraError(QuendraError::BaseNoValida,
                               QStringLiteral("A la base «%1» le falta la tabla %2").arg(nombre_, QLatin1String(t)));
    conVersion_ = tablas.contains(QLatin1String(versionEsquema::tablaServidor));
    dialecto_ = SqlDialect(SqlDialect::Destino::PostgreSQL, std::move(esquema));
}

int MotorPostgres::versionEsquema()
{
    // A database made before versions were recorded has no such table: the three tables, version 1.
    if (!conVersion_)
        return 1;
    const ResultadoPg r = consultar("SELECT version FROM quendra_version", PGRES_TUPLES_OK, true);
    return PQntuples(r.get()) == 1 ? leerNumero<int>(PQgetvalue(r.get(), 0, 0), PQgetlength(r.get(), 0, 0)) : 1;
}

void MotorPostgres::fijarVersionEsquema(int version)
{
    ejecutarGuion(versionEsquema::guionVersion(version, true));
    conVersion_ = true;
}

bool MotorPostgres::puedeCambiarTablas()
{
    // The owner of the tables, or a member of the owning role.
    const ResultadoPg r =
        consultar("SELECT pg_has_role((SELECT relowner FROM pg_class WHERE oid = to_regclass('movstk')), 'USAGE')",
                  PGRES_TUPLES_OK, true);
    return PQntuples(r.get()) == 1 && PQgetvalue(r.get(), 0, 0)[0] == 't';
}

void MotorPostgres::ejecutarGuion(const QByteArray &sql)
{
    // The simple query protocol runs every statement of the text.
    consultar(sql.constData(), PGRES_COMMAND_OK, false);
}

namespace {

// The columns of a result as the sink is told them, and their server types.
void pasarColumnas(const PGresult *r, RowSink &destino, std::vector<unsigned> &oids)
{
    const int n = PQnfields(r);
    QStringList nombres;
    std::vector<TipoCampo> tipos(static_cast<size_t>(n));
    oids.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        nombres << QString::fromUtf8(PQfname(r, i));
        oids[size_t(i)] = PQftype(r, i);
        tipos[size_t(i)] = tipoDeServidor(oids[size_t(i)]);
    }
    destino.columns(nombres, tipos);
}

// Each row of a result handed to the sink, its values read by their server type.
void pasarFilas(const PGresult *r, RowSink &destino, const std::vector<unsigned> &oids, std::vector<CellValue> &valores)
{
    const int n = int(oids.size());
    valores.resize(oids.size());
    for (int f = 0; f < PQntuples(r); ++f) {
        for (int i = 0; i < n; ++i) {
            CellValue &v = valores[size_t(i)];
            if (PQgetisnull(r, f, i)) {
                v.kind = CellValue::Kind::Null;
                continue;
            }
            const char *t = PQgetvalue(r, f, i);
            const int bytes = PQgetlength(r, f, i);
            QDate fecha;
            switch (oids[size_t(i)]) {
            case Entero2:
            case Entero4:
            case Entero8:
                v.kind = CellValue::Kind::Integer;
                v.integer = leerNumero<qint64>(t, bytes);
                break;
            case Booleano:
                v.kind = CellValue::Kind::Integer;
                v.integer = t[0] == 't' ? 1 : 0;
                break;
            case Numerico:
            case Real4:
            case Real8:
                v.kind = CellValue::Kind::Real;
                v.real = leerNumero<double>(t, bytes);
                break;
            case FechaSql:
                if ((fecha = fechas::leerIso(t, bytes)).isValid()) {
                    v.kind = CellValue::Kind::Date;
                    v.integer = fecha.toJulianDay();
                    break;
                }
                [[fallthrough]]; // infinity and the like stay texts
            default:
                v.kind = CellValue::Kind::Text;
                v.text = QByteArrayView(t, bytes);
            }
        }
        destino.row(valores);
    }
}

// Takes whatever the server still sends for the statement, so that the
// connection is free for the next one after an error or a sink that threw.
struct RestoDelResultado
{
    pg_conn *pg;
    ~RestoDelResultado()
    {
        while (PGresult *r = PQgetResult(pg))
            ResultadoPg{r};
    }
};

} // namespace

// Single-row mode: the server's rows reach the sink one by one as they arrive,
// so a large result is never held whole, here or in libpq.
void MotorPostgres::leer(const QString &sqlTraducido, RowSink &destino)
{
    const QByteArray texto = sqlTraducido.toUtf8();
    // A query runs again after the link came back, unless the sink was already told something.
    static const QRegularExpression consulta(QStringLiteral("^\\s*(SELECT|WITH)\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    bool repetible = consulta.match(sqlTraducido).hasMatch();
    conEnlace([&] { leerUnaVez(texto, destino, repetible); }, repetible);
}

void MotorPostgres::leerUnaVez(const QByteArray &texto, RowSink &destino, bool &repetible)
{
    // The extended protocol runs one statement only, whatever the text holds.
    if (!PQsendQueryParams(pg_, texto.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0))
        fallarResultado(pg_, nullptr);
    RestoDelResultado resto{pg_};
    PQsetSingleRowMode(pg_);
    std::vector<unsigned> oids;
    std::vector<CellValue> valores;
    bool columnasDadas = false;
    while (PGresult *leido = PQgetResult(pg_)) {
        ResultadoPg r{leido};
        switch (PQresultStatus(r.get())) {
        case PGRES_SINGLE_TUPLE:
        case PGRES_TUPLES_OK: // the end of the rows, or a result without any
            if (!columnasDadas) {
                repetible = false;
                pasarColumnas(r.get(), destino, oids);
                columnasDadas = true;
            }
            pasarFilas(r.get(), destino, oids, valores);
            break;
        case PGRES_COMMAND_OK:
        case PGRES_EMPTY_QUERY:
            repetible = false;
            destino.columns({}, {});
            break;
        default:
            fallarResultado(pg_, r.get());
        }
    }
}

namespace {

// libpq's pipeline for one leerPorValores: the statements prepared once, the
// values sent a few ahead of the results read. Whatever is still on its way
// when it ends (an error, a sink that stopped the run) is read and dropped, and
// the prepared statements are let go, so the connection is as before.
class Tuberia
{
public:
    explicit Tuberia(pg_conn *pg) : pg_(pg)
    {
        if (!PQenterPipelineMode(pg_))
            fallarResultado(pg_, nullptr);
    }

    // Each text prepared under a name of its own for this run.
    void preparar(int tanda, const std::vector<QByteArray> &textos)
    {
        for (size_t s = 0; s < textos.size(); ++s) {
            nombres_.push_back(QByteArray("quendra_valor_") + QByteArray::number(tanda) + '_' + QByteArray::number(s));
            if (!PQsendPrepare(pg_, nombres_.back().constData(), textos[s].constData(), 1, nullptr))
                fallarResultado(pg_, nullptr);
        }
        sincronizar();
        for (size_t s = 0; s < textos.size(); ++s)
            resultado(nullptr);
        finDeTanda();
    }

    ~Tuberia()
    {
        for (int nulos = 0; sincronizaciones_ > 0 && nulos < 2 && PQstatus(pg_) == CONNECTION_OK;) {
            ResultadoPg r{PQgetResult(pg_)};
            nulos = r.get() ? 0 : nulos + 1;
            if (r.get() && PQresultStatus(r.get()) == PGRES_PIPELINE_SYNC)
                --sincronizaciones_;
        }
        PQexitPipelineMode(pg_);
        for (const QByteArray &nombre : nombres_)
            ResultadoPg{PQexec(pg_, ("DEALLOCATE " + nombre).constData())};
    }
    Tuberia(const Tuberia &) = delete;
    Tuberia &operator=(const Tuberia &) = delete;

    // A statement without values, its result to be read with the others before the next sync.
    void enviarTexto(const QByteArray &texto)
    {
        if (!PQsendQueryParams(pg_, texto.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0))
            fallarResultado(pg_, nullptr);
    }

    // Every statement with the value, then a sync that ends their part of the pipeline.
    void enviar(const QByteArray &valor)
    {
        const char *parametros[] = {valor.constData()};
        for (const QByteArray &nombre : nombres_)
            if (!PQsendQueryPrepared(pg_, nombre.constData(), 1, parametros, nullptr, nullptr, 0))
                fallarResultado(pg_, nullptr);
        sincronizar();
    }

    // The next statement's result: its rows to the sink (none for a prepare).
    void resultado(RowSink *destino)
    {
        // libpq keeps the single-row mode of the statement read before the
        // pipeline for its first statement: those rows come one by one.
        bool columnasDadas = false;
        PGresult *leido = PQgetResult(pg_);
        for (; PQresultStatus(leido) == PGRES_SINGLE_TUPLE; leido = PQgetResult(pg_)) {
            ResultadoPg fila{leido};
            if (destino) {
                if (!std::exchange(columnasDadas, true))
                    pasarColumnas(fila.get(), *destino, oids_);
                pasarFilas(fila.get(), *destino, oids_, valores_);
            }
        }
        ResultadoPg r{leido};
        switch (PQresultStatus(r.get())) {
        case PGRES_TUPLES_OK:
            if (destino) {
                if (!columnasDadas)
                    pasarColumnas(r.get(), *destino, oids_);
                pasarFilas(r.get(), *destino, oids_, valores_);
            }
            break;
        case PGRES_COMMAND_OK:
            if (destino)
                destino->columns({}, {});
            break;
        default:
            fallarResultado(pg_, r.get());
        }
        // Each statement's results end with a null.
        ResultadoPg fin{PQgetResult(pg_)};
    }

    // The sync after a value's statements.
    void finDeTanda()
    {
        ResultadoPg r{PQgetResult(pg_)};
        if (PQresultStatus(r.get()) != PGRES_PIPELINE_SYNC)
            fallarResultado(pg_, r.get());
        --sincronizaciones_;
    }

    void sincronizar()
    {
        if (!PQpipelineSync(pg_))
            fallarResultado(pg_, nullptr);
        ++sincronizaciones_;
    }

private:
    pg_conn *pg_;
    std::vector<QByteArray> nombres_;
    int sincronizaciones_ = 0;
    std::vector<unsigned> oids_;
    std::vector<CellValue> valores_;
};

// How many values go out ahead of the results read: enough to keep the server
// busy, few enough that what they send back never fills the socket both ways.
constexpr qsizetype adelantados = 32;

} // namespace

void MotorPostgres::leerPorValores(std::span<const SentenciaConValor *const> sentencias, const QStringList &valores,
                                   const DestinoPorValor &destino)
{
    // A statement whose value is not a quoted literal, or a value with more than
    // letters, digits and blanks, goes the plain way, translated whole.
    std::vector<QByteArray> textos;
    for (const SentenciaConValor *s : sentencias) {
        const QString texto = s->conParametro(dialecto_);
        if (texto.isEmpty())
            return MotorBaseDatos::leerPorValores(sentencias, valores, destino);
        textos.push_back(texto.toUtf8());
    }
    for (const QString &v : valores)
        if (!SentenciaConValor::valorNeutro(v))
            return MotorBaseDatos::leerPorValores(sentencias, valores, destino);
    if (valores.isEmpty() || textos.empty())
        return;
    // The run starts again after the link came back while no sink has been asked for yet.
    bool repetible = true;
    const DestinoPorValor marcado = [&](qsizetype v, qsizetype s) {
        repetible = false;
        return destino(v, s);
    };
    conEnlace([&] { leerPorValoresUnaVez(textos, valores, marcado); }, repetible);
}

void MotorPostgres::leerPorValoresUnaVez(const std::vector<QByteArray> &textos, const QStringList &valores,
                                         const DestinoPorValor &destino)
{
    Tuberia tuberia(pg_);
    tuberia.preparar(++tandas_, textos);
    qsizetype enviados = 0;
    for (; enviados < std::min(adelantados, valores.size()); ++enviados)
        tuberia.enviar(valores[enviados].toUtf8());
    for (qsizetype v = 0; v < valores.size(); ++v) {
        for (qsizetype s = 0; s < qsizetype(textos.size()); ++s) {
            RowSink *sink = destino(v, s);
            if (!sink)
                return;
            tuberia.resultado(sink);
        }
        tuberia.finDeTanda();
        if (enviados < valores.size())
            tuberia.enviar(valores[enviados++].toUtf8());
    }
}

void MotorPostgres::ejecutarTodas(const QStringList &traducidas)
{
    if (traducidas.isEmpty())
        return;
    // Statements go out in parts, each ended by a sync; a part's results are read
    // while the next one is on its way, so the server never waits for the program.
    constexpr qsizetype porParte = 256;
    Tuberia tuberia(pg_);
    qsizetype enviadas = 0, leidas = 0;
    const auto leerParte = [&] {
        for (const qsizetype fin = std::min(leidas + porParte, enviadas); leidas < fin; ++leidas)
            tuberia.resultado(nullptr);
        tuberia.finDeTanda();
    };
    while (enviadas < traducidas.size()) {
        for (const qsizetype fin = std::min(enviadas + porParte, traducidas.size()); enviadas < fin; ++enviadas)
            tuberia.enviarTexto(traducidas[enviadas].toUtf8());
        tuberia.sincronizar();
        if (enviadas - leidas > porParte)
            leerParte();
    }
    while (leidas < enviadas)
        leerParte();
}

void MotorPostgres::begin()
{
    consultar("BEGIN", PGRES_COMMAND_OK, true);
}

void MotorPostgres::commit()
{
    if (!inTransaction())
        throw QuendraError(QuendraError::ErrorDelServidor, QStringLiteral("No hay una transacción abierta"));
    const ResultadoPg r = consultar("COMMIT", PGRES_COMMAND_OK, false);
    // A transaction that met an error ends rolled back: COMMIT says so only by its tag.
    if (std::strcmp(PQcmdStatus(r.get()), "ROLLBACK") == 0)
        throw QuendraError(QuendraError::ErrorDelServidor,
                           QStringLiteral("La transacción se deshizo por un error anterior"));
}

void MotorPostgres::rollback() noexcept
{
    // On a broken link there is nothing to undo: the server dropped the transaction with the session.
    if (inTransaction())
        ResultadoPg{PQexec(pg_, "ROLLBACK")};
}

bool MotorPostgres::inTransaction() const
{
    const PGTransactionStatusType t = PQtransactionStatus(pg_);
    return t == PQTRANS_INTRANS || t == PQTRANS_INERROR;
}

void MotorPostgres::bloquear(qint64 clave)
{
    ejecutar(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(clave));
}
