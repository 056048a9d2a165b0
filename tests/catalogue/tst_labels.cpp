#include "article_barcodes.h"
#include "form_driver.h"
#include "frm_etiquetas.h"
#include "label_rows.h"
#include "labels_layout.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report.h"
#include "report_pdf.h"
#include "report_preview.h"
#include "test_database.h"
#include "test_main.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// The demo database with a code of each kind on articles 1 to 4; 5 and 6 have none. Voucher 00000099 entered
// 2,5 of article 5 and 1 of article 1, and took out 3 of article 2.
struct ConEtiquetas
{
    BaseDePrueba base{BaseDePrueba::Demo};

    ConEtiquetas()
    {
        const char *const codigos[][2] = {
            {"000001", "4006381333931"}, {"000002", "036000291452"}, {"000003", "96385074"}, {"000004", "TU-7 M8"}};
        for (const auto &c : codigos)
            QCOMPARE(codigosBarras::agregar(mPrincipal::conexion(), c[0], c[1]), QString());
        const char *const lineas[][3] = {{"000005", "2.5", "0"}, {"000001", "1", "0"}, {"000002", "0", "3"}};
        for (const auto &l : lineas)
            base.ejecutar(QStringLiteral("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,impreso,deposito,"
                                         "Entrada,Salida,codigo) VALUES ('00000099','EN','2026-11-02','%1',1,'N','01',"
                                         "%2,%3,'0001')")
                              .arg(l[0], l[1], l[2]));
    }
};

// Each label's text: "numero codigo", blank positions as "-".
QStringList etiquetasDe(const Recordset &rs)
{
    QStringList t;
    for (qsizetype f = 0; f < rs.rowCount(); ++f)
        t << (rs.text(f, 0).isEmpty() ? QStringLiteral("-") : rs.text(f, 0) + ' ' + rs.text(f, 2));
    return t;
}

