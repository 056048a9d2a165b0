// The report engine on a million rows: binding and pagination, painting a page,
// writing 200 pages of PDF and opening the preview of a 20,000-page report.
// Usage: bench_report [folder]  (the folder keeps the PDF and two PNG pictures)

#include "bench_support.h"
#include "recordset.h"
#include "report.h"
#include "report_page_view.h"
#include "report_pdf.h"
#include "report_preview.h"
#include "type_codes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

constexpr int rowCount = 1000000;

struct Column
{
    const char *name;
    int size;
    int left;
    int width;
    Qt::Alignment alignment;
};

// Nine columns across a 10620-twip page, as the movement report has them.
const Column columns[] = {
    {"fecha", 10, 60, 810, Qt::AlignLeft},       {"comprobante", 10, 915, 915, Qt::AlignLeft},
    {"tipomov", 2, 1905, 240, Qt::AlignLeft},    {"codigo", 4, 2220, 585, Qt::AlignLeft},
    {"numero", 6, 2895, 660, Qt::AlignLeft},     {"nombre", 60, 3630, 3495, Qt::AlignLeft},
    {"entrada", 15, 7215, 1065, Qt::AlignRight}, {"salida", 15, 8355, 1050, Qt::AlignRight},
    {"saldo", 15, 9480, 1050, Qt::AlignRight},
};

ReportLayout nineColumnLayout()
{
    ReportLayout layout(QStringLiteral("BancoNueve"), QStringLiteral("Movimiento de stock"), 10620);
    layout.addSection(QStringLiteral("Sección4"), SectionKind::ReportHeader, 0);
    ReportSection &header = layout.addSection(QStringLiteral("EncabezadoPagina"), SectionKind::PageHeader, 1575);
    header.addLabel(QStringLiteral("Etiqueta1"), {120, 0, 3090, 315}, QStringLiteral("Velmarina"), Qt::AlignLeft,
                    {12, true, true});
    header.addLabel(QStringLiteral("Etiqueta5"), {8850, 15, 1725, 300}, QStringLiteral("Pagina: %p(%P)"),
                    Qt::AlignRight, {9.75});
    header.addLabel(QStringLiteral("t_FechaDesde"), {450, 360, 2475, 240}, QStringLiteral("Desde: 01-01-2024"));
    header.addLabel(QStringLiteral("t_FechaHasta"), {435, 645, 2490, 225}, QStringLiteral("Hasta: 31-12-2024"));
    header.addLabel(QStringLiteral("Etiqueta11"), {3465, 945, 4035, 255},
                    QStringLiteral("Informe de Entradas y Salidas"), Qt::AlignHCenter, {9.75});
    header.addLabel(QStringLiteral("Deposito"), {7695, 960, 1515, 240}, QStringLiteral("Deposito: 01"));
    header.addLine(QStringLiteral("Línea1"), {0, 1290, 10590, 0});
    const char *titles[] = {"Fecha", "Comprobante", "TM", "Codigo", "Numero", "Nombre", "Entrada", "Salida", "Saldo"};
    for (int i = 0; i < 9; ++i)
        header.addLabel(QStringLiteral("Titulo%1").arg(i), {columns[i].left, 1335, columns[i].width, 210},
                        QString::fromUtf8(titles[i]), columns[i].alignment);
    header.addLine(QStringLiteral("Línea2"), {0, 1575, 10620, 0});
    ReportSection &detail = layout.addSection(QStringLiteral("Detalle"), SectionKind::Detail, 225);
    for (const Column &c : columns)
        detail.addTextBox(QString::fromLatin1(c.name), {c.left, 0, c.width, 210}, c.alignment);
    layout.addSection(QStringLiteral("Sección3"), SectionKind::PageFooter, 0);
    layout.addSection(QStringLiteral("PieInforme"), SectionKind::ReportFooter, 0);
    return layout;
}

