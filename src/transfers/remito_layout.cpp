#include "remito_layout.h"
#include "dates.h"
#include "numbers.h"
#include "recordset.h"
#include "report.h"

namespace {

const TextStyle titulo{12, true};
const TextStyle negrita{8.25, true};
const TextStyle mediano{9.75};

constexpr int ancho = 9600, altoEncabezado = 2400, altoDetalle = 225, arribaTitulos = 2070;

struct Columna
{
    const char *nombre;
    const char *titulo;
    int izquierda, ancho;
    Qt::Alignment alineacion;
};

const Columna columnas[] = {{"numero", "Numero", 60, 900, Qt::AlignLeft},
                            {"nombre", "Nombre", 1080, 4300, Qt::AlignLeft},
                            {"cantidad", "Cantidad", 5500, 1300, Qt::AlignRight},
                            {"costo", "Costo", 6900, 1200, Qt::AlignRight},
                            {"importe", "Importe", 8200, 1380, Qt::AlignRight}};

void encabezado(ReportSection &s)
{
    s.addLabel(QStringLiteral("Etiqueta1"), {60, 0, 3090, 315}, QStringLiteral("Velmarina"), Qt::AlignLeft, titulo);
    s.addLabel(QStringLiteral("Etiqueta2"), {ancho - 1770, 15, 1725, 300}, QStringLiteral("Pagina: %p(%P)"),
               Qt::AlignRight, mediano);
    s.addLabel(QStringLiteral("Etiqueta3"), {0, 360, ancho, 315}, QStringLiteral("Remito de transferencia"),
               Qt::AlignHCenter, titulo);
    s.addLabel(QStringLiteral("Etiqueta4"), {0, 690, ancho, 240}, QStringLiteral("NO TIENE VALOR FISCAL"),
               Qt::AlignHCenter, negrita);
    s.addLabel(QStringLiteral("tNumero"), {60, 1020, 3000, 240}, QStringLiteral("tNumero"), Qt::AlignLeft, negrita);
    s.addLabel(QStringLiteral("tFecha"), {6000, 1020, 3540, 240}, QStringLiteral("tFecha"), Qt::AlignRight, negrita);
    s.addLabel(QStringLiteral("tOrigen"), {60, 1290, 4700, 240}, QStringLiteral("tOrigen"));
    s.addLabel(QStringLiteral("tDestino"), {4840, 1290, 4700, 240}, QStringLiteral("tDestino"));
    s.addLabel(QStringLiteral("tComprobantes"), {60, 1530, 9480, 240}, QStringLiteral("tComprobantes"));
    s.addLabel(QStringLiteral("tDetalle"), {60, 1770, 9480, 240}, QStringLiteral("tDetalle"));
    s.addLine(QStringLiteral("Línea1"), {0, arribaTitulos - 30, ancho, 0});
    int n = 0;
    for (const Columna &c : columnas)
        s.addLabel(QStringLiteral("Titulo%1").arg(++n), {c.izquierda, arribaTitulos, c.ancho, 210},
                   QString::fromUtf8(c.titulo), c.alineacion, negrita);
    s.addLine(QStringLiteral("Línea2"), {0, altoEncabezado - 30, ancho, 0});
}

void pie(ReportSection &s)
{
    s.addLine(QStringLiteral("Línea3"), {0, 30, ancho, 0});
    s.addLabel(QStringLiteral("Etiqueta5"), {1080, 90, 4300, 240}, QStringLiteral("Totales"), Qt::AlignLeft, negrita);
    s.addLabel(QStringLiteral("tTotalCantidad"), {5500, 90, 1300, 240}, QString(), Qt::AlignRight, negrita);
    s.addLabel(QStringLiteral("tTotalImporte"), {7800, 90, 1780, 240}, QString(), Qt::AlignRight, negrita);
    // Room to sign above each line.
    s.addLine(QStringLiteral("Línea4"), {300, 1260, 3600, 0});
    s.addLine(QStringLiteral("Línea5"), {5700, 1260, 3600, 0});
    s.addLabel(QStringLiteral("Etiqueta6"), {300, 1320, 3600, 240}, QStringLiteral("Entregó"), Qt::AlignHCenter);
    s.addLabel(QStringLiteral("Etiqueta7"), {5700, 1320, 3600, 240}, QStringLiteral("Recibió"), Qt::AlignHCenter);
}

QString lugar(const QString &codigo, const QString &nombre)
{
    return (codigo + QLatin1Char(' ') + nombre).trimmed();
}

} // namespace

