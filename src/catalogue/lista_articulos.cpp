#include "lista_articulos.h"
#include "catalogue_sql.h"
#include "messages.h"
#include "mprincipal.h"
#include "report.h"
#include "report_output.h"

namespace listaArticulos {

ReportLayout diseno()
{
    ReportLayout layout(QStringLiteral("ListaArticulos"), QStringLiteral("Lista de Articulos"), 6750);
    layout.addSection(QStringLiteral("Sección4"), SectionKind::ReportHeader, 0);

    const TextStyle normal{8.25};
    const TextStyle encabezado{8.25, true};
    ReportSection &pagina = layout.addSection(QStringLiteral("EncabezadoPagina"), SectionKind::PageHeader, 1095);
    pagina.addLabel(QStringLiteral("Etiqueta1"), {30, 0, 3090, 315}, QStringLiteral("Velmarina"), Qt::AlignLeft,
                    {12, true, true});
    pagina.addLabel(QStringLiteral("Etiqueta5"), {4965, 45, 1605, 300}, QStringLiteral("Pagina: %p(%P)"),
                    Qt::AlignRight, {9.75});
    pagina.addLabel(QStringLiteral("Etiqueta2"), {2130, 495, 1935, 270}, QStringLiteral("Lista de Articulos"),
                    Qt::AlignLeft, {9.75, true});
    pagina.addLabel(QStringLiteral("Etiqueta8"), {90, 840, 1020, 210}, QStringLiteral("Codigo"), Qt::AlignLeft,
                    encabezado);
    pagina.addLabel(QStringLiteral("Etiqueta9"), {1155, 840, 4185, 210}, QStringLiteral("Descripción"), Qt::AlignLeft,
                    encabezado);
    pagina.addLabel(QStringLiteral("Etiqueta10"), {5370, 825, 1170, 210}, QStringLiteral("Stock"), Qt::AlignRight,
                    encabezado);
    pagina.addLine(QStringLiteral("Línea2"), {45, 1095, 6645, 0});

    ReportSection &detalle = layout.addSection(QStringLiteral("Detalle"), SectionKind::Detail, 255);
    detalle.addTextBox(QStringLiteral("t_codigo"), {120, 15, 900, 240}, Qt::AlignLeft, normal);
    detalle.addTextBox(QStringLiteral("t_nombre"), {1110, 0, 4230, 240}, Qt::AlignLeft, normal);
    detalle.addTextBox(QStringLiteral("t_precio"), {5400, 15, 1140, 240}, Qt::AlignRight, normal);

    layout.addSection(QStringLiteral("Sección3"), SectionKind::PageFooter, 0);
    layout.addSection(QStringLiteral("PieInforme"), SectionKind::ReportFooter, 0);
    return layout;
}

Report &informe()
{
    return ReportRegistry::instance(QStringLiteral("ListaArticulos"), diseno);
}

void mostrar()
{
    std::shared_ptr<const Recordset> articulos = mPrincipal::abrirConsulta(sqlCatalogo::listaArticulos());
    if (articulos->eof())
        mensajes::mostrar(QStringLiteral("No existe articulos para imprimir"), QMessageBox::Critical, QMessageBox::Ok,
                          QStringLiteral("Articulos"));

    Report &lista = informe();
    lista.setDataSource(nullptr);
    lista.setDataMember(QString());
    lista.setDataSource(std::move(articulos));
    ReportSection &detalle = lista.section(QStringLiteral("Detalle"));
    const struct
    {
        const char *caja, *columna;
    } enlaces[] = {{"T_codigo", "numero"}, {"T_nombre", "nombre"}, {"T_precio", "stock"}};
    for (const auto &e : enlaces) {
        ReportControl &caja = detalle.control(QString::fromLatin1(e.caja));
        caja.setDataMember(QString());
        caja.setDataField(QString::fromLatin1(e.columna));
    }
    lista.setLeftMargin(567);
    lista.setRightMargin(567);
    lista.refresh();
    showReportPreview(lista);
}

} // namespace listaArticulos
