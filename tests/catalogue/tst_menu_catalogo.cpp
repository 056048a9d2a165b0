#include "catalogue_fixture.h"
#include "frm_articulo.h"
#include "frm_familia.h"
#include "frm_iniciar.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

// The catalogue forms as the main window's menu opens them over the demo database.
class TestMenuCatalogo : public QObject
{
    Q_OBJECT

    // The main window with both catalogue forms on its menu.
    static void abrir(frmIniciar &principal)
    {
        principal.registrarFormulario(QStringLiteral("mnuArticulo"), [] { return new frmArticulo; });
        principal.registrarFormulario(QStringLiteral("mnuSeccion"), [] { return new FrmFamilia; });
        principal.show();
        principal.activateWindow();
        [[maybe_unused]] bool activa = QTest::qWaitForWindowActive(&principal);
    }

private slots:
    // The first field takes the typing, and the forms' access keys come before
    // the menu's ("&Salir", "&Informes").
    void primerCampoYTeclasDeAcceso_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("primerCampo");
        QTest::addColumn<char>("tecla");
        QTest::addColumn<QString>("efecto");
        QTest::newRow("Alt+S cierra artículos") << "mnuArticulo" << "t_numero" << 's' << "cerrado";
        QTest::newRow("Alt+S cierra familias") << "mnuSeccion" << "t_codigo" << 's' << "cerrado";
        QTest::newRow("Alt+I imprime la lista") << "mnuArticulo" << "t_numero" << 'i' << "lista";
        QTest::newRow("Alt+N limpia") << "mnuArticulo" << "t_numero" << 'n' << "vacío";
    }
    void primerCampoYTeclasDeAcceso()
    {
        QFETCH(QString, item);
        QFETCH(QString, primerCampo);
        QFETCH(char, tecla);
        QFETCH(QString, efecto);
        BaseDePrueba base(BaseDePrueba::Demo);
        RegistroMensajes mensajes;
        frmIniciar principal;
        abrir(principal);
        principal.mostrarFormulario(item);
        auto *primero = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(primero);
        QCOMPARE(primero->objectName(), primerCampo);
        QTest::keyClicks(primero, QStringLiteral("12"));
        QCOMPARE(primero->text(), QStringLiteral("12"));
        QTest::keyClick(primero, tecla, Qt::AltModifier);

        QVERIFY(principal.isVisible());
        QVERIFY(mPrincipal::conexion().isOpen());
        QCOMPARE(principal.menuBar()->activeAction(), nullptr);
        if (efecto == "cerrado")
            QTRY_VERIFY(!principal.formularioAbierto(item));
        else
            QVERIFY(principal.formularioAbierto(item)->isVisible());
        if (efecto == "lista") {
            QVERIFY(vistaPrevia());
            vistaPrevia()->close();
        } else if (efecto == "vacío") {
            QCOMPARE(primero->text(), QString());
        }
        QCOMPARE(mensajes.textos(), QStringList());
    }

    void familiasSeAbreArribaALaIzquierda()
    {
        BaseDePrueba base(BaseDePrueba::Demo);
        frmIniciar principal;
        abrir(principal);
        // Another child first, so the area would cascade the next one.
        auto *otra = principal.areaTrabajo()->addSubWindow(new QWidget);
        otra->resize(200, 150);
        otra->show();
        auto *ventana = qobject_cast<QMdiSubWindow *>(principal.mostrarFormulario("mnuSeccion")->parentWidget());
        QVERIFY(ventana);
        QCOMPARE(ventana->pos(), QPoint(0, 0));
    }
};

QUENDRA_TEST(TestMenuCatalogo)
#include "tst_menu_catalogo.moc"
