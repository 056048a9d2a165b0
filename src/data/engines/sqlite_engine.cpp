#include "sqlite_engine.h"
#include "backup.h"
#include "dates.h"
#include "like_function.h"
#include "quendra_error.h"
#include "schema_tables.h"
#include "schema_version.h"
#include "sqlite_handles.h"
#include "type_codes.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <sqlite3.h>

namespace {

TipoCampo tipoDeclarado(const char *decl)
{
    if (!decl)
        return TipoCampo::Ninguno;
    QByteArray d = QByteArray(decl).toUpper();
    if (d.contains("DATE"))
        return TipoCampo::Fecha;
    if (d.contains("INT"))
        return TipoCampo::Entero;
    if (d.contains("REAL") || d.contains("FLOA") || d.contains("DOUB") || d.contains("NUM") || d.contains("DEC"))
        return TipoCampo::Simple;
    return TipoCampo::Texto;
}

bool soloBlancos(const char *p)
{
    for (; *p; ++p)
        if (!(*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == ';'))
            return false;
    return true;
}

// Another program holds a lock on the file for longer than the busy timeout.
bool enUsoPorOtro(int numero)
{
    return numero < QuendraError::ConexionCerrada
           && ((numero & 0xff) == SQLITE_BUSY || (numero & 0xff) == SQLITE_LOCKED);
}

QString enUsoTexto(const QString &archivo)
{
    return QStringLiteral("La base de datos «%1» está en uso por otro programa").arg(archivo);
}

// Whether the program may create files beside the database, as its journal needs;
// tried rather than read from the permissions, which say little to root.
bool carpetaEscribible(const QString &carpeta)
{
    QTemporaryFile prueba(QDir(carpeta).filePath(QStringLiteral(".quendra-XXXXXX")));
    return prueba.open();
}

// An open that failed, told by its cause: a lock, a folder the program may not
// write in, or else the file itself (the general text, with the file and the error).
QuendraError falloDeApertura(const QuendraError &e, const QString &archivo, const QString &general)
{
    if (enUsoPorOtro(e.numero()))
        return QuendraError(e.numero(), enUsoTexto(archivo));
    const QString carpeta = QFileInfo(archivo).absolutePath();
    if (!carpetaEscribible(carpeta))
        return QuendraError(e.numero(),
                            QStringLiteral("La carpeta «%1» no permite que el programa escriba en ella, y la base de "
                                           "datos «%2» lo necesita")
                                .arg(carpeta, archivo));
    return QuendraError(e.numero(), general.arg(archivo, e.descripcion()));
}

} // namespace

void MotorSqlite::fallar(int codigo) const
{
    QString desc = db_.get() ? QString::fromUtf8(sqlite3_errmsg(db_.get())) : QString::fromUtf8(sqlite3_errstr(codigo));
    const int numero = db_.get() ? sqlite3_extended_errcode(db_.get()) : codigo;
    if (enUsoPorOtro(numero))
        desc = enUsoTexto(nombre_);
    else if (copias::esCodigoDanado(numero))
        desc = copias::descripcionDanado(nombre_, desc);
    throw QuendraError(numero, desc);
}

void MotorSqlite::ejecutarSimple(const char *sql)
{
    int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fallar(rc);
}

MotorSqlite::MotorSqlite(const QString &archivo)
{
    QString nombre = QFileInfo(archivo).absoluteFilePath();
    nombre_ = nombre;
    if (!QFileInfo::exists(nombre))
        throw QuendraError(SQLITE_CANTOPEN,
                           QStringLiteral("No se encontró el archivo de la base de datos «%1»").arg(nombre));
    // SQLite would take an empty file for a new database and write into it.
    if (QFileInfo(nombre).size() == 0)
        throw QuendraError(
            QuendraError::BaseNoValida,
            QStringLiteral("El archivo «%1» está vacío: no es una base de datos de Quendra").arg(nombre));
    // Only the user-interface thread uses the connection: no mutex around every call.
    int rc = sqlite3_open_v2(nombre.toUtf8().constData(), db_.destino(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    if (rc != SQLITE_OK) {
        QString desc = QString::fromUtf8(db_.get() ? sqlite3_errmsg(db_.get()) : sqlite3_errstr(rc));
        int codigo = db_.get() ? sqlite3_extended_errcode(db_.get()) : rc;
        db_.reset();
        throw falloDeApertura(QuendraError(codigo, desc), nombre, QStringLiteral("No se pudo abrir «%1»: %2"));
    }
    try {
        sqlite3_busy_timeout(db_.get(), 5000);
        sqlite3_extended_result_codes(db_.get(), 1);
        if (sqlite3_db_readonly(db_.get(), "main") == 1)
            throw QuendraError(QuendraError::SoloLectura,
                               QStringLiteral("El archivo «%1» es de solo lectura").arg(nombre));
        leerEsquema();
        // A newer program's file is refused before anything here could write into it.
        versionEsquema::exigirConocida(versionEsquema(), nombre);
        ejecutarSimple("PRAGMA journal_mode=WAL");
        ejecutarSimple("PRAGMA synchronous=FULL");
        registrarLike(db_.get());
    } catch (const QuendraError &e) {
        db_.reset();
        if (e.numero() == QuendraError::SoloLectura || e.numero() == QuendraError::BaseNoValida
            || e.numero() == QuendraError::BaseMasNueva)
            throw;
        const QString general = QStringLiteral("«%1» no es una base de datos válida o está dañada: %2");
        if (!copias::esCodigoDanado(e.numero()))
            throw falloDeApertura(e, nombre, general);
        // The open's own wording with SQLite's, then how to put the newest copy back.
        const QuendraError f =
            falloDeApertura(QuendraError(e.numero(), QString::fromUtf8(sqlite3_errstr(e.numero()))), nombre, general);
        throw QuendraError(f.numero(), f.descripcion() + QStringLiteral(". ") + copias::comoRestaurar(nombre));
    }
}

void MotorSqlite::leerEsquema()
{
    QSet<QString> tablas, columnasFecha;
    SentenciaSqlite s;
    const char *sql = "SELECT m.name, p.name, p.type FROM sqlite_master m, pragma_table_info(m.name) p "
                      "WHERE m.type = 'table'";
    if (sqlite3_prepare_v2(db_.get(), sql, -1, s.destino(), nullptr) != SQLITE_OK)
        fallar(sqlite3_errcode(db_.get()));
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        tablas.insert(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s.get(), 0))).toLower());
        if (tipoDeclarado(reinterpret_cast<const char *>(sqlite3_column_text(s.get(), 2))) == TipoCampo::Fecha)
            columnasFecha.insert(
                QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s.get(), 1))).toLower());
    }
    if (rc != SQLITE_DONE)
        fallar(rc);
    for (const char *t : tablasDeQuendra)
        if (!tablas.contains(QLatin1String(t)))
            throw QuendraError(QuendraError::BaseNoValida,
                               QStringLiteral("Al archivo «%1» le falta la tabla %2").arg(nombre_, QLatin1String(t)));
    dialecto_ = SqlDialect(columnasFecha);
}

