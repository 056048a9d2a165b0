#pragma once

#include <QFont>
#include <vector>

class ModeloGrilla;

// Column widths in pixels: the widest text of each column, header included, in
// the given font, plus 8 pixels (120 twips). A column with no text gets 8.
std::vector<int> anchosColumnas(const ModeloGrilla &modelo, const QFont &fuente);
