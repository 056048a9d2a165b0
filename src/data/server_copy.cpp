#include "server_copy.h"
#include "backup.h"
#include "connection.h"
#include "database_file.h"
#include "dates.h"
#include "quendra_error.h"
#include "schema_version.h"
#include "sqlite_handles.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace copiaServidor {

namespace {

[[noreturn]] void fallar(sqlite3 *db, const QString &archivo)
{
    throw QuendraError(
        sqlite3_extended_errcode(db),
        QStringLiteral("No se pudo escribir «%1»: %2").arg(archivo, QString::fromUtf8(sqlite3_errmsg(db))));
}

void ejecutar(sqlite3 *db, const QByteArray &sql, const QString &archivo)
{
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fallar(db, archivo);
}

// The file's tables and their columns, as the file's own schema has them.
std::vector<std::pair<QByteArray, QList<QByteArray>>> tablasDelArchivo(sqlite3 *db, const QString &archivo)
{
    std::vector<std::pair<QByteArray, QList<QByteArray>>> tablas;
    SentenciaSqlite st;
    if (sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite%'", -1,
                           st.destino(), nullptr)
        != SQLITE_OK)
        fallar(db, archivo);
    while (sqlite3_step(st.get()) == SQLITE_ROW)
        tablas.push_back({reinterpret_cast<const char *>(sqlite3_column_text(st.get(), 0)), {}});
    for (auto &[tabla, columnas] : tablas) {
        SentenciaSqlite info;
        if (sqlite3_prepare_v2(db, "SELECT name FROM pragma_table_info(?)", -1, info.destino(), nullptr) != SQLITE_OK)
            fallar(db, archivo);
        sqlite3_bind_text(info.get(), 1, tabla.constData(), int(tabla.size()), SQLITE_STATIC);
        while (sqlite3_step(info.get()) == SQLITE_ROW)
            columnas << reinterpret_cast<const char *>(sqlite3_column_text(info.get(), 0));
    }
    return tablas;
}

