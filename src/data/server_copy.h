#pragma once

#include <QDate>
#include <QString>
#include <vector>

// A server's data as an ordinary database file, which opens in the program on
// any computer: the copy a shop on a server keeps of its data.
namespace copiaServidor {

struct Cuenta
{
    QString tabla;
    long long filas = 0;
};

// The name of the day's copy of a server's data.
QString nombreDelDia(const QDate &dia);

// Copies every table of the server, read in one consistent snapshot, into a new
// file at `archivo`, written under another name and renamed when whole. The
// server must be at this program's version; an existing file is refused.
std::vector<Cuenta> aArchivo(const QString &direccion, const QString &archivo);

// The day's copy into the folder `carpetaCopias`, unless a program made one of
// this server today: the first to get here on a day makes it while the others
// wait for it on an advisory lock, and records the day in the server; then the
// folder keeps 7 daily and 4 weekly copies, as a file's. Gives the copy made,
// or an empty text.
QString delDia(const QString &direccion, const QString &carpetaCopias, const QDate &hoy);

} // namespace copiaServidor
