#include "movim_fixture.h"
#include "frm_iniciar.h"

#include <QMenuBar>

// Inside the voucher form, Alt+S is the form's "&Salir": it closes the form and
// never reaches the main menu's "&Salir", which would end the program.
class TestMovimEnMenu : public QObject
{
    Q_OBJECT
private slots:
    void altSCierraSoloElFormulario()
    {
        BaseDePrueba base(BaseDePrueba::Demo);
        RegistroMensajes mensajes;
        frmIniciar principal;
        principal.registrarFormulario(QStringLiteral("mnuMovim"), [] { return new FrmMovim; });
        principal.show();
        principal.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&principal));
        QWidget *form = principal.mostrarFormulario(QStringLiteral("mnuMovim"));
        auto *numero = form->findChild<QLineEdit *>(QStringLiteral("t_numero"));
        numero->setFocus();
        QTest::keyClick(numero, 's', Qt::AltModifier);

        QTRY_VERIFY(!principal.formularioAbierto(QStringLiteral("mnuMovim")));
        QVERIFY(principal.isVisible());
        QVERIFY(mPrincipal::conexion().isOpen());
        QCOMPARE(principal.menuBar()->activeAction(), nullptr);
        QCOMPARE(mensajes.textos(), QStringList());
    }
};

QUENDRA_TEST(TestMovimEnMenu)
#include "tst_movim_menu.moc"
