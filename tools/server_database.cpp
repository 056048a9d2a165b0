#include "server_database.h"
#include "connection.h"
#include "database_file.h"
#include "postgresql_engine.h"
#include "postgresql_handles.h"
#include "quendra_error.h"
#include "schema_upgrade.h"
#include "schema_version.h"
#include "sqlite_handles.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <charconv>

namespace baseServidor {

namespace {

// The tables of the first programs: a server that already holds rows in them is
// another shop's, and is refused. The tables of upgrade steps, which a new
// database already fills with its defaults (the place "01"), give way instead.
const char *const tablasOriginales[] = {"familia", "articulo", "movstk"};

struct Tabla
{
    QByteArray nombre, columnasArchivo, columnasServidor;
    bool conId = false;
};

// Both sides at the program's version: the file upgraded as the program would
// upgrade it (with its copy in backups/), the server as created or upgraded.
void exigirVersionActual(const QString &archivo, const QString &direccion)
{
    Connection c;
    c.open(archivo);
    actualizacionEsquema::actualizar(c);
    c.open(direccion);
    if (const int v = c.versionEsquema(); v != versionEsquema::actual)
        throw QuendraError(QuendraError::SinActualizar,
                           QStringLiteral("La base «%1» es de la versión %2: actualícela antes con «quendra-db upgrade "
                                          "%1»")
                               .arg(c.archivo(), QString::number(v)));
}

class Servidor
{
public:
    explicit Servidor(const QString &direccion) : nombre_(direccionSinClave(direccion))
    {
        const QByteArray dir = direccion.toUtf8();
        const char *claves[] = {"dbname", "client_encoding", "options", nullptr};
        const char *valores[] = {dir.constData(), "UTF8", "-c DateStyle=ISO,DMY -c client_min_messages=warning",
                                 nullptr};
        pg_ = PQconnectdbParams(claves, valores, 1);
        if (PQstatus(pg_) != CONNECTION_OK)
            throw QuendraError(QuendraError::ServidorInalcanzable,
                               QStringLiteral("No se pudo conectar con el servidor «%1»: %2")
                                   .arg(nombre_, QString::fromUtf8(PQerrorMessage(pg_)).trimmed()));
    }
    ~Servidor() { PQfinish(pg_); }
    Servidor(const Servidor &) = delete;
    Servidor &operator=(const Servidor &) = delete;

