#pragma once

#include <QString>

namespace datos {

// Refuses a copy that could not take the database's place: one that fails the
// integrity check or lacks one of the three tables. Throws QuendraError.
void comprobarCopia(const QString &copia);

// Puts a checked copy in the place of a database file; the replaced file stays
// beside it as FILE.anterior. Refuses while another program has the file open,
// and changes nothing when the copy is refused.
void restaurar(const QString &copia, const QString &archivo);

} // namespace datos
