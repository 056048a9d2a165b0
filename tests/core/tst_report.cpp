#include "quendra_error.h"
#include "test_main.h"
#include "tst_report_sample.h"

#include <functional>

using namespace muestra;
using Falla = std::function<void(Report &)>;
Q_DECLARE_METATYPE(Falla)

namespace {

QString textOf(const ReportPages &pages, int page, const QString &control, int nth = 0)
{
    for (const PageItem &item : pages.itemsOnPage(page))
        if (item.control->name() == control && nth-- == 0)
            return item.text;
    return QStringLiteral("<ausente>");
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT
private slots:
    // Pages as the sections' heights give them: every row printed once, in order, no detail running
    // into the page footer, whose top stays put even when its height is set at run time, and the
    // report footer after the last row.
    void paging_data()
    {
        pruebas::columnas<int, int, int, int, int>("rows", "reportHeader", "reportFooter", "pageFooter", "pages");
        QTest::newRow("sin filas") << 0 << 0 << 0 << 720 << 1;
        QTest::newRow("página llena") << rowsPerPage << 0 << 0 << 720 << 1;
        QTest::newRow("página y una") << rowsPerPage + 1 << 0 << 0 << 720 << 2;
        QTest::newRow("tres páginas") << 100 << 0 << 0 << 720 << 3;
        // A report header takes the room of two rows on the first page only.
        QTest::newRow("encabezado llena la primera") << rowsPerPage - 2 << 480 << 0 << 720 << 1;
        QTest::newRow("encabezado empuja una fila") << rowsPerPage - 1 << 480 << 0 << 720 << 2;
        // The report footer goes on a page of its own when it does not fit.
        QTest::newRow("pie del informe cabe") << rowsPerPage - 3 << 0 << 720 << 720 << 1;
        QTest::newRow("pie del informe pasa de hoja") << rowsPerPage - 2 << 0 << 720 << 720 << 2;
        QTest::newRow("pie alto fijado al imprimir") << 40 << 0 << 0 << 9500 << 5;
        QTest::newRow("pie sin alto") << 60 << 0 << 0 << 0 << 2;
    }
    void paging()
    {
        const auto [rows, reportHeader, reportFooter, pageFooter] =
            pruebas::fila<int, int, int, int>("rows", "reportHeader", "reportFooter", "pageFooter");
        Report report(sampleLayout(reportHeader, reportFooter));
        bindRows(report, sampleRows(rows));
        report.section(QStringLiteral("sección3")).setHeight(pageFooter);
        report.refresh();
        const ReportPages &pages = *report.pages();
        QTEST(pages.pageCount(), "pages");
        const double footerTop = pages.printableHeight() - pageFooter;
        qsizetype nextRow = 0;
        for (int page = 1; page <= pages.pageCount(); ++page) {
            double lastDetailBottom = 0;
            double footerAt = -1;
            for (const SectionOnPage &placed : pages.sectionsOnPage(page)) {
                if (placed.section->kind() == SectionKind::Detail) {
                    QCOMPARE(placed.row, nextRow++);
                    lastDetailBottom = placed.top + placed.section->height();
                } else if (placed.section->kind() == SectionKind::PageFooter) {
                    footerAt = placed.top;
                }
            }
            QCOMPARE(footerAt, footerTop);
            QVERIFY(lastDetailBottom <= footerTop);
        }
        QCOMPARE(nextRow, qsizetype(rows));
        QCOMPARE(textOf(pages, pages.pageCount(), QStringLiteral("Etiqueta20")), QStringLiteral("Fin"));
    }

    // The page number fields, and text boxes printing the recordset's own text form: dates day first,
    // numbers with a point.
    void printedTexts_data()
    {
        // caption is the page header's Etiqueta5's; nth counts the control's prints on that page
        pruebas::columnas<QString, int, QString, int, QString>("caption", "page", "control", "nth", "printed");
        QTest::newRow("segunda de tres") << "%p(%P)" << 2 << "Etiqueta5" << 0 << "2(3)";
        QTest::newRow("total en la primera") << "Pagina: %p(%P)" << 1 << "Etiqueta5" << 0 << "Pagina: 1(3)";
        QTest::newRow("sólo el total") << "%P" << 3 << "Etiqueta5" << 0 << "3";
        QTest::newRow("otros por ciento quedan") << "100% %x %" << 1 << "Etiqueta5" << 0 << "100% %x %";
        QTest::newRow("código") << "" << 2 << "t_codigo" << 0 << "000046";
        QTest::newRow("texto") << "" << 2 << "t_nombre" << 2 << "Artículo 48";
        QTest::newRow("fecha") << "" << 1 << "t_fecha" << 1 << "06-03-2024";
        QTest::newRow("número") << "" << 1 << "t_stock" << 2 << "2.5";
    }
    void printedTexts()
    {
        const auto [caption, page, control, nth] =
            pruebas::fila<QString, int, QString, int>("caption", "page", "control", "nth");
        Report report(sampleLayout());
        bindRows(report, sampleRows(2 * rowsPerPage + 1));
        report.section(QStringLiteral("EncabezadoPagina")).control(QStringLiteral("etiqueta5")).setCaption(caption);
        report.refresh();
        QCOMPARE(report.pages()->pageCount(), 3);
        QTEST(textOf(*report.pages(), page, control, nth), "printed");
    }

    // An unknown name, or a member or caption the control does not have, is an error, and a failed
    // refresh leaves nothing to show.
    void unknownNamesThrow_data()
    {
        pruebas::columnas<Falla, bool>("falla", "alRefrescar");
        const auto stock = [](Report &r) -> ReportControl & { return r.section("Detalle").control("t_stock"); };
        QTest::newRow("sección") << Falla([](Report &r) { r.section("Seccion4"); }) << false;
        QTest::newRow("control") << Falla([](Report &r) { r.section("Detalle").control("t_precio"); }) << false;
        QTest::newRow("título de un cuadro de texto") << Falla([=](Report &r) { stock(r).setCaption("x"); }) << false;
        QTest::newRow("columna") << Falla([=](Report &r) { stock(r).setDataField("precio"); }) << true;
        QTest::newRow("miembro del informe") << Falla([](Report &r) { r.setDataMember("Comando1"); }) << true;
        QTest::newRow("miembro del cuadro") << Falla([=](Report &r) { stock(r).setDataMember("Comando1"); }) << true;
    }
    void unknownNamesThrow()
    {
        const auto [falla, alRefrescar] = pruebas::fila<Falla, bool>("falla", "alRefrescar");
        Report report(sampleLayout());
        bindRows(report, sampleRows(3));
        report.refresh();
        try {
            falla(report);
            if (alRefrescar)
                report.refresh();
            QFAIL("no error was raised");
        } catch (const QuendraError &e) {
            QVERIFY(e.numero() == QuendraError::NombreDesconocido || e.numero() == QuendraError::ErrorDeInforme);
        }
        QCOMPARE(!report.pages(), alRefrescar);
    }

    // Sections that leave no room for a row cannot make a report.
    void sectionsThatDoNotFitThrow()
    {
        Report report(sampleLayout());
        bindRows(report, sampleRows(3));
        report.section(QStringLiteral("Detalle")).setHeight(12960 - 1440 - 720 + 1);
        QVERIFY_THROWS_EXCEPTION(QuendraError, report.refresh());
        report.section(QStringLiteral("Detalle")).setHeight(240);
        report.setTopMargin(20000);
        QVERIFY_THROWS_EXCEPTION(QuendraError, report.refresh());
    }

    void bindingAnotherSourceReleasesTheFirst()
    {
        Report report(sampleLayout());
        auto first = sampleRows(5);
        std::weak_ptr<Recordset> watch = first;
        bindRows(report, std::move(first));
        report.refresh();
        // What is on show keeps its rows until it is closed.
        std::shared_ptr<const ReportPages> shown = report.pages();
        bindRows(report, sampleRows(7));
        QVERIFY(!watch.expired());
        QCOMPARE(shown->rowCount(), qsizetype(5));
        shown.reset();
        QVERIFY(watch.expired());
        report.refresh();
        QCOMPARE(report.pages()->rowCount(), qsizetype(7));
        report.setDataSource(nullptr);
        QVERIFY(!report.pages());
        QVERIFY(!report.dataSource());
    }

    // The three page measures are the left, top and right margins: with the
    // values its form sets, each of the program's layouts fits its paper whole.
    void pageMeasuresFitThePaper_data()
    {
        pruebas::columnas<int, int, int, int, bool>("width", "first", "third", "paper", "shrunk");
        QTest::newRow("lista de artículos en A4") << 6750 << 567 << 567 << int(QPageSize::A4) << false;
        QTest::newRow("ticket en A4") << 8325 << 1 << 1 << int(QPageSize::A4) << false;
        QTest::newRow("movimientos en carta") << 10620 << 1000 << 567 << int(QPageSize::Letter) << false;
        QTest::newRow("movimientos en A4") << 10620 << 1000 << 567 << int(QPageSize::A4) << true;
        QTest::newRow("más ancho que la hoja") << 20000 << 1440 << 1440 << int(QPageSize::A4) << true;
    }
    void pageMeasuresFitThePaper()
    {
        const auto [width, first, third, paper] =
            pruebas::fila<int, int, int, int>("width", "first", "third", "paper");
        ReportLayout layout(QStringLiteral("Ancho"), QStringLiteral("Ancho"), width);
        layout.setPageSize(QPageSize(QPageSize::PageSizeId(paper)));
        layout.addSection(QStringLiteral("Detalle"), SectionKind::Detail, 240)
            .addLine(QStringLiteral("Línea1"), {0, 0, width, 0});
        Report report(std::move(layout));
        report.setLeftMargin(first);
        report.setRightMargin(third);
        report.refresh();
        const ReportPages &pages = *report.pages();
        QTEST(pages.scale() < 1, "shrunk");
        QCOMPARE(pages.origin().x(), double(first));
        // Nothing is cut off: the widest control ends at or before the right margin.
        QVERIFY(pages.origin().x() + width * pages.scale() <= pages.paperSize().width() - third + 1e-6);
    }
};

QUENDRA_TEST(TestReport)
#include "tst_report.moc"
