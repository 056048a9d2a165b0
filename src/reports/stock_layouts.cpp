#include "stock_layouts.h"
#include "recordset.h"
#include "report.h"

namespace {

const TextStyle titulo{12, true, true};
const TextStyle mediano{9.75};
const TextStyle chico{6.75};

constexpr int altoTitulos = 210, arribaTitulos = 1245, altoEncabezado = 1530, altoDetalle = 225;

struct Columna
{
    const char *nombre; // the bound box and its data field
    QString titulo;
    int izquierda, ancho;
    Qt::Alignment alineacion;
    int decimales = -1;             // amounts of money: 2, so the column lines up
    bool negativoResaltado = false; // a negative stock stands out: it lowers the value
};

// The page header of the stock reports: the business name, the page, the title,
// the filters (captions set when bound), and the column titles between two rules.
void encabezado(ReportSection &s, const QString &tituloInforme, int ancho, const std::vector<Columna> &columnas)
{
    s.addLabel(QStringLiteral("Etiqueta1"), {120, 0, 3090, 315}, QStringLiteral("Velmarina"), Qt::AlignLeft, titulo);
    s.addLabel(QStringLiteral("Etiqueta5"), {ancho - 1770, 15, 1725, 300}, QStringLiteral("Pagina: %p(%P)"),
               Qt::AlignRight, mediano);
    s.addLabel(QStringLiteral("Etiqueta2"), {0, 345, ancho, 255}, tituloInforme, Qt::AlignHCenter, mediano);
    s.addLabel(QStringLiteral("t_Al"), {120, 690, 2400, 240}, QStringLiteral("Al"));
    s.addLabel(QStringLiteral("t_DesdeNumero"), {2640, 690, 2400, 240}, QStringLiteral("Desde"));
    s.addLabel(QStringLiteral("t_HastaNumero"), {2640, 930, 2400, 240}, QStringLiteral("Hasta"));
    s.addLabel(QStringLiteral("t_DesdeCodigo"), {5160, 690, 2400, 240}, QStringLiteral("Desde"));
    s.addLabel(QStringLiteral("t_HastaCodigo"), {5160, 930, 2400, 240}, QStringLiteral("Hasta"));
    s.addLine(QStringLiteral("Línea1"), {0, 1200, ancho, 0});
    int n = 0;
    for (const Columna &c : columnas)
        s.addLabel(QStringLiteral("Titulo%1").arg(++n), {c.izquierda, arribaTitulos, c.ancho, altoTitulos}, c.titulo,
                   c.alineacion);
    s.addLine(QStringLiteral("Línea2"), {0, altoEncabezado - 30, ancho, 0});
}

ReportLayout armarLayout(const QString &nombre, const QString &tituloInforme, int ancho,
                         const std::vector<Columna> &columnas, int altoPie)
{
    ReportLayout layout(nombre, tituloInforme, ancho);
    layout.addSection(QStringLiteral("Sección4"), SectionKind::ReportHeader, 0);
    encabezado(layout.addSection(QStringLiteral("EncabezadoPagina"), SectionKind::PageHeader, altoEncabezado),
               tituloInforme, ancho, columnas);
    ReportSection &detalle = layout.addSection(QStringLiteral("Detalle"), SectionKind::Detail, altoDetalle);
    detalle.setStyleField(columnaEstilo);
    for (const Columna &c : columnas) {
        ReportControl &caja =
            detalle.addTextBox(QString::fromLatin1(c.nombre), {c.izquierda, 0, c.ancho, altoTitulos}, c.alineacion);
        caja.setDecimals(c.decimales);
        caja.setBoldWhenNegative(c.negativoResaltado);
    }
    layout.addSection(QStringLiteral("Sección3"), SectionKind::PageFooter, 0);
    layout.addSection(QStringLiteral("PieInforme"), SectionKind::ReportFooter, altoPie);
    return layout;
}

// Binds the rows, the filters of the page header and every column, then refreshes.
void vincular(Report &report, std::shared_ptr<const Recordset> filas, const FiltroStock &filtro)
{
    report.setDataSource(nullptr);
    report.setDataMember(QString());
    report.setDataSource(std::move(filas));
    ReportSection &encabezado = report.section(QStringLiteral("EncabezadoPagina"));
    encabezado.control(QStringLiteral("t_Al")).setCaption(QStringLiteral("Al: ") + filtro.al);
    encabezado.control(QStringLiteral("t_DesdeNumero")).setCaption(QStringLiteral("Des N: ") + filtro.desdeNumero);
    encabezado.control(QStringLiteral("t_HastaNumero")).setCaption(QStringLiteral("Has N: ") + filtro.hastaNumero);
    encabezado.control(QStringLiteral("t_DesdeCodigo")).setCaption(QStringLiteral("Des F: ") + filtro.desdeFamilia);
    encabezado.control(QStringLiteral("t_HastaCodigo")).setCaption(QStringLiteral("Has F: ") + filtro.hastaFamilia);
    // Each box of the detail line is named after the column it prints.
    ReportSection &detalle = report.section(QStringLiteral("Detalle"));
    const Recordset &rs = *report.dataSource();
    for (int c = 0; c < rs.fieldCount(); ++c) {
        if (rs.name(c) == columnaEstilo)
            continue;
        ReportControl &caja = detalle.control(rs.name(c));
        caja.setDataMember(QString());
        caja.setDataField(rs.name(c));
    }
    report.setLeftMargin(1000);
    report.setRightMargin(567);
    report.refresh();
}

} // namespace

