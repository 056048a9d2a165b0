#pragma once

#include <QIcon>

// The program's own pictures for its buttons, drawn in code so they stay sharp
// at any size (they read well at 48 px).
namespace iconos {
QIcon nuevo();      // a blank page with a plus
QIcon guardar();    // a disk
QIcon consulta();   // a magnifying glass
QIcon salir();      // a door with an arrow
QIcon imprimir();   // a printer
QIcon eliminar();   // a bin
QIcon aplicacion(); // stacked boxes: the program's own icon
} // namespace iconos
