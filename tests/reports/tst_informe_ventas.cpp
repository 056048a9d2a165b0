#include "dates.h"
#include "frm_iniciar.h"
#include "informe_ventas.h"
#include "masked_date_box.h"
#include "message_recorder.h"
#include "report.h"
#include "report_fixture.h"
#include "report_preview.h"
#include "rpt_movim_layout.h"
#include "test_main.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace informe;

namespace {

// The filter window over a fresh database, shown, with its boxes answered.
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

    template <typename T = QLineEdit>
    T *control(const char *nombre) const
    {
        return ventana.findChild<T *>(QLatin1String(nombre));
    }

    void escribir(const char *nombre, const QString &texto)
    {
        QLineEdit *caja = control(nombre);
        caja->setFocus();
        caja->selectAll();
        QTest::keyClick(caja, Qt::Key_Delete);
        caja->home(false);
        QTest::keyClicks(caja, texto);
    }

    void imprimir() { QTest::mouseClick(control<QPushButton>("b_Imprimir"), Qt::LeftButton); }
};

ReportPreview *vistaPrevia()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<ReportPreview *>(w); p && p->isVisible())
            return p;
    return nullptr;
}

void cerrarVistaPrevia()
{
    if (ReportPreview *p = vistaPrevia())
        p->close();
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
        cerrarVistaPrevia();
        rptMovim().setDataSource(nullptr);
        fechas::fijarHoyParaPruebas(QDate());
    }

    void alAbrir()
    {
        VentanaDePrueba v;
        QCOMPARE(v.ventana.windowTitle(), QStringLiteral("Informe de Movimientos por Depósitos"));
        QCOMPARE(v.ventana.size(), QSize(288, 182));
        QCOMPARE(v.control<MaskedDateBox>("f_desde")->texto(), QStringLiteral("15-06-2026"));
        QCOMPARE(v.control<MaskedDateBox>("f_hasta")->texto(), QStringLiteral("15-06-2026"));
        QCOMPARE(v.ventana.filtro().desdeNumero, QStringLiteral("0"));
        QCOMPARE(v.ventana.filtro().hastaNumero, QStringLiteral("99999999"));
        QCOMPARE(v.ventana.filtro().desdeFamilia, QStringLiteral("0"));
        QCOMPARE(v.ventana.filtro().hastaFamilia, QStringLiteral("99999999"));
        QCOMPARE(v.ventana.filtro().deposito, QStringLiteral("01"));
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

    void sinArticulosAvisaYDejaElDepositoRecortado_data()
    {
        QTest::addColumn<QString>("caja");
        QTest::addColumn<QString>("texto");
        QTest::newRow("hasta artículo vacío") << "T_HastaNumero" << "";
        QTest::newRow("hasta familia vacía") << "T_HastaFamilia" << "";
        QTest::newRow("familias sin artículos") << "T_DesdeFamilia" << "5";
        QTest::newRow("desde mayor que hasta") << "t_DesdeNumero" << "999999999";
    }
    void sinArticulosAvisaYDejaElDepositoRecortado()
    {
        QFETCH(QString, caja);
        QFETCH(QString, texto);
        VentanaDePrueba v;
        v.escribir(qPrintable(caja), texto);
        v.escribir("t_Deposito", QStringLiteral("  01  "));
        v.imprimir();
        QCOMPARE(v.mensajes.textos(), QStringList{"No tiene datos para imprimir"});
        QCOMPARE(v.mensajes.mostrados().first().icono, QMessageBox::Information);
        QCOMPARE(v.mensajes.mostrados().first().titulo, QStringLiteral("Quendra"));
        QCOMPARE(v.control("t_Deposito")->text(), QStringLiteral("01"));
        QVERIFY(!vistaPrevia());
    }

    void rangoSinCerosSeComparaComoTexto()
    {
        VentanaDePrueba v;
        for (const char *n : {"000015", "100001", "150000", "199999", "200000", "2"})
            articulo(v.base, n, "Clavo");
        v.escribir("t_DesdeNumero", QStringLiteral("10"));
        v.escribir("T_HastaNumero", QStringLiteral("20"));
        v.imprimir();
        QVERIFY2(v.mensajes.textos().isEmpty(), qPrintable(v.mensajes.textos().join('\n')));
        const auto &filas = *rptMovim().dataSource();
        QStringList aperturas;
        for (qsizetype r = 0; r < filas.rowCount(); ++r)
            if (filas.text(r, filas.columnIndex("comprobante")) == QLatin1String("000000"))
                aperturas << filas.text(r, filas.columnIndex("numero"));
        // "2" sorts between "10" and "20" as text too.
        QCOMPARE(aperturas, (QStringList{"100001", "150000", "199999", "2"}));
    }

    void encabezadoConLosFiltrosYVistaPrevia()
    {
        VentanaDePrueba v;
        v.escribir("f_desde", QStringLiteral("01012026"));
        v.escribir("f_hasta", QStringLiteral("31122026"));
        v.escribir("t_DesdeNumero", QStringLiteral("000001"));
        v.escribir("T_HastaNumero", QStringLiteral("000009"));
        v.escribir("T_DesdeFamilia", QStringLiteral("0001"));
        v.escribir("T_HastaFamilia", QStringLiteral("0002"));
        v.escribir("t_Deposito", QStringLiteral(" 1 "));
        v.imprimir();
        QVERIFY2(v.mensajes.textos().isEmpty(), qPrintable(v.mensajes.textos().join('\n')));

        ReportSection &encabezado = rptMovim().section("EncabezadoPagina");
        const QList<QPair<const char *, const char *>> captions{
            {"t_FechaDesde", "Desde: 01-01-2026"}, {"t_FechaHasta", "Hasta: 31-12-2026"},
            {"t_DesdeCodigo", "Des F: 0001"},      {"t_HastaCodigo", "Has F: 0002"},
            {"t_DesdeNumero", "Des N: 000001"},    {"t_HastaNumero", "Has N: 000009"},
            {"Deposito", "Deposito: 1"}};
        for (const auto &[control, caption] : captions)
            QCOMPARE(encabezado.control(control).caption(), QString::fromLatin1(caption));
        QCOMPARE(rptMovim().layout().leftMargin(), 1000);
        QCOMPARE(rptMovim().layout().rightMargin(), 567);

        ReportPreview *p = vistaPrevia();
        QVERIFY(p);
        QCOMPARE(p->windowTitle(), QStringLiteral("Movimiento de stock"));
        QCOMPARE(p->pages()->rowCount(), 3);
        const QStringList saldo = columna(*rptMovim().dataSource(), "saldo");
        QCOMPARE(saldo, (QStringList{"", "0", "8"}));
    }

    void fechaIncompletaNoLlegaALaBase_data()
    {
        QTest::addColumn<QString>("caja");
        QTest::addColumn<QString>("digitos");
        QTest::newRow("desde en blanco") << "f_desde" << "";
        QTest::newRow("hasta sin año") << "f_hasta" << "3112";
        QTest::newRow("desde imposible") << "f_desde" << "31022026";
    }
    void fechaIncompletaNoLlegaALaBase()
    {
        QFETCH(QString, caja);
        QFETCH(QString, digitos);
        VentanaDePrueba v;
        v.escribir(qPrintable(caja), digitos);
        v.imprimir();
        QCOMPARE(v.mensajes.textos(), QStringList{"Fecha incorrecta"});
        QCOMPARE(v.mensajes.mostrados().first().icono, QMessageBox::Critical);
        QVERIFY(!vistaPrevia());
        QVERIFY(!rptMovim().dataSource());
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

    void comillasEnLasCajasNoRompenLasSentencias()
    {
        VentanaDePrueba v;
        v.escribir("f_desde", QStringLiteral("01012026"));
        v.escribir("T_HastaFamilia", QStringLiteral("9'"));
        v.escribir("t_Deposito", QStringLiteral("0'1"));
        v.imprimir();
        QVERIFY2(v.mensajes.textos().isEmpty(), qPrintable(v.mensajes.textos().join('\n')));
        QVERIFY(vistaPrevia());
        QCOMPARE(columna(*rptMovim().dataSource(), "saldo"), (QStringList{"", "0"}));
    }
};

QUENDRA_TEST(TestInformeVentas)
#include "tst_informe_ventas.moc"
