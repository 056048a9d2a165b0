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
#include <charconv>

namespace baseServidor {

namespace {

struct Tabla
{
    const char *nombre, *columnasArchivo, *columnasServidor;
    // A table of an upgrade step, which a new database already fills with its
    // defaults (the place "01"): its rows give way to the file's.
    bool deUnPaso = false;
};

// Families first: the order a reader of the copy would expect, not one the tables need.
const Tabla tablas[] = {
    {"familia", "id,codigo,familia", "id,codigo,familia"},
    {"articulo", "numero,codigo,nombre,detalle,alta,costo,stock", "numero,codigo,nombre,detalle,alta,costo,stock"},
    {"movstk", "id,comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,Entrada,Salida,codigo",
     "id,comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,\"Entrada\",\"Salida\",codigo"},
    {"deposito", "id,codigo,nombre", "id,codigo,nombre", true},
    {"minimo", "id,numero,deposito,minimo,reponer,proveedor", "id,numero,deposito,minimo,reponer,proveedor"},
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
    long long contar(const char *tabla)
    {
        const ResultadoPg r(PQexec(pg_, QByteArray("SELECT count(*) FROM ").append(tabla).constData()));
        if (r.estado() != PGRES_TUPLES_OK)
            fallar();
        return std::atoll(PQgetvalue(r.get(), 0, 0));
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
    destino.ejecutar("BEGIN");
    std::vector<Cuenta> cuentas;
    for (const Tabla &t : tablas) {
        if (t.deUnPaso)
            destino.ejecutar(QByteArray("DELETE FROM ") + t.nombre);
        else if (destino.contar(t.nombre) != 0)
            throw QuendraError(QuendraError::BaseNoValida,
                               QStringLiteral("La tabla %1 del servidor no está vacía").arg(QLatin1String(t.nombre)));
        destino.ejecutar(QByteArray("COPY ") + t.nombre + '(' + t.columnasServidor + ") FROM STDIN", PGRES_COPY_IN);
        sqlite3_stmt *st = origen.preparar(QByteArray("SELECT ") + t.columnasArchivo + " FROM " + t.nombre);
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
        cuentas.push_back({QLatin1String(t.nombre), filas, destino.contar(t.nombre)});
    }
    // The counters go on after the copied rows.
    for (const char *t : {"familia", "movstk", "deposito", "minimo"})
        destino.ejecutar(QByteArray("SELECT setval(pg_get_serial_sequence('") + t
                             + "', 'id'), coalesce(max(id), 0) + 1, "
                               "false) FROM "
                             + t,
                         PGRES_TUPLES_OK);
    destino.ejecutar("COMMIT");
    return cuentas;
}

} // namespace baseServidor
