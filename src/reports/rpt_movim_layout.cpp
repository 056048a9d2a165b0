#include "rpt_movim_layout.h"
#include "movement_report.h"
#include "recordset.h"
#include "report.h"

namespace {

const TextStyle normal{};
const TextStyle titulo{12, true, true};
const TextStyle mediano{9.75};
const TextStyle chico{6.75};

void encabezado(ReportSection &s)
{
    auto etiqueta = [&s](const char *nombre, QRect tw, const char *texto, Qt::Alignment a = Qt::AlignLeft,
                         const TextStyle &estilo = normal) {
        s.addLabel(QString::fromUtf8(nombre), tw, QString::fromUtf8(texto), a, estilo);
    };
    etiqueta("Etiqueta1", {120, 0, 3090, 315}, "Velmarina", Qt::AlignLeft, titulo);
    etiqueta("Etiqueta5", {8850, 15, 1725, 300}, "Pagina: %p(%P)", Qt::AlignRight, mediano);
    etiqueta("t_FechaDesde", {450, 360, 2475, 240}, "Desde");
    etiqueta("t_FechaHasta", {435, 645, 2490, 225}, "Hasta");
    etiqueta("t_DesdeCodigo", {3000, 375, 2475, 240}, "Desde");
    etiqueta("t_HastaCodigo", {3000, 660, 2490, 225}, "Hasta");
    etiqueta("t_DesdeNumero", {5550, 375, 2475, 240}, "Desde");
    etiqueta("t_HastaNumero", {5565, 645, 2490, 225}, "Hasta");
    etiqueta("Etiqueta11", {3465, 945, 4035, 255}, "Informe de Entradas y Salidas", Qt::AlignHCenter, mediano);
    etiqueta("Deposito", {7695, 960, 1515, 240}, "Deposito:");
    s.addLine(QStringLiteral("Línea1"), {0, 1290, 10590, 0});
    etiqueta("Etiqueta8", {0, 1335, 840, 210}, "Fecha");
    etiqueta("Etiqueta9", {855, 1320, 1050, 210}, "Comprobante", Qt::AlignHCenter);
    etiqueta("Etiqueta3", {1860, 1350, 375, 195}, "TM", Qt::AlignHCenter);
    etiqueta("Etiqueta4", {2235, 1335, 585, 210}, "Codigo");
    etiqueta("Etiqueta13", {2805, 1335, 795, 210}, "Numero");
    etiqueta("Etiqueta10", {3660, 1335, 3435, 210}, "Nombre", Qt::AlignLeft, chico);
    etiqueta("Etiqueta2", {7230, 1335, 1035, 240}, "Entrada", Qt::AlignRight);
    etiqueta("Etiqueta14", {8400, 1335, 1020, 210}, "Salida", Qt::AlignRight);
    etiqueta("Etiqueta15", {9525, 1335, 975, 225}, "Saldo", Qt::AlignRight);
    s.addLine(QStringLiteral("Línea2"), {0, 1575, 10620, 0});
}

void detalle(ReportSection &s)
{
    struct Caja
    {
        const char *nombre;
        int izquierda, ancho, alto;
        Qt::Alignment alineacion;
    };
    const Caja cajas[] = {
        {"Fecha", 60, 810, 195, Qt::AlignLeft},       {"comprobante", 915, 915, 210, Qt::AlignLeft},
        {"tipomov", 1905, 240, 210, Qt::AlignLeft},   {"Codigo", 2220, 585, 210, Qt::AlignLeft},
        {"Numero", 2895, 660, 225, Qt::AlignLeft},    {"nombre", 3630, 3495, 225, Qt::AlignLeft},
        {"Entrada", 7215, 1065, 225, Qt::AlignRight}, {"Salida", 8355, 1050, 225, Qt::AlignRight},
        {"Saldo", 9480, 1050, 225, Qt::AlignRight},
    };
    for (const Caja &c : cajas)
        s.addTextBox(QString::fromLatin1(c.nombre), {c.izquierda, 0, c.ancho, c.alto}, c.alineacion);
}

} // namespace

ReportLayout rptMovimLayout()
{
    ReportLayout layout(QStringLiteral("rptMovim"), QStringLiteral("Movimiento de stock"), 10620);
    layout.addSection(QStringLiteral("Sección4"), SectionKind::ReportHeader, 0);
    encabezado(layout.addSection(QStringLiteral("EncabezadoPagina"), SectionKind::PageHeader, 1575));
    detalle(layout.addSection(QStringLiteral("Detalle"), SectionKind::Detail, 225));
    layout.addSection(QStringLiteral("Sección3"), SectionKind::PageFooter, 0);
    layout.addSection(QStringLiteral("PieInforme"), SectionKind::ReportFooter, 0);
    return layout;
}

Report &rptMovim()
{
    return ReportRegistry::instance(QStringLiteral("rptMovim"), rptMovimLayout);
}

void vincularInformeMovimientos(Report &report, std::shared_ptr<const Recordset> filas, const FiltroMovimientos &filtro)
{
    report.setDataSource(nullptr);
    report.setDataMember(QString());
    report.setDataSource(std::move(filas));

    ReportSection &encabezado = report.section(QStringLiteral("EncabezadoPagina"));
    encabezado.control(QStringLiteral("t_FechaDesde")).setCaption(QStringLiteral("Desde: ") + filtro.desde);
    encabezado.control(QStringLiteral("t_FechaHasta")).setCaption(QStringLiteral("Hasta: ") + filtro.hasta);
    encabezado.control(QStringLiteral("t_DesdeCodigo")).setCaption(QStringLiteral("Des F: ") + filtro.desdeFamilia);
    encabezado.control(QStringLiteral("t_HastaCodigo")).setCaption(QStringLiteral("Has F: ") + filtro.hastaFamilia);
    encabezado.control(QStringLiteral("t_DesdeNumero")).setCaption(QStringLiteral("Des N: ") + filtro.desdeNumero);
    encabezado.control(QStringLiteral("t_HastaNumero")).setCaption(QStringLiteral("Has N: ") + filtro.hastaNumero);
    encabezado.control(QStringLiteral("Deposito")).setCaption(QStringLiteral("Deposito: ") + filtro.deposito);

    ReportSection &detalle = report.section(QStringLiteral("Detalle"));
    for (const QString &columna : columnasInformeMovimientos()) {
        ReportControl &caja = detalle.control(columna);
        caja.setDataMember(QString());
        caja.setDataField(columna);
    }
    // The first and third page measures: the left and right margins.
    report.setLeftMargin(1000);
    report.setRightMargin(567);
    report.refresh();
}
