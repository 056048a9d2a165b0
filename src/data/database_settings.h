#pragma once

#include <QString>
#include <QVariant>

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

// What the windows keep between starts under "[recordado]": the main window's
// place, the last folder of each kind of export. A failed write is not reported:
// a forgotten place is no reason to interrupt the operator.
QVariant recordado(const QString &clave);
void recordar(const QString &clave, const QVariant &valor);

} // namespace ajustesBase
