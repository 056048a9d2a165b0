#pragma once

#include "recordset.h"
#include "report.h"
#include "type_codes.h"

#include <QDate>
#include <memory>

// The report tests' own layout and rows.
namespace muestra {

// Letter paper with 1440-twip margins leaves 9360 x 12960 twips; with a 1440 page
// header, 240 details and a 720 page footer, a page holds 45 rows.
constexpr int rowsPerPage = 45;

inline ReportLayout sampleLayout(int reportHeader = 0, int reportFooter = 0)
{
    ReportLayout layout(QStringLiteral("Muestra"), QStringLiteral("Lista de prueba"), 9000);
    layout.setPageSize(QPageSize(QPageSize::Letter));
    layout.addSection(QStringLiteral("Sección4"), SectionKind::ReportHeader, reportHeader);
    ReportSection &header = layout.addSection(QStringLiteral("EncabezadoPagina"), SectionKind::PageHeader, 1440);
    header.addLabel("Etiqueta1", {0, 0, 3000, 315}, "Velmarina", Qt::AlignLeft, {12, true, true});
    header.addLabel("Etiqueta5", {6000, 0, 3000, 300}, "Pagina: %p(%P)", Qt::AlignRight);
    header.addLine(QStringLiteral("Línea1"), {0, 1400, 9000, 0});
    ReportSection &detail = layout.addSection(QStringLiteral("Detalle"), SectionKind::Detail, 240);
    detail.addTextBox(QStringLiteral("t_codigo"), {0, 0, 900, 240});
    detail.addTextBox(QStringLiteral("t_nombre"), {1000, 0, 4000, 240});
    detail.addTextBox(QStringLiteral("t_fecha"), {5100, 0, 1200, 240});
    detail.addTextBox(QStringLiteral("t_stock"), {6400, 0, 1200, 240}, Qt::AlignRight);
    ReportSection &footer = layout.addSection(QStringLiteral("Sección3"), SectionKind::PageFooter, 720);
    footer.addLabel(QStringLiteral("Etiqueta9"), {0, 100, 3000, 240}, QStringLiteral("Hoja %p"));
    layout.addSection(QStringLiteral("PieInforme"), SectionKind::ReportFooter, reportFooter)
        .addLabel(QStringLiteral("Etiqueta20"), {0, 0, 3000, 240}, QStringLiteral("Fin"));
    return layout;
}

inline std::shared_ptr<Recordset> sampleRows(int count)
{
    auto rs = std::make_shared<Recordset>();
    rs->appendColumn(QStringLiteral("numero"), TipoCampo::Texto);
    rs->appendColumn(QStringLiteral("nombre"), TipoCampo::Texto);
    rs->appendColumn(QStringLiteral("fecha"), TipoCampo::Fecha);
    rs->appendColumn(QStringLiteral("stock"), TipoCampo::Simple);
    rs->open();
    for (int i = 0; i < count; ++i) {
        rs->addNew();
        rs->setValue(0, QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0')));
        rs->setValue(1, QStringLiteral("Artículo %1").arg(i + 1));
        rs->setValue(2, QDate(2024, 3, 5).addDays(i));
        rs->setValue(3, 0.5 + i);
        rs->update();
    }
    return rs;
}

// The report as a form drives it: source, boxes, refresh.
inline void bindRows(Report &report, std::shared_ptr<const Recordset> rows)
{
    report.setDataSource(nullptr);
    report.setDataMember(QString());
    report.setDataSource(std::move(rows));
    ReportSection &detail = report.section(QStringLiteral("detalle"));
    const QStringList boxes{"T_codigo", "T_nombre", "T_fecha", "T_stock"}, columns{"numero", "nombre", "fecha", "stock"};
    for (int i = 0; i < boxes.size(); ++i) {
        detail.control(boxes[i]).setDataMember(QString());
        detail.control(boxes[i]).setDataField(columns[i]);
    }
}

} // namespace muestra
