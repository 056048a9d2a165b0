#pragma once

#include "grid_statements.h"

class Connection;

// What a grid's saves and deletions add to the record of changes, inside the
// transaction that writes them.
namespace registroGrilla {

// A cell saved: the table and column, the row's key, the text as loaded and as saved.
void anotarCelda(Connection &conexion, const QString &tabla, const sentenciasGrilla::Fila &cargada,
                 const sentenciasGrilla::Fila &guardada, int columna, const QList<int> &claves);

// A row deleted, with every value it had. An article's or a family's row is
// recorded as that article or family deleted.
void anotarBaja(Connection &conexion, const QString &tabla, const sentenciasGrilla::Fila &fila,
                const QList<int> &claves);

} // namespace registroGrilla