ReportLayout stockPorDepositoLayout(const QStringList &depositos)
{
    std::vector<Columna> columnas{{"numero", QStringLiteral("Numero"), 60, 720, Qt::AlignLeft},
                                  {"nombre", QStringLiteral("Nombre"), 900, 3300, Qt::AlignLeft}};
    std::vector<QByteArray> nombres;
    int x = 4300;
    for (int i = 0; i < depositos.size(); ++i, x += 1000) {
        nombres.push_back(columnaDeposito(i).toLatin1());
        const QString codigo = depositos[i].isEmpty() ? QStringLiteral("Sin dep.") : depositos[i];
        columnas.push_back({nombres.back().constData(), codigo, x, 950, Qt::AlignRight, -1, true});
    }
    columnas.push_back({"total", QStringLiteral("Total"), x, 1100, Qt::AlignRight, -1, true});
    columnas.push_back({"marca", QStringLiteral("Dif."), x + 1200, 400, Qt::AlignHCenter});
    const int ancho = std::max(8000, x + 1650);
    ReportLayout layout =
        armarLayout(QStringLiteral("StockDeposito"), QStringLiteral("Stock por depósito"), ancho, columnas, 300);
    layout.section(QStringLiteral("PieInforme"))
        .addLabel(QStringLiteral("Etiqueta20"), {60, 60, ancho - 60, 210},
                  QStringLiteral("Dif. *: el stock guardado del artículo no es la suma de todos sus movimientos"),
                  Qt::AlignLeft, chico);
    return layout;
}

Report &rptStockDeposito()
{
    return ReportRegistry::instance(QStringLiteral("StockDeposito"), [] { return stockPorDepositoLayout({}); });
}

void vincularStockPorDeposito(Report &report, StockPorDeposito datos, const FiltroStock &filtro)
{
    report.setDataSource(nullptr);
    report.layout() = stockPorDepositoLayout(datos.depositos);
    vincular(report, std::move(datos.filas), filtro);
}

ReportLayout valorizacionLayout()
{
    return armarLayout(QStringLiteral("Valorizacion"), QStringLiteral("Valorización de stock"), 9600,
                       {{"numero", QStringLiteral("Numero"), 60, 720, Qt::AlignLeft},
                        {"nombre", QStringLiteral("Nombre"), 900, 4200, Qt::AlignLeft},
                        {"stock", QStringLiteral("Stock"), 5200, 1200, Qt::AlignRight, -1, true},
                        {"costo", QStringLiteral("Costo"), 6500, 1300, Qt::AlignRight, 2},
                        {"importe", QStringLiteral("Importe"), 7900, 1600, Qt::AlignRight, 2, true}},
                       0);
}

Report &rptValorizacion()
{
    return ReportRegistry::instance(QStringLiteral("Valorizacion"), valorizacionLayout);
}

