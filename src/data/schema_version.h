#pragma once

#include <QByteArray>
#include <QString>
#include <iterator>
#include <vector>

// The schema version a database records. Version 1 is the three tables of the
// first programs, which recorded none; each upgrade step in db/upgrades, one
// script per engine, brings a database one version further.
namespace versionEsquema {

// The upgrade steps' scripts, in db/upgrades/<engine>/: the first brings a
// database to version 2, the next to 3, and so on.
inline constexpr const char *guiones[] = {"002-deposito.sql", "003-transferencia.sql", "004-codigos-barras.sql",
                                          "005-minimos.sql", "006-recuento.sql", "007-registro.sql",
                                          "008-indice-minimos.sql", "009-copia-servidor.sql"};

// The version this program reads and writes.
inline constexpr int actual = 1 + int(std::size(guiones));

// The server's one-row table that records the version (a file keeps it in its header).
inline constexpr const char *tablaServidor = "quendra_version";

// The statements that record the version: a pragma on the file, the one row of
// tablaServidor on the server (made when missing).
QByteArray guionVersion(int version, bool servidor);

// A database of a newer program is refused, so that nothing here writes into it.
void exigirConocida(int version, const QString &lugar);

struct Paso
{
    int version;    // the version the step brings the database to
    QByteArray sql; // in the engine's own dialect
};

// The steps from `desde` up to the program's version, in order.
std::vector<Paso> pasosDesde(int desde, bool servidor);

// On a server, after the steps and the version: the roles that work on the
// movements get the same rights on the tables the steps added.
QByteArray guionPermisosServidor();

} // namespace versionEsquema
