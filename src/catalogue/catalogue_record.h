#pragma once

#include <QString>
#include <QStringList>

class Connection;
class Recordset;

// What saving an article or a family adds to the record of changes, inside the
// transaction that writes it.
namespace registroCatalogo {

enum class Clase { Articulo, Familia };

// `existente` is the stored row read before the save (none: the row was added);
// the columns and values are those written. A change names only the columns
// whose values differ.
void anotarGuardado(Connection &conexion, Clase clase, const QString &clave, const Recordset &existente,
                    const QStringList &columnas, const QStringList &valores);

} // namespace registroCatalogo
