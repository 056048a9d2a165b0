#include "frm_articulo.h"
#include "frm_familia.h"
#include "frm_iniciar.h"
#include "message_recorder.h"
#include "test_database.h"
#include "mprincipal.h"
#include "test_main.h"

#include "report_preview.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

// The catalogue forms as the main window's menu opens them.
class TestMenuCatalogo : public QObject
{
    Q_OBJECT

    static ReportPreview *vistaPrevia()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *v = qobject_cast<ReportPreview *>(w); v && v->isVisible())
                return v;
        return nullptr;
    }

private slots:
    void primerCampoRecibeLoEscrito_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("campo");
        QTest::newRow("artículos") << "mnuArticulo" << "t_numero";
        QTest::newRow("familias") << "mnuSeccion" << "t_codigo";
    }
    void primerCampoRecibeLoEscrito()
    {
        QFETCH(QString, item);
        QFETCH(QString, campo);
        BaseDePrueba base(BaseDePrueba::Demo);
        RegistroMensajes mensajes;
        frmIniciar principal;
        principal.registrarFormulario(QStringLiteral("mnuArticulo"), [] { return new frmArticulo; });
        principal.registrarFormulario(QStringLiteral("mnuSeccion"), [] { return new FrmFamilia; });
        principal.show();
        principal.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&principal));
        QWidget *form = principal.mostrarFormulario(item);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12"));
        QCOMPARE(form->findChild<QLineEdit *>(campo)->text(), QStringLiteral("12"));
        QCOMPARE(mensajes.textos(), QStringList());
    }

    // The forms' access keys come before the main window's menu ("&Salir", "&Informes").
    void teclasDeAccesoDelFormulario_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<char>("tecla");
        QTest::addColumn<QString>("efecto");
        QTest::newRow("Alt+S cierra artículos") << "mnuArticulo" << 's' << "cerrado";
        QTest::newRow("Alt+S cierra familias") << "mnuSeccion" << 's' << "cerrado";
        QTest::newRow("Alt+I imprime la lista") << "mnuArticulo" << 'i' << "lista";
        QTest::newRow("Alt+N limpia") << "mnuArticulo" << 'n' << "vacío";
    }
    void teclasDeAccesoDelFormulario()
    {
        QFETCH(QString, item);
        QFETCH(char, tecla);
        QFETCH(QString, efecto);
        BaseDePrueba base(BaseDePrueba::Demo);
        RegistroMensajes mensajes;
        frmIniciar principal;
        principal.registrarFormulario(QStringLiteral("mnuArticulo"), [] { return new frmArticulo; });
        principal.registrarFormulario(QStringLiteral("mnuSeccion"), [] { return new FrmFamilia; });
        principal.show();
        principal.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&principal));
        principal.mostrarFormulario(item);
        QLineEdit *primero = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(primero);
        QTest::keyClicks(primero, QStringLiteral("12"));
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
};

QUENDRA_TEST(TestMenuCatalogo)
#include "tst_menu_catalogo.moc"
