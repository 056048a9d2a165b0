#pragma once

#include <QString>
#include <vector>

// Databases on a PostgreSQL server: creating the tables and moving a shop's
// file onto them.
namespace baseServidor {

// Runs SQL text (several statements allowed) on the server without looking
// for the program's tables, as creating and administering a database needs.
void ejecutar(const QString &direccion, const QString &sql);

// Creates the tables of the program's version in one transaction.
void crear(const QString &direccion);

struct Cuenta
{
    QString tabla;
    long long origen = 0, destino = 0;
};

// Copies every row of the SQLite file onto the server's empty tables in one
// transaction (nothing stays after a failure) and gives the rows of both sides.
// The file is first upgraded to the program's version, as the program would.
std::vector<Cuenta> copiar(const QString &archivo, const QString &direccion);

} // namespace baseServidor
