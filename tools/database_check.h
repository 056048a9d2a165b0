#pragma once

#include <QString>
#include <QStringList>

namespace datos {

// The file's integrity check, then every article whose stock differs from the
// sum of its movements; on a server (a postgresql:// address) the stock only.
// An empty list means all is well.
QStringList comprobar(const QString &archivo);

} // namespace datos