// Each row the server gives, inserted into the file's table as it comes.
class Insercion final : public RowSink
{
public:
    Insercion(sqlite3 *db, const QByteArray &sql, const QString &archivo) : db_(db), archivo_(archivo)
    {
        if (sqlite3_prepare_v2(db_, sql.constData(), int(sql.size()), st_.destino(), nullptr) != SQLITE_OK)
            fallar(db_, archivo_);
    }
    void columns(const QStringList &, const std::vector<TipoCampo> &) override { }
    void row(std::span<const CellValue> valores) override
    {
        sqlite3_reset(st_.get());
        for (int i = 0; i < int(valores.size()); ++i) {
            const CellValue &v = valores[size_t(i)];
            switch (v.kind) {
            case CellValue::Kind::Null:
                sqlite3_bind_null(st_.get(), i + 1);
                break;
            case CellValue::Kind::Integer:
                sqlite3_bind_int64(st_.get(), i + 1, v.integer);
                break;
            case CellValue::Kind::Real:
                sqlite3_bind_double(st_.get(), i + 1, v.real);
                break;
            case CellValue::Kind::Date: {
                // Dates are kept on the file as ISO texts.
                const QByteArray iso = QDate::fromJulianDay(v.integer).toString(Qt::ISODate).toLatin1();
                sqlite3_bind_text(st_.get(), i + 1, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
                break;
            }
            case CellValue::Kind::Text:
                sqlite3_bind_text(st_.get(), i + 1, v.text.data(), int(v.text.size()), SQLITE_TRANSIENT);
                break;
            }
        }
        if (sqlite3_step(st_.get()) != SQLITE_DONE)
            fallar(db_, archivo_);
        ++filas;
    }

    long long filas = 0;

private:
    sqlite3 *db_;
    const QString &archivo_;
    SentenciaSqlite st_;
};

void borrarConAnexos(const QString &archivo)
{
    for (const char *anexo : {"", "-journal", "-wal", "-shm"})
        QFile::remove(archivo + QLatin1String(anexo));
}

std::vector<Cuenta> copiar(Connection &servidor, const QString &parcial)
{
    archivoBase::crear(parcial);
    BaseSqlite db;
    if (sqlite3_open_v2(parcial.toUtf8().constData(), db.destino(), SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fallar(db.get(), parcial);
    ejecutar(db.get(), "BEGIN", parcial);
    std::vector<Cuenta> cuentas;
    for (const auto &[tabla, columnas] : tablasDelArchivo(db.get(), parcial)) {
        // Rows a new file starts with (the place "01") give way to the server's.
        ejecutar(db.get(), "DELETE FROM " + tabla, parcial);
        const QByteArray lista = columnas.join(',');
        Insercion insercion(db.get(),
                            "INSERT INTO " + tabla + '(' + lista + ") VALUES ("
                                + QByteArray("?,").repeated(columnas.size()).chopped(1) + ')',
                            parcial);
        servidor.read(QString::fromUtf8("SELECT " + lista + " FROM " + tabla), insercion);
        cuentas.push_back({QString::fromUtf8(tabla), insercion.filas});
    }
    ejecutar(db.get(), "COMMIT", parcial);
    // One file on its own, to be carried to another computer.
    ejecutar(db.get(), "PRAGMA journal_mode=DELETE", parcial);
    return cuentas;
}

} // namespace

namespace {
const QString prefijo = QStringLiteral("quendra-servidor-");
} // namespace

QString nombreDelDia(const QDate &dia)
{
    return copias::nombreDelDia(dia, prefijo);
}

std::vector<Cuenta> aArchivo(const QString &direccion, const QString &archivo)
{
    if (QFileInfo::exists(archivo))
        throw QuendraError(QuendraError::BaseNoValida, QStringLiteral("El archivo «%1» ya existe").arg(archivo));
    Connection servidor;
    servidor.open(direccion);
    const int version = servidor.versionEsquema();
    if (version != versionEsquema::actual)
        throw QuendraError(
            QuendraError::SinActualizar,
            QStringLiteral("El servidor «%1» está en la versión %2 y este programa copia la versión "
                           "%3: actualícelo antes con quendra-db upgrade")
                .arg(servidor.archivo(), QString::number(version), QString::number(versionEsquema::actual)));
    // Every table read as of one moment, whatever other operators post meanwhile.
    Transaction instantanea(servidor);
    servidor.execute(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
    const QString parcial = archivo + QStringLiteral(".parcial");
    borrarConAnexos(parcial);
    std::vector<Cuenta> cuentas;
    try {
        cuentas = copiar(servidor, parcial);
    } catch (...) {
        borrarConAnexos(parcial);
        throw;
    }
    if (!QFile::rename(parcial, archivo)) {
        borrarConAnexos(parcial);
        throw QuendraError(QuendraError::BaseNoValida, QStringLiteral("No se pudo guardar la copia «%1»").arg(archivo));
    }
    return cuentas;
}

QString delDia(const QString &direccion, const QString &carpetaCopias, const QDate &hoy)
{
    Connection registro;
    registro.open(direccion);
    Transaction t(registro);
    // Programs started together wait here for the first one's copy, then find it recorded.
    registro.bloquear(QStringLiteral("copia diaria del servidor"));
    const auto ultima = registro.execute(QStringLiteral("SELECT fecha FROM copia_servidor"));
    if (!ultima->eof() && fechas::leer(ultima->field(0).text()) >= hoy)
        return {};
    if (!QDir().mkpath(carpetaCopias))
        throw QuendraError(QuendraError::BaseNoValida,
                           QStringLiteral("No se pudo crear la carpeta «%1»").arg(carpetaCopias));
    const QString destino = QDir(carpetaCopias).filePath(nombreDelDia(hoy));
    // A copy of the day already there (made by hand) stands for it.
    const bool hecha = !QFileInfo::exists(destino);
    if (hecha)
        aArchivo(direccion, destino);
    registro.execute(QStringLiteral("DELETE FROM copia_servidor"));
    registro.execute(QStringLiteral("INSERT INTO copia_servidor(fecha) VALUES (#%1#)").arg(fechas::texto(hoy)));
    t.commit();
    copias::podar(carpetaCopias, prefijo);
    return hecha ? destino : QString();
}

} // namespace copiaServidor
