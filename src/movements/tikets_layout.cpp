#include "tikets_layout.h"

ReportLayout disenoTikets()
{
    ReportLayout layout(QStringLiteral("Tikets"), QStringLiteral("Imprimiendo Factura"), 8340);
    const TextStyle negrita{9.75, true};
    const TextStyle titulo{12, true};
    const TextStyle total{10, true};

    ReportSection &cabezal = layout.addSection(QStringLiteral("Cabezal"), SectionKind::PageHeader, 2565);
    cabezal.addRectangle(QStringLiteral("Forma1"), {45, 75, 2805, 300});
    cabezal.addLabel(QStringLiteral("Etiqueta1"), {90, 105, 555, 210}, QStringLiteral("Fecha:"), Qt::AlignLeft,
                     {8.25, true});
    cabezal.addLabel(QStringLiteral("tFecha"), {720, 105, 930, 240}, QStringLiteral("tFecha"));
    cabezal.addLabel(QStringLiteral("Etiqueta15"), {6720, 30, 495, 240}, QStringLiteral("%p"), Qt::AlignRight);
    cabezal.addLine(QStringLiteral("Línea1"), {7350, 0, 0, 330});
    cabezal.addLabel(QStringLiteral("Etiqueta16"), {7485, 30, 495, 240}, QStringLiteral("%P"));
    cabezal.addLabel(QStringLiteral("Etiqueta6"), {75, 420, 885, 255}, QStringLiteral("Depósito"), Qt::AlignLeft,
                     negrita);
    cabezal.addLabel(QStringLiteral("tDeposito"), {1035, 420, 2730, 240}, QStringLiteral("tDeposito"));
    cabezal.addLabel(QStringLiteral("Etiqueta3"), {3960, 435, 1275, 255}, QStringLiteral("Comprobante"), Qt::AlignLeft,
                     negrita);
    cabezal.addLabel(QStringLiteral("tComprobante"), {5355, 450, 2730, 240}, QStringLiteral("tComprobante"));
    cabezal.addLabel(QStringLiteral("Etiqueta8"), {1785, 810, 2010, 225}, QStringLiteral("Informe de Salida"),
                     Qt::AlignLeft, negrita);
    cabezal.addLabel(QStringLiteral("Etiqueta14"), {5190, 945, 2355, 315}, QStringLiteral("Control de Depósito"),
                     Qt::AlignHCenter, titulo);
    cabezal.addLabel(QStringLiteral("Etiqueta9"), {1575, 1095, 2535, 255}, QStringLiteral("NO TIENE VALOR FISCAL"),
                     Qt::AlignLeft, negrita);
    cabezal.addLabel(QStringLiteral("tConcepto"), {330, 1425, 7995, 705}, QStringLiteral("tConcepto"));
    cabezal.addLine(QStringLiteral("Forma3"), {300, 2235, 7950, 0});
    cabezal.addLabel(QStringLiteral("Etiqueta2"), {300, 2295, 4200, 195}, QStringLiteral("Concepto"));
    cabezal.addLabel(QStringLiteral("Etiqueta5"), {7365, 2280, 825, 180}, QStringLiteral("Cantidad"), Qt::AlignRight);
    cabezal.addLine(QStringLiteral("Forma2"), {300, 2520, 7935, 0});

    ReportSection &detalle = layout.addSection(QStringLiteral("Detalle"), SectionKind::Detail, 195);
    detalle.addTextBox(QStringLiteral("tNumero"), {330, 15, 1035, 180});
    detalle.addTextBox(QStringLiteral("tnombre"), {1455, 0, 5820, 180});
    detalle.addTextBox(QStringLiteral("tcantidad"), {7410, 0, 840, 180}, Qt::AlignRight);

    ReportSection &pie = layout.addSection(QStringLiteral("PieFinal"), SectionKind::PageFooter, 435);
    pie.addLine(QStringLiteral("Forma4"), {300, 0, 5085, 15});
    pie.addLabel(QStringLiteral("Etiqueta17"), {465, 135, 1965, 300}, QStringLiteral("Total Salida"), Qt::AlignLeft,
                 total);
    pie.addLabel(QStringLiteral("tsalida"), {4065, 105, 1305, 300}, QString(), Qt::AlignRight, total);
    return layout;
}