    void ejecutar(const QByteArray &sql, ExecStatusType esperado = PGRES_COMMAND_OK)
    {
        if (ResultadoPg(PQexec(pg_, sql.constData())).estado() != esperado)
            fallar();
    }
    long long contar(const QByteArray &tabla)
    {
        const ResultadoPg r(PQexec(pg_, ("SELECT count(*) FROM " + tabla).constData()));
        if (r.estado() != PGRES_TUPLES_OK)
            fallar();
        return std::atoll(PQgetvalue(r.get(), 0, 0));
    }
    // The table's column names as the server writes them, by their lower-case form.
    QHash<QByteArray, QByteArray> columnas(const QByteArray &tabla)
    {
        const QByteArray sql = "SELECT column_name FROM information_schema.columns WHERE table_schema = "
                               "current_schema() AND table_name = '"
                               + tabla + "'";
        const ResultadoPg r(PQexec(pg_, sql.constData()));
        if (r.estado() != PGRES_TUPLES_OK)
            fallar();
        QHash<QByteArray, QByteArray> nombres;
        for (int f = 0; f < PQntuples(r.get()); ++f)
            nombres.insert(QByteArray(PQgetvalue(r.get(), f, 0)).toLower(), PQgetvalue(r.get(), f, 0));
        return nombres;
    }
    void enviar(const std::string &bloque)
    {
        if (PQputCopyData(pg_, bloque.data(), int(bloque.size())) != 1)
            fallar();
    }
    void terminarCopia()
    {
        if (PQputCopyEnd(pg_, nullptr) != 1)
            fallar();
        bool bien = true;
        while (PGresult *r = PQgetResult(pg_))
            bien = ResultadoPg(r).estado() == PGRES_COMMAND_OK && bien;
        if (!bien)
            fallar();
    }
    [[noreturn]] void fallar() const
    {
        throw QuendraError(QuendraError::ErrorDelServidor,
                           QStringLiteral("%1: %2").arg(nombre_, QString::fromUtf8(PQerrorMessage(pg_)).trimmed()));
    }

private:
    pg_conn *pg_ = nullptr;
    QString nombre_;
};

class Archivo
{
public:
    explicit Archivo(const QString &archivo)
    {
        if (!QFileInfo::exists(archivo)
            || sqlite3_open_v2(archivo.toUtf8().constData(), db_.destino(), SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw QuendraError(SQLITE_CANTOPEN, QStringLiteral("No se pudo abrir «%1»").arg(archivo));
    }
    ~Archivo() = default;
    Archivo(const Archivo &) = delete;
    Archivo &operator=(const Archivo &) = delete;

    sqlite3_stmt *preparar(const QByteArray &sql)
    {
        if (sqlite3_prepare_v2(db_.get(), sql.constData(), -1, st_.destino(), nullptr) != SQLITE_OK)
            throw QuendraError(sqlite3_extended_errcode(db_.get()), QString::fromUtf8(sqlite3_errmsg(db_.get())));
        return st_.get();
    }
    void comprobar(int rc) const
    {
        if (rc != SQLITE_DONE)
            throw QuendraError(sqlite3_extended_errcode(db_.get()), QString::fromUtf8(sqlite3_errmsg(db_.get())));
    }
    // Each table in the order it was made (a table of a step after those it may name), with its columns.
    std::vector<std::pair<QByteArray, QList<QByteArray>>> tablas()
    {
        std::vector<std::pair<QByteArray, QList<QByteArray>>> t;
        sqlite3_stmt *st = preparar("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite%' "
                                    "ORDER BY rowid");
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            t.push_back({reinterpret_cast<const char *>(sqlite3_column_text(st, 0)), {}});
        comprobar(rc);
        for (auto &[tabla, columnas] : t) {
            st = preparar("SELECT name FROM pragma_table_info('" + tabla + "')");
            while ((rc = sqlite3_step(st)) == SQLITE_ROW)
                columnas << reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
            comprobar(rc);
        }
        return t;
    }

private:
    BaseSqlite db_;
    SentenciaSqlite st_; // after the connection: finalized before it closes
};

// One value in COPY's text form: \N for null, backslash escapes in texts.
void escribirValor(std::string &out, sqlite3_stmt *st, int i)
{
    char numero[32];
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL:
        out += "\\N";
        return;
    case SQLITE_INTEGER:
        out.append(numero, std::to_chars(numero, numero + sizeof numero, sqlite3_column_int64(st, i)).ptr);
        return;
    case SQLITE_FLOAT: // the shortest text that reads back as the same number
        out.append(numero, std::to_chars(numero, numero + sizeof numero, sqlite3_column_double(st, i)).ptr);
        return;
    default:
        break;
    }
    const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
    const int n = sqlite3_column_bytes(st, i);
    for (int k = 0; k < n; ++k) {
        switch (t[k]) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += t[k];
        }
    }
}

} // namespace

void ejecutar(const QString &direccion, const QString &sql)
{
    Servidor(direccion).ejecutar(sql.toUtf8());
}

void crear(const QString &direccion)
{
    Servidor s(direccion);
    s.ejecutar("BEGIN");
    s.ejecutar(archivoBase::guionCompleto(true));
    s.ejecutar("COMMIT");
}

std::vector<Cuenta> copiar(const QString &archivo, const QString &direccion)
{
    exigirVersionActual(archivo, direccion);
    Archivo origen(archivo);
    Servidor destino(direccion);
    // Every table of the file, by the file's own columns, so that the tables
    // of each upgrade step travel too.
    std::vector<Tabla> tablas;
    // The original tables first, families leading (the order a reader of the
    // copy would expect), then each step's in the order they were made.
    const auto deArchivo = origen.tablas();
    const auto esOriginal = [](const QByteArray &n) {
        return std::find(std::begin(tablasOriginales), std::end(tablasOriginales), n) != std::end(tablasOriginales);
    };
    std::vector<std::pair<QByteArray, QList<QByteArray>>> ordenadas;
    for (const char *original : tablasOriginales)
        for (const auto &t : deArchivo)
            if (t.first == original)
                ordenadas.push_back(t);
    for (const auto &t : deArchivo)
        if (!esOriginal(t.first))
            ordenadas.push_back(t);
    for (const auto &[nombre, columnas] : ordenadas) {
        const QHash<QByteArray, QByteArray> enServidor = destino.columnas(nombre);
        Tabla t{nombre, columnas.join(','), {}, columnas.contains("id")};
        QList<QByteArray> escritas;
        for (const QByteArray &c : columnas) {
            if (!enServidor.contains(c.toLower()))
                throw QuendraError(QuendraError::BaseNoValida,
                                   QStringLiteral("Al servidor le falta la columna %1 de la tabla %2")
                                       .arg(QString::fromUtf8(c), QString::fromUtf8(nombre)));
            escritas << '"' + enServidor[c.toLower()] + '"';
        }
        t.columnasServidor = escritas.join(',');
        tablas.push_back(t);
    }
    destino.ejecutar("BEGIN");
    std::vector<Cuenta> cuentas;
    for (const Tabla &t : tablas) {
        const bool original =
            std::find(std::begin(tablasOriginales), std::end(tablasOriginales), t.nombre) != std::end(tablasOriginales);
        if (!original)
            destino.ejecutar("DELETE FROM " + t.nombre);
        else if (destino.contar(t.nombre) != 0)
            throw QuendraError(
                QuendraError::BaseNoValida,
                QStringLiteral("La tabla %1 del servidor no está vacía").arg(QString::fromUtf8(t.nombre)));
        destino.ejecutar("COPY " + t.nombre + '(' + t.columnasServidor + ") FROM STDIN", PGRES_COPY_IN);
        sqlite3_stmt *st = origen.preparar("SELECT " + t.columnasArchivo + " FROM " + t.nombre);
        const int columnas = sqlite3_column_count(st);
        std::string bloque;
        long long filas = 0;
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            for (int i = 0; i < columnas; ++i) {
                if (i > 0)
                    bloque += '\t';
                escribirValor(bloque, st, i);
            }
            bloque += '\n';
            ++filas;
            if (bloque.size() > (1 << 20)) {
                destino.enviar(bloque);
                bloque.clear();
            }
        }
        origen.comprobar(rc);
        destino.enviar(bloque);
        destino.terminarCopia();
        cuentas.push_back({QString::fromUtf8(t.nombre), filas, destino.contar(t.nombre)});
        // The counter goes on after the copied rows (a table without one gives null).
        if (t.conId)
            destino.ejecutar("SELECT setval(pg_get_serial_sequence('" + t.nombre
                                 + "', 'id'), coalesce(max(id), 0) + 1, false) FROM " + t.nombre,
                             PGRES_TUPLES_OK);
    }
    destino.ejecutar("COMMIT");
    return cuentas;
}

} // namespace baseServidor
