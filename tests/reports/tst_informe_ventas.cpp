#include "dates.h"
#include "frm_iniciar.h"
#include "informe_ventas.h"
#include "message_recorder.h"
#include "report.h"
#include "report_fixture.h"
#include "report_pdf.h"
#include "report_preview.h"
#include "rpt_movim_layout.h"
#include "test_main.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace informe;

namespace {

// The filter window over a fresh database with one article, shown.
struct VentanaDePrueba
{
    BaseDePrueba base;
    RegistroMensajes mensajes;
    InformeVentas ventana;

    VentanaDePrueba()
    {
        articulo(base, "000001", "Tornillo");
        movimiento(base, "00000001", "000001", "10-03-2026", "01", "8", "0");
        ventana.show();
        ventana.activateWindow();
        [[maybe_unused]] bool activa = QTest::qWaitForWindowActive(&ventana);
    }

    template <typename T = QLineEdit> T *control(const QString &nombre) const { return ventana.findChild<T *>(nombre); }

    // Box names and what is typed into each, in turns; then "&Imprimir".
    void imprimir(const QStringList &cajas = {})
    {
        for (qsizetype i = 0; i + 1 < cajas.size(); i += 2) {
            QLineEdit *caja = control(cajas[i]);
            caja->setFocus();
            caja->selectAll();
            QTest::keyClick(caja, Qt::Key_Delete);
            caja->home(false);
            QTest::keyClicks(caja, cajas[i + 1]);
        }
        QTest::mouseClick(control<QPushButton>("b_Imprimir"), Qt::LeftButton);
    }
};

ReportPreview *vistaPrevia()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<ReportPreview *>(w); p && p->isVisible())
            return p;
    return nullptr;
}

} // namespace