int MotorSqlite::versionEsquema()
{
    SentenciaSqlite s;
    if (sqlite3_prepare_v2(db_.get(), "PRAGMA user_version", -1, s.destino(), nullptr) != SQLITE_OK
        || sqlite3_step(s.get()) != SQLITE_ROW)
        fallar(sqlite3_errcode(db_.get()));
    // A file made before versions were recorded holds 0: the three tables, version 1.
    return std::max(1, sqlite3_column_int(s.get(), 0));
}

void MotorSqlite::fijarVersionEsquema(int version)
{
    ejecutarSimple(versionEsquema::guionVersion(version, false).constData());
}

void MotorSqlite::ejecutarGuion(const QByteArray &sql)
{
    ejecutarSimple(sql.constData());
}

MotorSqlite::~MotorSqlite() = default;

void MotorSqlite::leer(const QString &sqlTraducido, RowSink &destino)
{
    QByteArray texto = sqlTraducido.toUtf8();
    SentenciaSqlite s;
    const char *resto = nullptr;
    if (sqlite3_prepare_v2(db_.get(), texto.constData(), int(texto.size()), s.destino(), &resto) != SQLITE_OK)
        fallar(sqlite3_errcode(db_.get()));
    if (resto && !soloBlancos(resto)) {
        SentenciaSqlite otra;
        const char *r2 = nullptr;
        bool hayOtra =
            sqlite3_prepare_v2(db_.get(), resto, -1, otra.destino(), &r2) != SQLITE_OK || otra.get() != nullptr;
        if (hayOtra)
            throw QuendraError(QuendraError::VariasSentencias,
                               QStringLiteral("El texto contiene más de una sentencia"));
    }
    if (!s.get()) { // only blanks or comments
        destino.columns({}, {});
        return;
    }
    const int n = sqlite3_column_count(s.get());
    QStringList nombres;
    std::vector<TipoCampo> tipos(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        nombres << QString::fromUtf8(sqlite3_column_name(s.get(), i));
        tipos[size_t(i)] = tipoDeclarado(sqlite3_column_decltype(s.get(), i));
    }
    destino.columns(nombres, tipos);
    std::vector<CellValue> valores(static_cast<size_t>(n));
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i) {
            CellValue &v = valores[size_t(i)];
            // One call for the column, the rest on its value, which is safe on a
            // connection of one thread: each sqlite3_column_ call looks the column
            // up and checks the statement again.
            sqlite3_value *valor = sqlite3_column_value(s.get(), i);
            switch (sqlite3_value_type(valor)) {
            case SQLITE_NULL:
                v.kind = CellValue::Kind::Null;
                break;
            case SQLITE_INTEGER:
                v.kind = CellValue::Kind::Integer;
                v.integer = sqlite3_value_int64(valor);
                break;
            case SQLITE_FLOAT:
                v.kind = CellValue::Kind::Real;
                v.real = sqlite3_value_double(valor);
                break;
            default: {
                const char *t = reinterpret_cast<const char *>(sqlite3_value_text(valor));
                const int bytes = sqlite3_value_bytes(valor);
                QDate f;
                if (tipos[size_t(i)] == TipoCampo::Fecha && (f = fechas::leerIso(t, bytes)).isValid()) {
                    v.kind = CellValue::Kind::Date;
                    v.integer = f.toJulianDay();
                } else {
                    v.kind = CellValue::Kind::Text;
                    v.text = QByteArrayView(t, bytes);
                }
            }
            }
        }
        destino.row(valores);
    }
    if (rc != SQLITE_DONE)
        fallar(rc);
}

void MotorSqlite::begin()
{
    ejecutarSimple("BEGIN IMMEDIATE");
}

void MotorSqlite::commit()
{
    ejecutarSimple("COMMIT");
}

void MotorSqlite::rollback() noexcept
{
    if (!sqlite3_get_autocommit(db_.get()))
        sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

bool MotorSqlite::inTransaction() const
{
    return !sqlite3_get_autocommit(db_.get());
}
