#pragma once

#include <QString>
#include <QStringList>

namespace datos {

// The file's integrity check, then every article whose stock differs from the
// sum of its movements; on a server (a postgresql:// address) the stock only.
// An empty list means all is well.
QStringList comprobar(const QString &archivo);

// "Versión 2 de la base de datos"; for a newer program's database, that it is; an
// empty text when the database cannot be opened for another reason.
QString descripcionVersion(const QString &lugar);

} // namespace datos