void vincularValorizacion(Report &report, std::shared_ptr<const Recordset> filas, const FiltroStock &filtro)
{
    vincular(report, std::move(filas), filtro);
}

ReportLayout reposicionLayout()
{
    return armarLayout(QStringLiteral("Reposicion"), QStringLiteral("Artículos a reponer"), 11700,
                       {{"numero", QStringLiteral("Numero"), 60, 720, Qt::AlignLeft},
                        {"nombre", QStringLiteral("Nombre"), 900, 3000, Qt::AlignLeft},
                        {"deposito", QStringLiteral("Dep."), 4000, 700, Qt::AlignLeft},
                        {"stock", QStringLiteral("Stock"), 4800, 1000, Qt::AlignRight},
                        {"minimo", QStringLiteral("Mínimo"), 5900, 1000, Qt::AlignRight},
                        {"reponer", QStringLiteral("Reponer hasta"), 7000, 1000, Qt::AlignRight},
                        {"pedir", QStringLiteral("A pedir"), 8100, 1000, Qt::AlignRight},
                        {"costo", QStringLiteral("Costo"), 9200, 1000, Qt::AlignRight},
                        {"importe", QStringLiteral("Importe"), 10300, 1300, Qt::AlignRight}},
                       0);
}

Report &rptReposicion()
{
    return ReportRegistry::instance(QStringLiteral("Reposicion"), reposicionLayout);
}

void vincularReposicion(Report &report, std::shared_ptr<const Recordset> filas, const QString &al, const QString &lugar)
{
    vincular(report, std::move(filas), {al, {}, {}, {}, {}});
    // The header's range boxes say the place instead; this report has no ranges.
    ReportSection &encabezado = report.section(QStringLiteral("EncabezadoPagina"));
    encabezado.control(QStringLiteral("t_DesdeNumero")).setCaption(QStringLiteral("Depósito: ") + lugar);
    for (const char *caja : {"t_HastaNumero", "t_DesdeCodigo", "t_HastaCodigo"})
        encabezado.control(QLatin1String(caja)).setCaption(QString());
    report.refresh();
}

ReportLayout registroLayout()
{
    return armarLayout(QStringLiteral("RegistroCambios"), QStringLiteral("Registro de cambios"), 13150,
                       {{"fecha", QStringLiteral("Fecha"), 60, 780, Qt::AlignLeft},
                        {"hora", QStringLiteral("Hora"), 860, 600, Qt::AlignLeft},
                        {"operador", QStringLiteral("Operador"), 1500, 1700, Qt::AlignLeft},
                        {"tipo", QStringLiteral("Cambio"), 3250, 1700, Qt::AlignLeft},
                        {"numero", QStringLiteral("Artículo"), 5000, 650, Qt::AlignLeft},
                        {"comprobante", QStringLiteral("Comprobante"), 5700, 850, Qt::AlignLeft},
                        {"objeto", QStringLiteral("Sobre"), 6600, 2000, Qt::AlignLeft},
                        {"anterior", QStringLiteral("Antes"), 8650, 2200, Qt::AlignLeft},
                        {"nuevo", QStringLiteral("Después"), 10900, 2200, Qt::AlignLeft}},
                       0);
}

Report &rptRegistro()
{
    return ReportRegistry::instance(QStringLiteral("RegistroCambios"), registroLayout);
}

void vincularRegistro(Report &report, std::shared_ptr<const Recordset> filas, const FiltroEncabezado &filtro)
{
    vincular(report, std::move(filas), {});
    // The header's boxes say this report's own filters.
    ReportSection &encabezado = report.section(QStringLiteral("EncabezadoPagina"));
    const std::pair<const char *, QString> captions[] = {
        {"t_Al", QStringLiteral("Desde: %1  Hasta: %2").arg(filtro.desde, filtro.hasta)},
        {"t_DesdeNumero", QStringLiteral("Operador: ") + filtro.operador},
        {"t_HastaNumero", QStringLiteral("Artículo: ") + filtro.numero},
        {"t_DesdeCodigo", QStringLiteral("Comprobante: ") + filtro.comprobante},
        {"t_HastaCodigo", QString()}};
    for (const auto &[caja, texto] : captions)
        encabezado.control(QLatin1String(caja)).setCaption(texto);
    report.refresh();
}
