#include "report.h"
#include "report_fixture.h"
#include "report_pdf.h"
#include "rpt_movim_layout.h"
#include "test_main.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace informe;

// The demo database's year on paper: every page carries the page header with
// the filters, the column titles and its number out of the count.
class TestInformePdf : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void cadaPaginaConSuEncabezado()
    {
        BaseDePrueba base(BaseDePrueba::Demo);
        const FiltroMovimientos f = anio2026();
        Report &informe = rptMovim();
        vincularInformeMovimientos(informe, armar(f), f);
        QTemporaryDir carpeta;
        const QString pdf = carpeta.filePath(QStringLiteral("movimientos.pdf"));
        QVERIFY(writeReportPdf(*informe.pages(), pdf));

        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished());
        const QStringList paginas = QString::fromUtf8(p.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
        const int total = informe.pages()->pageCount();
        QVERIFY(total >= 2);
        QCOMPARE(paginas.size(), total);
        for (int i = 0; i < total; ++i)
            for (const QString &texto : {QStringLiteral("Velmarina"), QStringLiteral("Pagina: %1(%2)").arg(i + 1).arg(total),
                                         QStringLiteral("Desde: 01-01-2026"), QStringLiteral("Has N: 99999999"),
                                         QStringLiteral("Informe de Entradas y Salidas"), QStringLiteral("Deposito: 01"),
                                         QStringLiteral("Comprobante"), QStringLiteral("Saldo")})
                QVERIFY2(paginas[i].contains(texto), qPrintable(texto + " missing on page " + QString::number(i + 1)));
        // The first article's opening row, its columns in their places.
        QVERIFY(paginas[0].contains(QRegularExpression(QStringLiteral("01-01-2026 000000 +IN +0001 +000001 +Tornillo"))));
        informe.setDataSource(nullptr);
    }
};

QUENDRA_TEST(TestInformePdf)
#include "tst_informe_pdf.moc"
