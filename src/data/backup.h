#pragma once

#include <QDate>
#include <QList>
#include <QString>

// Copies of the database file, made with SQLite's online backup so that they
// are consistent even while the program writes. They live in backups/ beside
// the file, one a day, named quendra-AAAA-MM-DD.accdb.
namespace copias {

QString carpeta(const QString &archivoBase);
// A file's daily copies begin with "quendra-"; a server's with "quendra-servidor-" (server_copy.h).
inline const QString prefijoArchivo = QStringLiteral("quendra-");
QString nombreDelDia(const QDate &dia, const QString &prefijo = prefijoArchivo);

// Copies the database as it stands at one moment, on a connection of its own.
// The copy is written under a passing name and takes its own name only when
// whole; it is a single file (no journal beside it). Refuses an existing
// destination. Throws QuendraError.
void copiar(const QString &origen, const QString &destino);

// A copy into backups/ before a change that writes much at once:
// quendra-antes-de-<que>.accdb, with a number after it when that name is taken.
// Gives the copy's path.
QString copiaAntes(const QString &archivo, const QString &que);

// The day's copy when there is none yet, then the rotation. Gives the copy
// made, or an empty text when the day already had one.
QString copiaDelDia(const QString &archivoBase, const QDate &hoy);

// The days whose copies are kept: the 7 newest, and besides them the first
// copy of each of the 4 newest weeks older than those.
QList<QDate> aConservar(QList<QDate> dias);

// The dated copies in a folder named with the prefix; other files are no such copies and are left alone.
QList<QDate> diasConCopia(const QString &carpetaCopias, const QString &prefijo = prefijoArchivo);

// Removes the dated copies with the prefix that aConservar does not keep.
void podar(const QString &carpetaCopias, const QString &prefijo);

// The newest copy of a database file, or an empty text when there is none.
QString masReciente(const QString &archivoBase);

// SQLite's codes for a file whose pages are not what it wrote: corrupt, or no database at all.
bool esCodigoDanado(int codigo);

// The description of an error that found the file damaged: the file, the
// newest copy and the command that puts it back.
QString descripcionDanado(const QString &archivoBase, const QString &detalle);
// Its second half: the newest copy and the command, or that there is none.
QString comoRestaurar(const QString &archivoBase);

} // namespace copias
