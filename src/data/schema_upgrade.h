#pragma once

#include <QString>

class Connection;

// Brings an open database of an older version up to the program's (schema_version.h).
namespace actualizacionEsquema {

struct Resultado
{
    int desde = 0;
    int hasta = 0;
    QString copia; // the file's copy made before the upgrade; empty on a server
    bool hecha() const { return hasta > desde; }
};

// All steps in one transaction: a failed step leaves the database as it was.
// A file is first copied into backups/, named for the version it leaves. On a
// server, only the tables' owner upgrades, and under a lock, so that two
// programs starting at once upgrade it once; anyone else is refused, told to
// run quendra-db upgrade. Throws QuendraError.
Resultado actualizar(Connection &conexion);

} // namespace actualizacionEsquema
