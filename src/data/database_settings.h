#pragma once

#include <QString>

// The settings file quendra.conf in the user's configuration folder. Without it
// the program works on its SQLite file; with "[base] servidor=postgresql://..."
// it works on that server.
namespace ajustesBase {

QString archivoAjustes();

// The server's address, or "" when none is set. The password belongs in
// ~/.pgpass or PGPASSWORD: an address that carries one is refused.
QString servidor();

} // namespace ajustesBase
