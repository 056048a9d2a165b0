#include "count_layouts.h"
#include "dates.h"
#include "numbers.h"
#include "recordset.h"
#include "report.h"
#include "report_rows.h"
#include "type_codes.h"

#include <QDateTime>

namespace {

using filasInforme::agregarFila;
using filasInforme::enCentesimas;

const TextStyle titulo{12, true};
const TextStyle negrita{8.25, true};
const TextStyle mediano{9.75};

constexpr int altoEncabezado = 1500, arribaTitulos = 1170, altoDetalle = 285;

struct Columna
{
    const char *nombre;
    const char *titulo;
    int izquierda, ancho;
    Qt::Alignment alineacion;
    int decimales = -1;
};

ReportLayout armar(const QString &nombre, const QString &tituloInforme, int ancho, const std::vector<Columna> &columnas)
{
    ReportLayout layout(nombre, tituloInforme, ancho);
    layout.addSection(QStringLiteral("Sección4"), SectionKind::ReportHeader, 0);
    ReportSection &s = layout.addSection(QStringLiteral("EncabezadoPagina"), SectionKind::PageHeader, altoEncabezado);
    s.addLabel(QStringLiteral("Etiqueta1"), {60, 0, 3090, 315}, QStringLiteral("Velmarina"), Qt::AlignLeft, titulo);
    s.addLabel(QStringLiteral("Etiqueta2"), {ancho - 1770, 15, 1725, 300}, QStringLiteral("Pagina: %p(%P)"),
               Qt::AlignRight, mediano);
    s.addLabel(QStringLiteral("Etiqueta3"), {0, 360, ancho, 315}, tituloInforme, Qt::AlignHCenter, titulo);
    s.addLabel(QStringLiteral("tRecuento"), {60, 750, ancho - 120, 240}, QString(), Qt::AlignLeft, negrita);
    s.addLine(QStringLiteral("Línea1"), {0, arribaTitulos - 60, ancho, 0});
    int n = 0;
    for (const Columna &c : columnas)
        s.addLabel(QStringLiteral("Titulo%1").arg(++n), {c.izquierda, arribaTitulos, c.ancho, 210},
                   QString::fromUtf8(c.titulo), c.alineacion, negrita);
    s.addLine(QStringLiteral("Línea2"), {0, altoEncabezado - 30, ancho, 0});
    ReportSection &detalle = layout.addSection(QStringLiteral("Detalle"), SectionKind::Detail, altoDetalle);
    for (const Columna &c : columnas)
        detalle.addTextBox(QString::fromLatin1(c.nombre), {c.izquierda, 30, c.ancho, 210}, c.alineacion)
            .setDecimals(c.decimales);
    layout.addSection(QStringLiteral("Sección3"), SectionKind::PageFooter, 0);
    return layout;
}

// Binds the rows, each box of the detail line to the column it is named after, and the count's header.
void vincular(Report &report, std::shared_ptr<Recordset> filas, const recuentos::Recuento &recuento)
{
    filas->moveFirst();
    report.setDataSource(nullptr);
    report.setDataMember(QString());
    report.setDataSource(filas);
    report.section(QStringLiteral("EncabezadoPagina"))
        .control(QStringLiteral("tRecuento"))
        .setCaption(descripcion(recuento));
    ReportSection &detalle = report.section(QStringLiteral("Detalle"));
    for (int c = 0; c < filas->fieldCount(); ++c) {
        ReportControl &caja = detalle.control(filas->name(c));
        caja.setDataMember(QString());
        caja.setDataField(filas->name(c));
    }
    report.setLeftMargin(1000);
    report.setRightMargin(567);
}

QString textoCentesimas(int64_t centesimas)
{
    char buf[32];
    return QString::fromLatin1(numeros::numeralCentesimas(centesimas, buf));
}

// Money with its two decimals, as the value column prints it ("0.00", "-50.02").
QString textoImporte(int64_t centesimas)
{
    return QString::number(double(centesimas) / 100.0, 'f', 2);
}

int64_t centesimas(double v)
{
    return numeros::Diezmilesimos::desde(v).centesimas();
}

} // namespace

QString momento(const QString &iso)
{
    const QDateTime cuando = QDateTime::fromString(iso, Qt::ISODate);
    return cuando.isValid() ? fechas::texto(cuando.date()) + cuando.time().toString(QStringLiteral(" HH:mm")) : iso;
}

QString descripcion(const recuentos::Recuento &r)
{
    QString texto =
        QStringLiteral("Recuento N° %1 - Depósito %2 - Al %3").arg(r.numero).arg(r.deposito, fechas::texto(r.fecha));
    if (r.estado == recuentos::Estado::Aplicado)
        texto += QStringLiteral(" - Aplicado por %1 el %2").arg(r.cerradoPor, momento(r.cerradoEl));
    else if (r.estado == recuentos::Estado::Descartado)
        texto += QStringLiteral(" - Descartado");
    return texto;
}

ReportLayout planillaLayout(bool conLibro)
{
    std::vector<Columna> columnas{{"numero", "Numero", 60, 900, Qt::AlignLeft},
                                  {"nombre", "Nombre", 1080, 4200, Qt::AlignLeft},
                                  {"familia", "Familia", 5400, 900, Qt::AlignLeft}};
    if (conLibro)
        columnas.push_back({"libro", "Stock", 6400, 1100, Qt::AlignRight});
    columnas.push_back({"contado", "Contado", 7700, 1800, Qt::AlignRight});
    ReportLayout layout =
        armar(QStringLiteral("PlanillaRecuento"), QStringLiteral("Planilla de recuento"), 9600, columnas);
    // The line the counter writes on.
    layout.section(QStringLiteral("Detalle")).addLine(QStringLiteral("Línea3"), {7700, altoDetalle - 15, 1800, 0});
    layout.addSection(QStringLiteral("PieInforme"), SectionKind::ReportFooter, 0);
    return layout;
}

