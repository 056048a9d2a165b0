#include "backup.h"
#include "quendra_error.h"
#include "sqlite_handles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>

namespace copias {

namespace {

[[noreturn]] void fallar(sqlite3 *db, int rc, const QString &que)
{
    const int codigo = db ? sqlite3_extended_errcode(db) : rc;
    const char *desc = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    throw QuendraError(codigo, que + QStringLiteral(": ") + QString::fromUtf8(desc));
}

void borrarConAnexos(const QString &archivo)
{
    for (const char *anexo : {"", "-journal", "-wal", "-shm"})
        QFile::remove(archivo + QLatin1String(anexo));
}

void copiarPaginas(const QString &origen, const QString &destino)
{
    BaseSqlite fuente, copia;
    int rc = sqlite3_open_v2(origen.toUtf8().constData(), fuente.destino(), SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK)
        fallar(fuente.get(), rc, QStringLiteral("No se pudo abrir «%1»").arg(origen));
    sqlite3_busy_timeout(fuente.get(), 5000);
    rc = sqlite3_open_v2(destino.toUtf8().constData(), copia.destino(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                         nullptr);
    if (rc != SQLITE_OK)
        fallar(copia.get(), rc, QStringLiteral("No se pudo crear «%1»").arg(destino));
    sqlite3_backup *b = sqlite3_backup_init(copia.get(), "main", fuente.get(), "main");
    if (!b)
        fallar(copia.get(), sqlite3_errcode(copia.get()), QStringLiteral("No se pudo copiar «%1»").arg(origen));
    // All pages in one step: one read transaction, so the copy is one moment of
    // the file whatever other connections write meanwhile.
    for (int intentos = 0; (rc = sqlite3_backup_step(b, -1)) == SQLITE_BUSY || rc == SQLITE_LOCKED; ++intentos) {
        if (intentos == 100)
            break;
        QThread::msleep(50);
    }
    const int fin = sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE || fin != SQLITE_OK)
        fallar(copia.get(), rc != SQLITE_DONE ? rc : fin, QStringLiteral("No se pudo copiar «%1»").arg(origen));
    // The pages carry the source's journal mode; a copy is one file on its own.
    rc = sqlite3_exec(copia.get(), "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fallar(copia.get(), rc, QStringLiteral("No se pudo cerrar la copia «%1»").arg(destino));
}

} // namespace

QString carpeta(const QString &archivoBase)
{
    return QFileInfo(archivoBase).absoluteDir().filePath(QStringLiteral("backups"));
}

QString nombreDelDia(const QDate &dia, const QString &prefijo)
{
    return prefijo + dia.toString(Qt::ISODate) + QStringLiteral(".accdb");
}

void copiar(const QString &origen, const QString &destino)
{
    if (!QFileInfo(origen).isFile())
        throw QuendraError(SQLITE_CANTOPEN, QStringLiteral("No se encontró el archivo «%1»").arg(origen));
    if (QFileInfo::exists(destino))
        throw QuendraError(QuendraError::BaseNoValida, QStringLiteral("El archivo «%1» ya existe").arg(destino));
    const QString parcial = destino + QStringLiteral(".parcial");
    borrarConAnexos(parcial);
    try {
        copiarPaginas(origen, parcial);
    } catch (...) {
        borrarConAnexos(parcial);
        throw;
    }
    if (!QFile::rename(parcial, destino)) {
        borrarConAnexos(parcial);
        throw QuendraError(SQLITE_CANTOPEN, QStringLiteral("No se pudo guardar la copia «%1»").arg(destino));
    }
}

QList<QDate> aConservar(QList<QDate> dias)
{
    std::sort(dias.begin(), dias.end(), std::greater<>());
    dias.erase(std::unique(dias.begin(), dias.end()), dias.end());
    QList<QDate> guardar = dias.mid(0, 7);
    // Walking from the oldest, the first copy seen in a week is that week's.
    QList<QDate> semanales;
    int semanaVista = -1;
    for (auto d = dias.crbegin(); d != dias.crend(); ++d) {
        int anio = 0;
        const int semana = d->weekNumber(&anio) + anio * 100;
        if (semana != semanaVista && !guardar.contains(*d))
            semanales.prepend(*d);
        semanaVista = semana;
    }
    return guardar + semanales.mid(0, 4);
}

QList<QDate> diasConCopia(const QString &carpetaCopias, const QString &prefijo)
{
    QList<QDate> dias;
    const QRegularExpression nombreCopia(
        QStringLiteral("^%1(\\d{4})-(\\d{2})-(\\d{2})\\.accdb$").arg(QRegularExpression::escape(prefijo)));
    const QStringList archivos = QDir(carpetaCopias).entryList({prefijo + QStringLiteral("*.accdb")}, QDir::Files);
    for (const QString &a : archivos) {
        const auto m = nombreCopia.match(a);
        const QDate d =
            m.hasMatch() ? QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()) : QDate();
        if (d.isValid() && a == nombreDelDia(d, prefijo))
            dias << d;
    }
    return dias;
}

QString copiaDelDia(const QString &archivoBase, const QDate &hoy)
{
    const QString dir = carpeta(archivoBase);
    if (!QDir().mkpath(dir))
        throw QuendraError(SQLITE_CANTOPEN, QStringLiteral("No se pudo crear la carpeta «%1»").arg(dir));
    const QString destino = QDir(dir).filePath(nombreDelDia(hoy));
    if (QFileInfo::exists(destino))
        return {};
    copiar(archivoBase, destino);
    podar(dir, prefijoArchivo);
    return destino;
}

void podar(const QString &carpetaCopias, const QString &prefijo)
{
    const QList<QDate> todos = diasConCopia(carpetaCopias, prefijo), guardar = aConservar(todos);
    for (const QDate &d : todos)
        if (!guardar.contains(d))
            QFile::remove(QDir(carpetaCopias).filePath(nombreDelDia(d, prefijo)));
}

QString masReciente(const QString &archivoBase)
{
    const QList<QDate> dias = diasConCopia(carpeta(archivoBase));
    if (dias.isEmpty())
        return {};
    return QDir(carpeta(archivoBase)).filePath(nombreDelDia(*std::max_element(dias.begin(), dias.end())));
}

bool esCodigoDanado(int codigo)
{
    return (codigo & 0xff) == SQLITE_CORRUPT || (codigo & 0xff) == SQLITE_NOTADB;
}

QString copiaAntes(const QString &archivo, const QString &que)
{
    const QDir dir(carpeta(archivo));
    if (!dir.mkpath(QStringLiteral(".")))
        throw QuendraError(QuendraError::BaseNoValida,
                           QStringLiteral("No se pudo crear la carpeta de copias «%1»").arg(dir.path()));
    const QString base = QStringLiteral("quendra-antes-de-") + que;
    QString nombre = dir.filePath(base + QStringLiteral(".accdb"));
    for (int n = 2; QFileInfo::exists(nombre); ++n)
        nombre = dir.filePath(QStringLiteral("%1-%2.accdb").arg(base).arg(n));
    copiar(archivo, nombre);
    return nombre;
}

QString comoRestaurar(const QString &archivoBase)
{
    const QString copia = QDir::toNativeSeparators(masReciente(archivoBase));
    if (copia.isEmpty())
        return QStringLiteral("No hay ninguna copia de seguridad en «%1».")
            .arg(QDir::toNativeSeparators(carpeta(archivoBase)));
    return QStringLiteral("La copia de seguridad más reciente es «%1». Para ponerla en su lugar, cierre "
                          "Quendra y ejecute:\nquendra-db restore \"%1\" \"%2\"")
        .arg(copia, QDir::toNativeSeparators(archivoBase));
}

QString descripcionDanado(const QString &archivoBase, const QString &detalle)
{
    return QStringLiteral("El archivo de la base de datos «%1» está dañado (%2). ")
               .arg(QDir::toNativeSeparators(archivoBase), detalle)
           + comoRestaurar(archivoBase);
}

} // namespace copias