// What zbarimg reads on each page of the PDF, rendered at 300 dpi: "KIND:code" lines, sorted.
QStringList leidoDelPdf(const QString &pdf, const QTemporaryDir &dir)
{
    QProcess::execute(QStringLiteral("pdftoppm"), {"-r", "300", "-png", pdf, dir.filePath("pagina")});
    QStringList leidos;
    for (const QString &png : QDir(dir.path()).entryList({"pagina*.png"}, QDir::Files, QDir::Name)) {
        QProcess z;
        z.start(QStringLiteral("zbarimg"), {"-q", "-Supca.enable", dir.filePath(png)});
        z.waitForFinished();
        leidos << QString::fromUtf8(z.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    leidos.sort();
    return leidos;
}

} // namespace

class TestEtiquetas : public QObject
{
    Q_OBJECT
private slots:
    // The labels each source gives, after the positions already used; articles without a code get their
    // in-store one.
    void filas_data()
    {
        pruebas::columnas<int, QString, int, QStringList>("origen", "valor", "primera", "etiquetas");
        QTest::newRow("rango desde la tercera")
            << int(etiquetas::Origen::Rango) << "000003-000006" << 3
            << QStringList{
                   "-", "-", "000003 96385074", "000004 TU-7 M8", "000005 2000000000053", "000006 2000000000060"};
        QTest::newRow("entradas del comprobante, una por unidad")
            << int(etiquetas::Origen::Comprobante) << "00000099" << 1
            << QStringList{"000005 2000000000053", "000005 2000000000053", "000005 2000000000053",
                           "000001 4006381333931"};
    }
    void filas()
    {
        const auto [origen, valor, primera] = pruebas::fila<int, QString, int>("origen", "valor", "primera");
        ConEtiquetas c;
        etiquetas::Pedido p;
        p.origen = etiquetas::Origen(origen);
        p.desde = valor.section('-', 0, 0);
        p.hasta = valor.section('-', 1);
        p.comprobante = valor;
        p.primeraLibre = primera;
        const etiquetas::Etiquetas e = etiquetas::armar(mPrincipal::conexion(), p);
        QCOMPARE(e.rechazo, QString());
        QTEST(etiquetasDe(*e.filas), "etiquetas");
        // The in-store codes stay, so the labels scan.
        QCOMPARE(codigosBarras::leer(mPrincipal::conexion(), "2000000000053").numero, QString("000005"));
    }

    // A sheet of labels as PDF: the bars read back as the codes stored, each kind as itself.
    void pdfQueSeLee()
    {
        if (QStandardPaths::findExecutable("zbarimg").isEmpty() || QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("zbarimg (zbar-tools) or pdftoppm (poppler-utils) missing: ./setup.sh installs them");
        ConEtiquetas c;
        etiquetas::Pedido p;
        p.desde = "000001";
        p.hasta = "000005";
        p.primeraLibre = 2;
        for (const disenoEtiquetas::Hoja &hoja : disenoEtiquetas::hojas()) {
            Report &informe = disenoEtiquetas::informe(hoja);
            informe.setDataSource(etiquetas::armar(mPrincipal::conexion(), p).filas);
            informe.refresh();
            QTemporaryDir dir;
            QVERIFY(writeReportPdf(*informe.pages(), dir.filePath("etiquetas.pdf")));
            QCOMPARE(leidoDelPdf(dir.filePath("etiquetas.pdf"), dir),
                     (QStringList{"CODE-128:TU-7 M8", "EAN-13:2000000000053", "EAN-13:4006381333931", "EAN-8:96385074",
                                  "UPC-A:036000291452"}));
            // The first position is left free: the first label is the second of the sheet's first row, or the
            // second page of a roll.
            const bool rollo = hoja.columnas == 1;
            QCOMPARE(informe.pages()->pageCount(), rollo ? 6 : 1);
        }
    }

    // The window from the menu, after the given items of Mantenimiento: what the fields ask for, and the
    // preview's pages or the message that stops it.
    void ventana_data()
    {
        pruebas::columnas<QString, QString, int, QString>("opcion", "texto", "hoja", "resultado");
        QTest::newRow("rango en rollo") << "t_Desde"
                                        << "35" << 2 << "2 páginas";
        QTest::newRow("familia en A4") << "t_Familia"
                                       << "2" << 0 << "1 páginas";
        QTest::newRow("número que no cabe") << "t_Hasta"
                                            << "1234567" << 0 << "El número de artículo debe tener hasta 6 dígitos";
        QTest::newRow("comprobante sin entradas") << "t_Comprobante"
                                                  << "3" << 1 << "No hay artículos para las etiquetas";
    }
    void ventana()
    {
        const auto [opcion, texto, hoja] = pruebas::fila<QString, QString, int>("opcion", "texto", "hoja");
        pruebas::PrincipalDePrueba m;
        QStringList items;
        for (QAction *a : m.principal.findChild<QMenu *>("mnuMantenimiento")->actions())
            items << a->objectName();
        QVERIFY(items.indexOf("mnuEtiquetas") > items.indexOf("mnuDepositos"));
        QWidget *form = m.abrir("mnuEtiquetas", [] { return new FrmEtiquetas; });
        QCOMPARE(pruebas::solapes(form), QString());
        pruebas::escribir(pruebas::control(form, qPrintable(opcion)), texto);
        pruebas::control<QComboBox>(form, "cbo_Hoja")->setCurrentIndex(hoja);
        QTest::mouseClick(pruebas::control(form, "b_Vista"), Qt::LeftButton);
        ReportPreview *vista = pruebas::vistaPrevia();
        const QString visto =
            vista ? QString::number(vista->pages()->pageCount()) + " páginas" : m.mensajes.textos().join('|');
        if (vista)
            vista->close();
        QTEST(visto, "resultado");
    }
};

QUENDRA_TEST(TestEtiquetas)
#include "tst_labels.moc"
