#include "catalogue_fixture.h"
#include "frm_articulo.h"
#include "frm_familia.h"

#include <QMdiArea>
#include <QMdiSubWindow>

// The catalogue forms as the main window's menu opens them over the demo database.
class TestMenuCatalogo : public QObject
{
    Q_OBJECT
private slots:
    // The first field takes the typing, and the forms' access keys come before
    // the menu's ("&Salir", "&Informes").
    void primerCampoYTeclasDeAcceso_data()
    {
        pruebas::columnas<QString, QString, char, QString>("item", "primerCampo", "tecla", "efecto");
        QTest::newRow("Alt+S cierra artículos") << "mnuArticulo" << "t_numero" << 's' << "cerrado";
        QTest::newRow("Alt+S cierra familias") << "mnuSeccion" << "t_codigo" << 's' << "cerrado";
        QTest::newRow("Alt+I imprime la lista") << "mnuArticulo" << "t_numero" << 'i' << "lista";
        QTest::newRow("Alt+N limpia") << "mnuArticulo" << "t_numero" << 'n' << "vacío";
    }
    void primerCampoYTeclasDeAcceso()
    {
        const auto [item, tecla, efecto] = pruebas::fila<QString, char, QString>("item", "tecla", "efecto");
        pruebas::PrincipalDePrueba m;
        m.abrir(item, [item]() -> QWidget * {
            return item == "mnuArticulo" ? static_cast<QWidget *>(new frmArticulo) : new FrmFamilia;
        });
        auto *primero = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(primero);
        QTEST(primero->objectName(), "primerCampo");
        QTest::keyClicks(primero, QStringLiteral("12"));
        QCOMPARE(primero->text(), QStringLiteral("12"));
        QVERIFY(m.pulsarAlt(tecla));
        if (efecto == "cerrado")
            QTRY_VERIFY(!m.principal.formularioAbierto(item));
        else
            QVERIFY(m.principal.formularioAbierto(item)->isVisible());
        if (efecto == "lista") {
            QVERIFY(vistaPrevia());
            vistaPrevia()->close();
        }
        QCOMPARE(primero->text().isEmpty(), efecto == "vacío");
        QCOMPARE(m.mensajes.textos(), QStringList());
    }

    void familiasSeAbreArribaALaIzquierda()
    {
        pruebas::PrincipalDePrueba m;
        m.principal.registrarFormulario("mnuSeccion", [] { return new FrmFamilia; });
        pruebas::mostrarActiva(&m.principal);
        // Another child first, so the area would cascade the next one.
        auto *otra = m.principal.areaTrabajo()->addSubWindow(new QWidget);
        otra->resize(200, 150);
        otra->show();
        auto *ventana = qobject_cast<QMdiSubWindow *>(m.principal.mostrarFormulario("mnuSeccion")->parentWidget());
        QVERIFY(ventana);
        QCOMPARE(ventana->pos(), QPoint(0, 0));
    }
};

QUENDRA_TEST(TestMenuCatalogo)
#include "tst_menu_catalogo.moc"
