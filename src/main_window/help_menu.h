#pragma once

class QMainWindow;
class QDialog;
class QString;

// "Ay&uda", after the main window's given menus: the user's manual (F1) in the
// desktop's browser, and "Acerca de Quendra".
namespace menuAyuda {

void agregar(QMainWindow *ventana);

// The About box over the given window, not yet shown.
QDialog *crearAcercaDe(QMainWindow *ventana);

// The manual's first page: beside an installed program, or in the build folder
// for one run from there; "" when neither is found.
QString paginaManual();

} // namespace menuAyuda
