#pragma once

#include <QString>

// Creating database files; the program itself never creates or alters tables.
namespace archivoBase {

// The statements of db/schema.sql, built into the program.
QString esquema();

// Creates a new database file with the three tables. Refuses an existing file.
void crear(const QString &archivo);

} // namespace archivoBase
