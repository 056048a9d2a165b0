#include "labels_layout.h"
#include "report.h"

#include <QPageSize>
#include <cmath>

namespace disenoEtiquetas {

namespace {

int twips(double mm)
{
    return int(std::lround(mm * 1440 / 25.4));
}

} // namespace

const QList<Hoja> &hojas()
{
    static const QList<Hoja> lista{
        {"A4, 3 × 8 etiquetas de 70 × 37 mm", "Etiquetas 70x37", 210, 297, 3, 8, 70, 37},
        {"A4, 3 × 7 etiquetas de 70 × 42,4 mm", "Etiquetas 70x42", 210, 297, 3, 7, 70, 297.0 / 7},
        {"Rollo, etiquetas de 50 × 25 mm", "Etiquetas 50x25", 50, 25, 1, 1, 50, 25},
    };
    return lista;
}

ReportLayout diseno(const Hoja &hoja)
{
    const QPageSize pagina(QSizeF(hoja.anchoPapel, hoja.altoPapel), QPageSize::Millimeter,
                           QString::fromUtf8(hoja.informe), QPageSize::ExactMatch);
    // The paper as the page size keeps it (in whole points): the labels never overflow it.
    const QSizeF papel = pagina.size(QPageSize::Inch) * 1440;
    const int ancho = std::min(twips(hoja.anchoEtiqueta), int(papel.width() / hoja.columnas));
    const int alto = std::min(twips(hoja.altoEtiqueta), int(papel.height() / hoja.filas));
    ReportLayout layout(QString::fromUtf8(hoja.informe), QStringLiteral("Etiquetas"), ancho);
    layout.setPageSize(pagina);
    layout.setColumns(hoja.columnas);
    // The labels' block centred on the sheet.
    const int izquierda = int((papel.width() - hoja.columnas * ancho) / 2);
    const int arriba = int((papel.height() - hoja.filas * alto) / 2);
    layout.setLeftMargin(izquierda);
    layout.setTopMargin(arriba);
    layout.setRightMargin(int(papel.width()) - izquierda - hoja.columnas * ancho);
    layout.setBottomMargin(int(papel.height()) - arriba - hoja.filas * alto);

    // A small label takes the name on one line, a larger one on two.
    const int margen = twips(2), numero = 780, lineas = alto >= twips(35) ? 2 : 1;
    const int altoNombre = lineas * 200;
    ReportSection &detalle = layout.addSection(QStringLiteral("Detalle"), SectionKind::Detail, alto);
    detalle
        .addTextBox(QStringLiteral("t_nombre"), {margen, margen, ancho - 2 * margen - numero, altoNombre},
                    Qt::AlignLeft, {8.25, true})
        .setDataField(QStringLiteral("nombre"));
    detalle
        .addTextBox(QStringLiteral("t_numero"), {ancho - margen - numero, margen, numero, 200}, Qt::AlignRight, {8.25})
        .setDataField(QStringLiteral("numero"));
    const int arribaBarras = margen + altoNombre + 40;
    detalle
        .addBarcode(QStringLiteral("t_codigo"),
                    {margen, arribaBarras, ancho - 2 * margen, alto - arribaBarras - margen})
        .setDataField(QStringLiteral("codigo"));
    return layout;
}

Report &informe(const Hoja &hoja)
{
    return ReportRegistry::instance(QString::fromUtf8(hoja.informe), [&hoja] { return diseno(hoja); });
}

} // namespace disenoEtiquetas
