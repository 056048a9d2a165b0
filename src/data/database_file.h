#pragma once

#include <QByteArray>
#include <QString>

// Creating databases at the program's version.
namespace archivoBase {

// The tables of the program's version: the schema of the file or the server,
// then every upgrade step; on a file, the version recorded too.
QByteArray guionCompleto(bool servidor);

// Creates a new database file at the program's version. Refuses an existing file.
void crear(const QString &archivo);

} // namespace archivoBase
