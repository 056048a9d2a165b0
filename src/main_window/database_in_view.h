#pragma once

#include <QString>

class QMainWindow;

// The database in use, always in sight: an operator who sees unexpected
// figures can tell the shop's server from a stale copy or a new empty file.
namespace baseEnVista {

// The main window's title: the given one, and the place of the database
// when it is not the usual file of the user's data folder.
QString titulo(const QString &lugar, bool abierta, const QString &archivoUsual);

// The status bar's text: the file or the server, or that none is open.
QString estado(const QString &lugar, bool abierta, bool servidor);

// Puts both on the window for the process's connection.
void mostrar(QMainWindow *ventana);

} // namespace baseEnVista
