#pragma once

#include <QRectF>
#include <QString>

class QFont;
class QPainter;

// Paints a code as bars, with its digits under them in the font's face, filling
// the box's width (quiet zones included) and its height. EAN-13, EAN-8 and
// UPC-A print as such (barcode_values.h), any other code as Code 128. The bars
// are filled rectangles, so every device gets them as vectors. A code that
// cannot be printed throws QuendraError.
void paintBarcode(QPainter &painter, const QRectF &box, const QString &code, const QFont &font);
