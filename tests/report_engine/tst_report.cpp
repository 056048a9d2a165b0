// The report engine over a layout and rows of its own.
#include "form_driver.h"
#include "quendra_error.h"
#include "recordset.h"
#include "report.h"
#include "report_output.h"
#include "report_page_view.h"
#include "report_pdf.h"
#include "report_preview.h"
#include "test_main.h"
#include "type_codes.h"

#include <QPointer>
#include <QPrinterInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTemporaryDir>

using Falla = std::function<void(Report &)>;
Q_DECLARE_METATYPE(Falla)
using pruebas::paginasPdf;

namespace {

// Letter paper with 1440-twip margins leaves 9360 x 12960 twips; with a 1440 page
// header, 240 details and a 720 page footer, a page holds 45 rows.
constexpr int rowsPerPage = 45;

ReportLayout sampleLayout(int reportHeader = 0, int reportFooter = 0)
{
    ReportLayout layout(QStringLiteral("Muestra"), QStringLiteral("Lista de prueba"), 9000);
    layout.setPageSize(QPageSize(QPageSize::Letter));
    layout.addSection(QStringLiteral("Sección4"), SectionKind::ReportHeader, reportHeader);
    ReportSection &header = layout.addSection(QStringLiteral("EncabezadoPagina"), SectionKind::PageHeader, 1440);
    header.addLabel("Etiqueta1", {0, 0, 3000, 315}, "Velmarina", Qt::AlignLeft, {12, true, true});
    header.addLabel("Etiqueta5", {6000, 0, 3000, 300}, "Pagina: %p(%P)", Qt::AlignRight);
    ReportSection &detail = layout.addSection(QStringLiteral("Detalle"), SectionKind::Detail, 240);
    detail.addTextBox(QStringLiteral("t_codigo"), {0, 0, 900, 240}).setDataField(QStringLiteral("codigo"));
    detail.addTextBox(QStringLiteral("t_nombre"), {1000, 0, 4000, 240}).setDataField(QStringLiteral("nombre"));
    detail.addTextBox(QStringLiteral("t_fecha"), {5100, 0, 1200, 240}).setDataField(QStringLiteral("fecha"));
    detail.addTextBox(QStringLiteral("t_stock"), {6400, 0, 1200, 240}, Qt::AlignRight).setDataField("stock");
    ReportSection &footer = layout.addSection(QStringLiteral("Sección3"), SectionKind::PageFooter, 720);
    footer.addLabel(QStringLiteral("Etiqueta9"), {0, 100, 3000, 240}, QStringLiteral("Hoja %p de %P %x %"));
    layout.addSection(QStringLiteral("PieInforme"), SectionKind::ReportFooter, reportFooter)
        .addLabel(QStringLiteral("Etiqueta20"), {0, 0, 3000, 240}, QStringLiteral("Fin"));
    return layout;
}

std::shared_ptr<Recordset> sampleRows(int count)
{
    auto rs = std::make_shared<Recordset>();
    for (const auto &[name, type] : {std::pair{"codigo", TipoCampo::Texto},
                                     {"nombre", TipoCampo::Texto},
                                     {"fecha", TipoCampo::Fecha},
                                     {"stock", TipoCampo::Simple}})
        rs->appendColumn(QString::fromLatin1(name), type);
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

// 100 rows: pages of 45, 45 and 10.
Report &boundSample(Report &report, int rows = 100)
{
    report.setDataSource(sampleRows(rows));
    report.refresh();
    return report;
}

QString textOf(const ReportPages &pages, int page, const QString &control)
{
    for (const PageItem &item : pages.itemsOnPage(page))
        if (item.control->name() == control)
            return item.text;
    return QStringLiteral("<ausente>");
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT
private slots:
    // Every row printed once, in order, none into the page footer, whose top stays put even when its
    // height is set at run time; each page's number and the count, per cents that are no field left as
    // written; the report footer after the last row.
    void paging_data()
    {
        pruebas::columnas<int, int, int, int, int>("rows", "reportHeader", "reportFooter", "pageFooter", "pages");
        QTest::newRow("sin filas") << 0 << 0 << 0 << 720 << 1;
        QTest::newRow("encabezado llena la primera") << rowsPerPage - 2 << 480 << 0 << 720 << 1;
        QTest::newRow("encabezado empuja una fila") << rowsPerPage - 1 << 480 << 0 << 720 << 2;
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
        report.section(QStringLiteral("sección3")).setHeight(pageFooter);
        const ReportPages &pages = *boundSample(report, rows).pages();
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
            QCOMPARE(textOf(pages, page, "Etiqueta9"), QString("Hoja %1 de %2 %x %").arg(page).arg(pages.pageCount()));
        }
        QCOMPARE(nextRow, qsizetype(rows));
        QCOMPARE(textOf(pages, pages.pageCount(), QStringLiteral("Etiqueta20")), QStringLiteral("Fin"));
    }

    // A box with decimals prints each number with them and leaves a text alone; a row whose style column
    // says N prints bold, R adds a rule along its top; a negative value prints bold where asked.
    void rowStyles_data()
    {
        pruebas::columnas<QVariant, QString, int, QString, bool, bool>("stock", "style", "decimals", "printed", "bold",
                                                                       "rule");
        QTest::newRow("entero con dos decimales") << QVariant(72.0) << "" << 2 << "72.00" << false << false;
        QTest::newRow("redondea a la vista") << QVariant(117.456) << "" << 2 << "117.46" << false << false;
        QTest::newRow("sin decimales pedidos") << QVariant(117.5) << "" << -1 << "117.5" << false << false;
        QTest::newRow("cero negativo sin signo") << QVariant(-0.001) << "" << 2 << "0.00" << false << false;
        QTest::newRow("negativo resaltado") << QVariant(-3.0) << "" << 2 << "-3.00" << true << false;
        QTest::newRow("vacío") << QVariant() << "N" << 2 << "" << true << false;
        QTest::newRow("total") << QVariant(1245.0) << "NR" << 2 << "1245.00" << true << true;
    }
    void rowStyles()
    {
        const auto [stock, style, decimals] = pruebas::fila<QVariant, QString, int>("stock", "style", "decimals");
        ReportLayout layout = sampleLayout();
        ReportSection &detail = layout.section(QStringLiteral("Detalle"));
        detail.setStyleField(QStringLiteral("estilo"));
        detail.control(QStringLiteral("t_stock")).setDecimals(decimals);
        detail.control(QStringLiteral("t_stock")).setBoldWhenNegative(true);
        auto rs = std::make_shared<Recordset>();
        rs->appendColumn(QStringLiteral("stock"), TipoCampo::Simple);
        rs->appendColumn(QStringLiteral("estilo"), TipoCampo::Texto);
        rs->open();
        rs->addNew();
        rs->setValue(0, stock);
        rs->setValue(1, style);
        rs->update();
        for (const char *other : {"t_codigo", "t_nombre", "t_fecha"})
            detail.control(QString::fromLatin1(other)).setDataField(QStringLiteral("estilo"));
        const ReportPages pages(layout, rs, QString());
        bool rule = false;
        for (const PageItem &item : pages.itemsOnPage(1)) {
            rule = rule || item.control->name() == QLatin1String("regla");
            if (item.control->name() == QLatin1String("t_stock")) {
                QTEST(item.text, "printed");
                QTEST(item.bold, "bold");
            }
        }
        QTEST(rule, "rule");
    }

    // An unknown name, member or caption, or sections that leave no room for a row, are an error; a failed
    // refresh leaves nothing to show.
    void faultsThrow_data()
    {
        pruebas::columnas<Falla, bool>("falla", "alRefrescar");
        const auto stock = [](Report &r) -> ReportControl & { return r.section("Detalle").control("t_stock"); };
        QTest::newRow("sección") << Falla([](Report &r) { r.section("Seccion4"); }) << false;
        QTest::newRow("control") << Falla([](Report &r) { r.section("Detalle").control("t_precio"); }) << false;
        QTest::newRow("título de un cuadro de texto") << Falla([=](Report &r) { stock(r).setCaption("x"); }) << false;
        QTest::newRow("columna") << Falla([=](Report &r) { stock(r).setDataField("precio"); }) << true;
        QTest::newRow("miembro del informe") << Falla([](Report &r) { r.setDataMember("Comando1"); }) << true;
        QTest::newRow("miembro del cuadro") << Falla([=](Report &r) { stock(r).setDataMember("Comando1"); }) << true;
        QTest::newRow("detalle más alto que el cuerpo")
            << Falla([](Report &r) { r.section("Detalle").setHeight(12960 - 1440 - 720 + 1); }) << true;
        QTest::newRow("márgenes sin lugar") << Falla([](Report &r) { r.setTopMargin(20000); }) << true;
    }
    void faultsThrow()
    {
        const auto [falla, alRefrescar] = pruebas::fila<Falla, bool>("falla", "alRefrescar");
        Report report(sampleLayout());
        boundSample(report, 3);
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

    void bindingAnotherSourceReleasesTheFirst()
    {
        Report report(sampleLayout());
        const std::weak_ptr<const Recordset> watch = boundSample(report, 5).dataSource();
        // What is on show keeps its rows until it is closed.
        std::shared_ptr<const ReportPages> shown = report.pages();
        report.setDataSource(sampleRows(7));
        QVERIFY(!watch.expired());
        QCOMPARE(shown->rowCount(), qsizetype(5));
        shown.reset();
        QVERIFY(watch.expired());
        report.refresh();
        QCOMPARE(report.pages()->rowCount(), qsizetype(7));
        report.setDataSource(nullptr);
        QVERIFY(!report.pages());
    }

    // A layout that fits between the margins of an A4 page prints at full size from the left one; a wider
    // one is shrunk.
    void pageMeasuresFitThePaper_data()
    {
        pruebas::columnas<int, int, int, bool>("width", "first", "third", "shrunk");
        QTest::newRow("lista de artículos") << 6750 << 567 << 567 << false;
        QTest::newRow("movimientos") << 10620 << 1000 << 567 << true;
    }
    void pageMeasuresFitThePaper()
    {
        const auto [width, first, third] = pruebas::fila<int, int, int>("width", "first", "third");
        ReportLayout layout(QStringLiteral("Ancho"), QStringLiteral("Ancho"), width);
        layout.addSection(QStringLiteral("Detalle"), SectionKind::Detail, 240).addLine("Línea1", {0, 0, width, 0});
        Report report(std::move(layout));
        report.setLeftMargin(first);
        report.setRightMargin(third);
        report.refresh();
        const ReportPages &pages = *report.pages();
        QTEST(pages.scale() < 1, "shrunk");
        QCOMPARE(pages.origin().x(), double(first));
        QVERIFY(pages.origin().x() + width * pages.scale() <= pages.paperSize().width() - third + 1e-6);
    }
};

class TestReportOutput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!pruebas::hayPdftotext())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    // The first and last pages' texts with Arial (or Liberation Sans) embedded, and a range of pages; a
    // cancelled or failed export leaves the file that was there untouched.
    void pdfHoldsThePagesTexts()
    {
        Report report(sampleLayout());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("muestra.pdf")),
                      rango = dir.filePath(QStringLiteral("rango.pdf"));
        QVERIFY(writeReportPdf(*boundSample(report).pages(), path));
        const QStringList pages = paginasPdf(path);
        QCOMPARE(pages.size(), 3);
        for (const char *text : {"Velmarina", "Pagina: 1(3)", "000001", "Artículo 1 ", "05-03-2024", "0.5", "Hoja 1"})
            QVERIFY2(pages[0].contains(QString::fromUtf8(text)), qPrintable(text + ("\n" + pages[0])));
        QVERIFY2(pages[2].contains("Artículo 100") && pages[2].contains("Fin"), qPrintable(pages[2]));
        QProcess fonts;
        fonts.start(QStringLiteral("pdffonts"), {path});
        QVERIFY(fonts.waitForFinished());
        QVERIFY(QString::fromUtf8(fonts.readAllStandardOutput()).contains(QRegularExpression("Arial|Liberation")));
        QVERIFY(writeReportPdf(*report.pages(), rango, 2, 3));
        QCOMPARE(paginasPdf(rango).size(), 2);
        QVERIFY(paginasPdf(rango)[0].contains(QStringLiteral("Pagina: 2(3)")));
        QVERIFY_THROWS_EXCEPTION(QuendraError, writeReportPdf(*report.pages(), rango, 3, 4));
        QVERIFY(!writeReportPdf(*report.pages(), rango, 1, 0, [](int done, int) { return done < 2; }));
        QCOMPARE(paginasPdf(rango).size(), 2);
        QVERIFY_THROWS_EXCEPTION(QuendraError, writeReportPdf(*report.pages(), dir.filePath("no/existe.pdf")));
    }

    void previewNavigatesAndOutlivesItsForm()
    {
        Report report(sampleLayout());
        boundSample(report);
        QPointer<ReportPreview> preview;
        {
            QWidget form;
            form.show();
            preview = showReportPreview(report);
        }
        QVERIFY(preview && preview->isVisible() && !preview->parent());

        const std::pair<const char *, int> pasos[]{{"b_Siguiente", 2}, {"b_Ultima", 3}, {"b_Primera", 1}};
        for (const auto &[boton, pagina] : pasos) {
            QTest::mouseClick(pruebas::control(preview, boton), Qt::LeftButton);
            QCOMPARE(preview->pageView()->currentPage(), pagina);
            QCOMPARE(pruebas::control<QSpinBox>(preview, "t_Pagina")->value(), pagina);
        }

        // The layout's one window shows the next refresh.
        boundSample(report, 10);
        QCOMPARE(showReportPreview(report), preview.data());
        QCOMPARE(preview->pages()->pageCount(), 1);

        preview->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!preview);
    }

    void printAtOnceWithoutPrinterWritesPdf()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer");
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
        auto restore = qScopeGuard([&] {
            qputenv("HOME", oldHome);
            qputenv("XDG_CONFIG_HOME", oldConfig);
        });
        qputenv("HOME", home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");

        Report report(sampleLayout());
        boundSample(report);
        RegistroMensajes messages;
        const QString path = printReportNow(report);
        QVERIFY(path.startsWith(home.path() + QStringLiteral("/Documents/Quendra/Lista de prueba "))
                && path.endsWith(".pdf"));
        QCOMPARE(messages.textos().size(), 1);
        QVERIFY(messages.textos()[0].contains(path));
        QCOMPARE(paginasPdf(path).size(), 3);
        // A second print in the same second does not overwrite the first.
        QVERIFY(printReportNow(report) != path);
    }
};

QUENDRA_TEST(TestReport)
QUENDRA_TEST(TestReportOutput)
#include "tst_report.moc"
