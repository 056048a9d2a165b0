#pragma once

#include <QByteArray>

class QPainter;

// The program's own icon, stacked boxes, kept as one list of shapes: the
// windows paint it and the icon files of the desktop are written from it.
namespace iconoPrograma {

// Paints it on a 48 x 48 grid.
void dibujar(QPainter &p);

// The same shapes as an SVG document.
QByteArray svg();

} // namespace iconoPrograma
