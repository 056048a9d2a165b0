#pragma once

#include <QString>

// The settings file quendra.conf in the user's configuration folder. Without it
// the program works on its SQLite file; with "[base] servidor=postgresql://..."
// it works on that server. "[puesto] deposito=" names the storage place this
// computer works in.
namespace ajustesBase {

QString archivoAjustes();

// The server's address, or "" when none is set. The password belongs in
// ~/.pgpass or PGPASSWORD: an address that carries one is refused.
QString servidor();

// The code of the storage place this computer works in; "01" when none is set.
QString depositoDelPuesto();
// Records it in the file. Throws QuendraError when the file cannot be written.
void fijarDepositoDelPuesto(const QString &codigo);

} // namespace ajustesBase
