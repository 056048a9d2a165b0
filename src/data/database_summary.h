#pragma once

#include <QString>

class Connection;

// What support asks first about the database in use.
struct ResumenBase
{
    QString lugar; // the file's absolute path, or the server's address without a password
    bool servidor = false;
    int version = 0;   // the schema version it records
    qint64 bytes = -1; // the file's size, or the server database's; -1 when unknown
    qint64 articulos = 0, movimientos = 0;
};

// Reads it from the open connection. Throws QuendraError when the database cannot be read.
ResumenBase resumirBase(Connection &conexion);

// The versions of the libraries the data goes through: "Qt 6.4.2, SQLite 3.40.1, libpq 15.10".
QString versionesBibliotecas();
