#pragma once

#include <QString>

// Where the program's database file lives.
namespace ubicacionBase {

inline const QString nombreArchivo = QStringLiteral("quendra.accdb");

// The program folder when it holds the file (a portable copy, and what a build
// runs on), otherwise the user's data folder, where an installed copy keeps it.
QString elegir(const QString &carpetaPrograma, const QString &carpetaDatos);

// The user's data folder: ~/.local/share/Quendra on Linux.
QString carpetaDatos();

} // namespace ubicacionBase
