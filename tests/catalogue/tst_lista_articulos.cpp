#include "catalogue_fixture.h"
#include "frm_articulo.h"
#include "report_pages.h"
#include "report_pdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

// The article list as "&Imprimir" on the article form shows it.
class TestListaArticulos : public QObject
{
    Q_OBJECT

    static QString textoPdf(const ReportPages &paginas)
    {
        QTemporaryDir carpeta;
        const QString pdf = carpeta.filePath(QStringLiteral("lista.pdf"));
        writeReportPdf(paginas, pdf);
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    }

private slots:
    void cleanup()
    {
        if (ReportPreview *v = vistaPrevia())
            v->close();
    }

    void listaDeLaBaseDemo()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        FormularioDePrueba<frmArticulo> p;
        // An article whose family is gone is listed all the same, and a quote prints as typed.
        p.base.ejecutar("insert into articulo(numero,codigo,nombre,alta,costo,stock) "
                        "values ('000099','0099','Adaptador D''Angelo','2026-01-02',1,2.5)");
        p.clic("B_Imprimir");
        QCOMPARE(p.mensajes.textos(), QStringList());
        ReportPreview *vista = vistaPrevia();
        QVERIFY(vista);
        QCOMPARE(vista->windowTitle(), QStringLiteral("Lista de Articulos"));
        QCOMPARE(vista->pages()->pageCount(), 1);

        const QStringList lineas = textoPdf(*vista->pages()).split(QLatin1Char('\n'));
        const QString encabezado = lineas.mid(0, 6).join(QLatin1Char(' ')).simplified();
        for (const char *t : {"Velmarina", "Pagina: 1(1)", "Lista de Articulos", "Codigo Descripción", "Stock"})
            QVERIFY2(encabezado.contains(QString::fromUtf8(t)), qPrintable(encabezado));

        QStringList filas;
        for (const QString &l : lineas)
            if (QRegularExpression(QStringLiteral("^\\s*\\d{6}\\s")).match(l).hasMatch())
                filas << l.simplified();
        QStringList esperadas;
        auto rs = mPrincipal::abrirConsulta(QStringLiteral("select numero, nombre, stock from articulo order by nombre"));
        for (; !rs->eof(); rs->moveNext())
            esperadas << QStringLiteral("%1 %2 %3").arg(rs->field(0).text(), rs->field(1).text(), rs->field(2).text());
        QCOMPARE(esperadas.size(), 37);
        QCOMPARE(esperadas.first(), QStringLiteral("000099 Adaptador D'Angelo 2.5"));
        QCOMPARE(filas, esperadas);
    }

    void sinArticulosAvisaYMuestraIgual()
    {
        FormularioDePrueba<frmArticulo> p(BaseDePrueba::Vacia);
        p.clic("B_Imprimir");
        QCOMPARE(p.mensajes.textos(), QStringList{"No existe articulos para imprimir"});
        QCOMPARE(p.mensajes.mostrados().first().icono, QMessageBox::Critical);
        QCOMPARE(p.mensajes.mostrados().first().titulo, QStringLiteral("Articulos"));
        ReportPreview *vista = vistaPrevia();
        QVERIFY(vista);
        QCOMPARE(vista->pages()->rowCount(), 0);
        QCOMPARE(vista->pages()->pageCount(), 1);
    }
};

QUENDRA_TEST(TestListaArticulos)
#include "tst_lista_articulos.moc"
