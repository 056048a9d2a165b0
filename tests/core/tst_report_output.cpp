#include "form_driver.h"
#include "quendra_error.h"
#include "report_output.h"
#include "report_page_view.h"
#include "report_pdf.h"
#include "report_preview.h"
#include "test_main.h"
#include "tst_report_sample.h"

#include <QPointer>
#include <QPrinterInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace muestra;

namespace {

using pruebas::paginasPdf;

// 100 rows: pages of 45, 45 and 10.
Report &boundSample(Report &report, int rows = 100)
{
    bindRows(report, sampleRows(rows));
    report.refresh();
    return report;
}

} // namespace

class TestReportOutput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!pruebas::hayPdftotext())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    // Each page's texts with Arial (or Liberation Sans standing in for it) embedded, and a range of pages;
    // a cancelled or failed export leaves the file that was there untouched.
    void pdfHoldsThePagesTexts()
    {
        Report report(sampleLayout());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("muestra.pdf")), rango = dir.filePath(QStringLiteral("rango.pdf"));
        QVERIFY(writeReportPdf(*boundSample(report).pages(), path));
        const QList<QStringList> texts{
            {"Velmarina", "Pagina: 1(3)", "000001", "Artículo 1 ", "05-03-2024", "0.5", "Hoja 1"},
            {"Pagina: 2(3)", "000046", "Artículo 46", "19-04-2024", "45.5"},
            {"Pagina: 3(3)", "Artículo 100", "Fin", "Hoja 3"}};
        const QStringList pages = paginasPdf(path);
        QCOMPARE(pages.size(), 3);
        for (int page = 0; page < 3; ++page)
            for (const QString &text : texts[page])
                QVERIFY2(pages[page].contains(text), qPrintable(text + QStringLiteral(" missing in:\n") + pages[page]));
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
        QVERIFY(preview);
        QVERIFY(preview->isVisible() && !preview->parent());
        QCOMPARE(preview->windowTitle(), QStringLiteral("Lista de prueba"));

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
            if (!oldConfig.isNull())
                qputenv("XDG_CONFIG_HOME", oldConfig);
        });
        qputenv("HOME", home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");

        Report report(sampleLayout());
        boundSample(report);
        RegistroMensajes messages;
        const QString path = printReportNow(report);
        QVERIFY(path.startsWith(home.path() + QStringLiteral("/Documents/Quendra/Lista de prueba ")) && path.endsWith(".pdf"));
        QCOMPARE(messages.textos().size(), 1);
        QVERIFY(messages.textos()[0].contains(path));
        QCOMPARE(paginasPdf(path).size(), 3);
        // A second print in the same second does not overwrite the first.
        QVERIFY(printReportNow(report) != path);
    }
};

QUENDRA_TEST(TestReportOutput)
#include "tst_report_output.moc"