class TestInformeVentas : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        fechas::fijarHoyParaPruebas(QDate(2026, 6, 15));
        mPrincipal::depositoDefecto = QStringLiteral("01");
    }
    void cleanup()
    {
        if (ReportPreview *p = vistaPrevia())
            p->close();
        rptMovim().setDataSource(nullptr);
        fechas::fijarHoyParaPruebas(QDate());
    }

    void alAbrir()
    {
        VentanaDePrueba v;
        QCOMPARE(v.ventana.windowTitle(), QStringLiteral("Informe de Movimientos por Depósitos"));
        QCOMPARE(v.ventana.size(), QSize(288, 182));
        const FiltroMovimientos f = v.ventana.filtro();
        QCOMPARE((QStringList{f.desde, f.hasta, f.desdeNumero, f.hastaNumero, f.desdeFamilia, f.hastaFamilia, f.deposito}),
                 (QStringList{"15-06-2026", "15-06-2026", "0", "99999999", "0", "99999999", "01"}));
        for (const char *fecha : {"f_desde", "f_hasta"})
            QCOMPARE(v.control(fecha)->palette().color(QPalette::Base), QColor(255, 224, 192));

        const QStringList orden{"f_desde",        "f_hasta",    "t_DesdeNumero", "T_HastaNumero", "T_DesdeFamilia",
                                "T_HastaFamilia", "t_Deposito", "b_Imprimir",    "b_Salir",       "f_desde"};
        v.control("f_desde")->setFocus();
        for (qsizetype i = 1; i < orden.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), orden[i]);
        }
    }

    // Captions drawn for a narrower face grow instead of being cut, into no neighbour.
    void nadaSeSuperponeNiSeCorta()
    {
        InformeVentas ventana;
        const QList<QWidget *> controles = ventana.findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(controles.size(), 16);
        for (QWidget *a : controles) {
            QVERIFY2(ventana.rect().contains(a->geometry()), qPrintable(a->objectName()));
            if (auto *l = qobject_cast<QLabel *>(a))
                QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
            for (QWidget *b : controles)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + " / " + b->objectName()));
        }
    }

    void avisaSinVistaPrevia_data()
    {
        QTest::addColumn<QString>("caja");
        QTest::addColumn<QString>("texto");
        QTest::newRow("hasta artículo vacío") << "T_HastaNumero" << "";
        QTest::newRow("hasta familia vacía") << "T_HastaFamilia" << "";
        QTest::newRow("familias sin artículos") << "T_DesdeFamilia" << "5";
        QTest::newRow("desde mayor que hasta") << "t_DesdeNumero" << "999999999";
        QTest::newRow("fecha desde en blanco") << "f_desde" << "";
        QTest::newRow("fecha hasta sin año") << "f_hasta" << "3112";
        QTest::newRow("fecha desde imposible") << "f_desde" << "31022026";
    }
    // The storage place is trimmed in its box before anything else.
    void avisaSinVistaPrevia()
    {
        QFETCH(QString, caja);
        QFETCH(QString, texto);
        const bool fecha = caja.startsWith(QLatin1String("f_"));
        VentanaDePrueba v;
        v.imprimir({caja, texto, "t_Deposito", "  01  "});
        QCOMPARE(v.mensajes.textos(), QStringList{fecha ? "Fecha incorrecta" : "No tiene datos para imprimir"});
        QCOMPARE(v.mensajes.mostrados().first().icono, fecha ? QMessageBox::Critical : QMessageBox::Information);
        QCOMPARE(v.mensajes.mostrados().first().titulo, QStringLiteral("Quendra"));
        QCOMPARE(v.control("t_Deposito")->text(), QStringLiteral("01"));
        QVERIFY(!vistaPrevia());
        QVERIFY(!rptMovim().dataSource());
    }

    // Quotes in the boxes break no statement and reach the page header as typed.
    void vistaPreviaConLosFiltrosEnElEncabezado_data()
    {
        QTest::addColumn<QStringList>("cajas");
        QTest::addColumn<QStringList>("encabezado");
        QTest::addColumn<QStringList>("saldos");
        QTest::newRow("todas las cajas")
            << QStringList{"f_desde",        "01012026", "f_hasta",        "31122026", "t_DesdeNumero", "000001",
                           "T_HastaNumero",  "000009",   "T_DesdeFamilia", "0001",     "T_HastaFamilia", "0002",
                           "t_Deposito",     " 1 "}
            << QStringList{"Desde: 01-01-2026", "Hasta: 31-12-2026", "Des F: 0001", "Has F: 0002",
                           "Des N: 000001",     "Has N: 000009",     "Deposito: 1"}
            << QStringList{"", "0", "8"};
        QTest::newRow("comillas") << QStringList{"f_desde", "01012026", "T_HastaFamilia", "9'", "t_Deposito", "0'1"}
                                  << QStringList{"Desde: 01-01-2026", "Hasta: 15-06-2026", "Des F: 0", "Has F: 9'",
                                                 "Des N: 0",          "Has N: 99999999",   "Deposito: 0'1"}
                                  << QStringList{"", "0"};
    }
    void vistaPreviaConLosFiltrosEnElEncabezado()
    {
        QFETCH(QStringList, cajas);
        QFETCH(QStringList, encabezado);
        QFETCH(QStringList, saldos);
        VentanaDePrueba v;
        v.imprimir(cajas);
        QVERIFY2(v.mensajes.textos().isEmpty(), qPrintable(v.mensajes.textos().join('\n')));
        QStringList captions;
        for (const char *c : {"t_FechaDesde", "t_FechaHasta", "t_DesdeCodigo", "t_HastaCodigo", "t_DesdeNumero",
                              "t_HastaNumero", "Deposito"})
            captions << rptMovim().section("EncabezadoPagina").control(c).caption();
        QCOMPARE(captions, encabezado);
        QCOMPARE(rptMovim().layout().leftMargin(), 1000);
        QCOMPARE(rptMovim().layout().rightMargin(), 567);
        ReportPreview *p = vistaPrevia();
        QVERIFY(p);
        QCOMPARE(p->windowTitle(), QStringLiteral("Movimiento de stock"));
        QCOMPARE(p->pages()->rowCount(), saldos.size());
        QCOMPARE(columna(*rptMovim().dataSource(), "saldo"), saldos);
    }

    void desdeElMenuConSusTeclasDeAcceso_data()
    {
        QTest::addColumn<char>("tecla");
        QTest::addColumn<bool>("cerrada");
        QTest::newRow("Alt+S cierra la ventana, no el programa") << 's' << true;
        QTest::newRow("Alt+I imprime, no abre Informes") << 'i' << false;
    }
    void desdeElMenuConSusTeclasDeAcceso()
    {
        QFETCH(char, tecla);
        QFETCH(bool, cerrada);
        BaseDePrueba base(BaseDePrueba::Demo);
        RegistroMensajes mensajes;
        frmIniciar principal;
        principal.registrarFormulario(QStringLiteral("mnuInfMovim"), [] { return new InformeVentas; });
        principal.show();
        principal.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&principal));
        principal.mostrarFormulario(QStringLiteral("mnuInfMovim"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("f_desde"));
        QTest::keyClick(QApplication::focusWidget(), tecla, Qt::AltModifier);
        QVERIFY(principal.isVisible());
        QVERIFY(mPrincipal::conexion().isOpen());
        QCOMPARE(principal.menuBar()->activeAction(), nullptr);
        if (cerrada)
            QTRY_VERIFY(!principal.formularioAbierto(QStringLiteral("mnuInfMovim")));
        else
            QVERIFY(vistaPrevia());
        QCOMPARE(mensajes.textos(), QStringList());
    }

    // The demo database's year on paper: every page carries the page header with
    // the filters, the column titles and its number out of the count.
    void pdfConEncabezadoEnCadaPagina()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        BaseDePrueba base(BaseDePrueba::Demo);
        Report &informe = rptMovim();
        vincularInformeMovimientos(informe, armar(anio2026()), anio2026());
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
    }
};

QUENDRA_TEST(TestInformeVentas)
#include "tst_informe_ventas.moc"