ReportLayout remitoLayout()
{
    ReportLayout layout(QStringLiteral("RemitoTransferencia"), QStringLiteral("Remito de transferencia"), ancho);
    layout.addSection(QStringLiteral("Sección4"), SectionKind::ReportHeader, 0);
    encabezado(layout.addSection(QStringLiteral("EncabezadoPagina"), SectionKind::PageHeader, altoEncabezado));
    ReportSection &detalle = layout.addSection(QStringLiteral("Detalle"), SectionKind::Detail, altoDetalle);
    for (const Columna &c : columnas)
        detalle.addTextBox(QString::fromLatin1(c.nombre), {c.izquierda, 0, c.ancho, 210}, c.alineacion);
    layout.addSection(QStringLiteral("Sección3"), SectionKind::PageFooter, 0);
    pie(layout.addSection(QStringLiteral("PieInforme"), SectionKind::ReportFooter, 1650));
    return layout;
}

Report &rptRemito()
{
    return ReportRegistry::instance(QStringLiteral("RemitoTransferencia"), remitoLayout);
}

void vincularRemito(Report &report, const DatosRemito &datos)
{
    using numeros::Diezmilesimos;
    const transferencias::Transferencia &t = datos.remito.transferencia;
    const Recordset &lineas = *datos.remito.filas;
    auto filas = std::make_shared<Recordset>();
    filas->appendColumn(QStringLiteral("numero"), TipoCampo::Texto, 6);
    filas->appendColumn(QStringLiteral("nombre"), TipoCampo::Texto);
    for (const char *c : {"cantidad", "costo", "importe"})
        filas->appendColumn(QString::fromLatin1(c), TipoCampo::Simple);
    filas->open();
    const int numero = lineas.columnIndex(QStringLiteral("numero")),
              nombre = lineas.columnIndex(QStringLiteral("nombre")),
              cantidad = lineas.columnIndex(QStringLiteral("cantidad")),
              costo = lineas.columnIndex(QStringLiteral("costo"));
    Diezmilesimos totalCantidad;
    int64_t totalImporte = 0;
    for (qsizetype r = 0; r < lineas.rowCount(); ++r) {
        const auto cuanto = Diezmilesimos::desde(lineas.value(r, cantidad).toDouble());
        const auto unitario = Diezmilesimos::desde(lineas.value(r, costo).toDouble());
        const int64_t importe = Diezmilesimos::centesimasDelProducto(cuanto, unitario);
        totalCantidad = totalCantidad + cuanto;
        totalImporte += importe;
        filas->addNew();
        filas->setValue(0, lineas.text(r, numero));
        filas->setValue(1, lineas.text(r, nombre));
        filas->setValue(2, double(cuanto.centesimas()) / 100.0);
        filas->setValue(3, double(unitario.centesimas()) / 100.0);
        filas->setValue(4, double(importe) / 100.0);
        filas->update();
    }
    filas->moveFirst();

    report.setDataSource(nullptr);
    report.setDataMember(QString());
    report.setDataSource(filas);
    ReportSection &cabeza = report.section(QStringLiteral("EncabezadoPagina"));
    cabeza.control(QStringLiteral("tNumero")).setCaption(QStringLiteral("Transferencia N° %1").arg(t.numero));
    cabeza.control(QStringLiteral("tFecha")).setCaption(QStringLiteral("Fecha: ") + fechas::texto(t.fecha));
    cabeza.control(QStringLiteral("tOrigen"))
        .setCaption(QStringLiteral("Origen: ") + lugar(t.origen, datos.nombreOrigen));
    cabeza.control(QStringLiteral("tDestino"))
        .setCaption(QStringLiteral("Destino: ") + lugar(t.destino, datos.nombreDestino));
    cabeza.control(QStringLiteral("tComprobantes"))
        .setCaption(QStringLiteral("Comprobantes: %1 (salida) y %2 (entrada)").arg(t.salida, t.entrada));
    cabeza.control(QStringLiteral("tDetalle")).setCaption(t.detalle);
    ReportSection &detalle = report.section(QStringLiteral("Detalle"));
    for (int c = 0; c < filas->fieldCount(); ++c) {
        ReportControl &caja = detalle.control(filas->name(c));
        caja.setDataMember(QString());
        caja.setDataField(filas->name(c));
    }
    char buf[32];
    ReportSection &pie = report.section(QStringLiteral("PieInforme"));
    pie.control(QStringLiteral("tTotalCantidad")).setCaption(totalCantidad.texto2());
    pie.control(QStringLiteral("tTotalImporte"))
        .setCaption(QString::fromLatin1(numeros::numeralCentesimas(totalImporte, buf)));
    report.setLeftMargin(1000);
    report.setRightMargin(567);
    report.refresh();
}
