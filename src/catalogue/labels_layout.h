#pragma once

#include <QList>
#include <QString>

class Report;
class ReportLayout;

// The sheets labels are printed on, and one report layout per sheet: each
// label the article's name, its number and its barcode.
namespace disenoEtiquetas {

struct Hoja
{
    const char *nombre;                 // as the window lists it
    const char *informe;                // the layout's name
    double anchoPapel, altoPapel;       // mm
    int columnas, filas;                // labels across and down a sheet
    double anchoEtiqueta, altoEtiqueta; // mm
};

// A4 with 3 × 8 labels of 70 × 37 mm, A4 with 3 × 7 (70 × 42,4 mm), and a
// roll of single labels of 50 × 25 mm.
const QList<Hoja> &hojas();
inline int porHoja(const Hoja &h)
{
    return h.columnas * h.filas;
}

// The layout of a sheet: the labels centred on the paper, the detail one label
// repeated across the columns.
ReportLayout diseno(const Hoja &hoja);
Report &informe(const Hoja &hoja);

} // namespace disenoEtiquetas