Report &rptPlanilla()
{
    return ReportRegistry::instance(QStringLiteral("PlanillaRecuento"), [] { return planillaLayout(false); });
}

void vincularPlanilla(Report &report, const recuentos::Recuento &recuento,
                      const std::vector<recuentos::ArticuloPlanilla> &articulos, bool conLibro)
{
    auto filas = std::make_shared<Recordset>();
    filas->appendColumn(QStringLiteral("numero"), TipoCampo::Texto, 6);
    filas->appendColumn(QStringLiteral("nombre"), TipoCampo::Texto);
    filas->appendColumn(QStringLiteral("familia"), TipoCampo::Texto);
    if (conLibro)
        filas->appendColumn(QStringLiteral("libro"), TipoCampo::Simple);
    filas->appendColumn(QStringLiteral("contado"), TipoCampo::Texto);
    filas->open();
    filas->reserve(qsizetype(articulos.size()));
    for (const recuentos::ArticuloPlanilla &a : articulos) {
        if (conLibro)
            agregarFila(*filas, {a.numero, a.nombre, a.familia, enCentesimas(centesimas(a.libro)), QString()});
        else
            agregarFila(*filas, {a.numero, a.nombre, a.familia, QString()});
    }
    report.setDataSource(nullptr);
    report.layout() = planillaLayout(conLibro);
    vincular(report, std::move(filas), recuento);
    report.refresh();
}

ReportLayout diferenciasLayout()
{
    constexpr int ancho = 11000;
    ReportLayout layout = armar(QStringLiteral("DiferenciasRecuento"), QStringLiteral("Diferencias de recuento"), ancho,
                                {{"numero", "Numero", 60, 800, Qt::AlignLeft},
                                 {"nombre", "Nombre", 950, 3300, Qt::AlignLeft},
                                 {"libro", "Stock", 4350, 1100, Qt::AlignRight},
                                 {"contado", "Contado", 5550, 1100, Qt::AlignRight},
                                 {"diferencia", "Diferencia", 6750, 1100, Qt::AlignRight},
                                 {"costo", "Costo", 7950, 1200, Qt::AlignRight, 2},
                                 {"valor", "Valor", 9250, 1700, Qt::AlignRight, 2}});
    ReportSection &pie = layout.addSection(QStringLiteral("PieInforme"), SectionKind::ReportFooter, 900);
    pie.addLine(QStringLiteral("Línea3"), {0, 30, ancho, 0});
    int arriba = 90;
    for (const char *que : {"Sobrante", "Faltante", "Neto"}) {
        const QString q = QString::fromLatin1(que);
        pie.addLabel(QStringLiteral("Etiqueta") + q, {950, arriba, 3300, 240}, QStringLiteral("Total ") + q.toLower(),
                     Qt::AlignLeft, negrita);
        pie.addLabel(QStringLiteral("tCantidad") + q, {6750, arriba, 1100, 240}, QString(), Qt::AlignRight, negrita);
        pie.addLabel(QStringLiteral("tValor") + q, {9250, arriba, 1700, 240}, QString(), Qt::AlignRight, negrita);
        arriba += 255;
    }
    return layout;
}

Report &rptDiferencias()
{
    return ReportRegistry::instance(QStringLiteral("DiferenciasRecuento"), diferenciasLayout);
}

Totales totales(const std::vector<recuentos::Diferencia> &diferencias)
{
    Totales t;
    for (const recuentos::Diferencia &d : diferencias) {
        const int64_t cantidad = centesimas(d.diferencia()), valor = d.valor();
        (cantidad > 0 ? t.sobrante : t.faltante) += cantidad;
        (cantidad > 0 ? t.valorSobrante : t.valorFaltante) += valor;
    }
    return t;
}

std::shared_ptr<Recordset> filasDiferencias(const std::vector<recuentos::Diferencia> &diferencias)
{
    auto filas = std::make_shared<Recordset>();
    filas->appendColumn(QStringLiteral("numero"), TipoCampo::Texto, 6);
    filas->appendColumn(QStringLiteral("nombre"), TipoCampo::Texto);
    for (const char *c : {"libro", "contado", "diferencia", "costo", "valor"})
        filas->appendColumn(QString::fromLatin1(c), TipoCampo::Simple);
    filas->open();
    filas->reserve(qsizetype(diferencias.size()));
    for (const recuentos::Diferencia &d : diferencias)
        agregarFila(*filas, {d.numero, d.nombre, enCentesimas(centesimas(d.libro)), enCentesimas(centesimas(d.contado)),
                             d.diferencia(), enCentesimas(centesimas(d.costo)), enCentesimas(d.valor())});
    return filas;
}

void vincularDiferencias(Report &report, const recuentos::Recuento &recuento,
                         const std::vector<recuentos::Diferencia> &diferencias)
{
    vincular(report, filasDiferencias(diferencias), recuento);
    const Totales t = totales(diferencias);
    ReportSection &pie = report.section(QStringLiteral("PieInforme"));
    const auto poner = [&pie](const char *que, int64_t cantidad, int64_t valor) {
        pie.control(QStringLiteral("tCantidad") + QLatin1String(que)).setCaption(textoCentesimas(cantidad));
        pie.control(QStringLiteral("tValor") + QLatin1String(que)).setCaption(textoImporte(valor));
    };
    poner("Sobrante", t.sobrante, t.valorSobrante);
    poner("Faltante", t.faltante, t.valorFaltante);
    poner("Neto", t.sobrante + t.faltante, t.valorSobrante + t.valorFaltante);
    report.refresh();
}