// Rows as the movement report builds them: per article a separator, an opening
// balance and eight movements, every value text.
std::shared_ptr<Recordset> millionRows()
{
    auto rs = std::make_shared<Recordset>();
    for (const Column &c : columns)
        rs->appendColumn(QString::fromLatin1(c.name), TipoCampo::Caracter, c.size);
    rs->open();
    const QString dashes = QString(38, QLatin1Char('-'));
    for (int i = 0; i < rowCount; ++i) {
        const int article = i / 10 + 1;
        const int step = i % 10;
        const QString numero = QStringLiteral("%1").arg(article % 1000000, 6, 10, QLatin1Char('0'));
        rs->addNew();
        if (step == 0) {
            const char *sep[] = {"", "------", "--", "----", "------"};
            for (int c = 1; c < 5; ++c)
                rs->setValue(c, QString::fromLatin1(sep[c]));
            rs->setValue(5, dashes);
        } else {
            rs->setValue(0, QStringLiteral("%1-03-2024").arg(step, 2, 10, QLatin1Char('0')));
            rs->setValue(1,
                         step == 1 ? QStringLiteral("000000") : QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0')));
            rs->setValue(2, step == 1 ? QStringLiteral("IN") : QStringLiteral("SA"));
            rs->setValue(3, QStringLiteral("%1").arg(article % 50, 4, 10, QLatin1Char('0')));
            rs->setValue(4, numero);
            rs->setValue(5, QStringLiteral("Artículo de prueba número %1").arg(article));
            if (step > 1)
                rs->setValue(step % 2 ? 6 : 7, QStringLiteral("%1.5").arg(step));
            rs->setValue(8, QStringLiteral("%1.25").arg(100 + step));
        }
        rs->update();
    }
    return rs;
}

void bindAll(Report &report, std::shared_ptr<const Recordset> rows)
{
    report.setDataSource(nullptr);
    report.setDataMember(QString());
    report.setDataSource(std::move(rows));
    ReportSection &detail = report.section(QStringLiteral("Detalle"));
    for (const Column &c : columns) {
        detail.control(QString::fromLatin1(c.name)).setDataMember(QString());
        detail.control(QString::fromLatin1(c.name)).setDataField(QString::fromLatin1(c.name));
    }
    report.setLeftMargin(1000);
    report.setRightMargin(567);
}

// A page painted at 150 dpi, as a printer driver or the preview would ask for it.
QImage paintedPage(const ReportPages &pages, int page)
{
    const double dpi = 150;
    QImage image((pages.paperSize() * dpi / 1440).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(dpi / 1440, dpi / 1440);
    pages.paintPage(page, painter);
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    banco::Programa programa(argc, argv);
    const QDir out = programa.salida(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());

    const double before = banco::memoriaMiB();
    QElapsedTimer timer;
    timer.start();
    std::shared_ptr<const Recordset> rows = millionRows();
    banco::cifra("building 1,000,000 in-memory rows (9 text columns)", double(timer.elapsed()), "ms");
    const double withRows = banco::memoriaMiB();
    banco::cifra("memory of the recordset", withRows - before, "MiB");

    Report report(nineColumnLayout());
    bindAll(report, rows);
    banco::cifra("bind and paginate 1,000,000 rows (median of 5)",
                 1000 * banco::medianaMs(5, [&] { report.refresh(); }), "us");
    const ReportPages &pages = *report.pages();
    banco::cifra("pages", pages.pageCount(), "");
    banco::cifra("memory of the engine beyond the recordset", banco::memoriaMiB() - withRows, "MiB");

    const int middle = pages.pageCount() / 2;
    QImage first;
    banco::imprimir("paint page 1 at 150 dpi (median of 5)",
                    banco::medianaMs(5, [&] { first = paintedPage(pages, 1); }));
    banco::imprimir("paint the middle page at 150 dpi (median of 5)",
                    banco::medianaMs(5, [&] { paintedPage(pages, middle); }));
    first.save(out.filePath(QStringLiteral("bench_report_page1.png")));

    const QString pdf = out.filePath(QStringLiteral("bench_report_200.pdf"));
    banco::imprimir("export 200 pages to PDF",
                    banco::medianaMs(1, [&] { writeReportPdf(pages, pdf, middle, middle + 199); }));
    banco::cifra("PDF size", QFileInfo(pdf).size() / 1048576.0, "MiB");

    // The same rows, 50 to a page: 20,000 pages.
    report.section(QStringLiteral("Detalle")).setHeight(int((pages.printableHeight() - 1575) / 50));
    report.refresh();
    std::shared_ptr<const ReportPages> twenty = report.pages();
    timer.restart();
    auto *preview = new ReportPreview(twenty);
    preview->resize(1000, 900);
    preview->show();
    const QImage shown = preview->grab().toImage();
    banco::cifra(qPrintable(QStringLiteral("preview of %1 pages on screen after the refresh").arg(twenty->pageCount())),
                 double(timer.nsecsElapsed()) / 1e6, "ms");
    banco::imprimir("scroll the preview to page 12345 and repaint (median of 5)", banco::medianaMs(5, [&] {
                        preview->pageView()->goToPage(12345);
                        preview->pageView()->viewport()->grab();
                        preview->pageView()->goToPage(1);
                    }));
    shown.save(out.filePath(QStringLiteral("bench_report_preview.png")));
    preview->close();

    banco::cifra("memory beyond the recordset after all of the above", banco::memoriaMiB() - withRows, "MiB");
    banco::cifra("peak memory of the process", banco::memoriaPicoMiB(), "MiB");
    if (argc > 1)
        std::printf("Pictures and PDF in %s\n", qPrintable(out.path()));
    return 0;
}
