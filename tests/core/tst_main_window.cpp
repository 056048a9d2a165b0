#include "frm_iniciar.h"
#include "mprincipal.h"
#include "test_database.h"
#include "test_main.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

// A copy of the program in a folder of its own, so that its database and its
// lock are the test's and nobody else's.
struct ProgramaAparte
{
    QTemporaryDir dir_;
    const QString programa_ = dir_.filePath("quendra");
    QProcessEnvironment entorno_ = QProcessEnvironment::systemEnvironment();

    ProgramaAparte()
    {
        QFile::copy(QStringLiteral(QUENDRA_BIN_DIR "/quendra"), programa_);
        entorno_.insert("QT_QPA_PLATFORM", "offscreen");
        entorno_.insert("QUENDRA_MENSAJES_AUTOMATICOS", "1");
        entorno_.insert("TMPDIR", dir_.path());
        // No data folder can be made under this home: a copy without its database stays without one.
        entorno_.insert("HOME", "/dev/null");
        entorno_.remove("XDG_DATA_HOME");
    }
    std::unique_ptr<QProcess> iniciar() const
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(entorno_);
        p->start(programa_, {});
        return p;
    }
};

} // namespace

class TestVentanaPrincipal : public QObject
{
    Q_OBJECT
private slots:
    // Two copies started at once over no database: one is refused, the other says the database is
    // missing and keeps running; killed outright, it does not block the next start.
    void unaSolaCopiaQueSigueSinBase()
    {
        ProgramaAparte app;
        auto a = app.iniciar(), b = app.iniciar();
        QVERIFY(a->waitForStarted() && b->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(a->state() == QProcess::NotRunning || b->state() == QProcess::NotRunning, 15000);
        QProcess *rechazada = a->state() == QProcess::NotRunning ? a.get() : b.get();
        QProcess *viva = rechazada == a.get() ? b.get() : a.get();
        QCOMPARE(rechazada->exitCode(), 0);
        QCOMPARE(QString::fromUtf8(rechazada->readAllStandardError()).count("El programa ya está siendo ejecutado"), 1);
        QString salida;
        QTRY_VERIFY_WITH_TIMEOUT((salida += QString::fromUtf8(viva->readAllStandardError())).contains("openBaseDatos"), 15000);
        QVERIFY(salida.contains(
            QRegularExpression("Quendra: Error \\d+ \\(.*\\) in procedure openBaseDatos of Módulo mPrincipal")));
        QVERIFY(!viva->waitForFinished(1500));
        ::kill(pid_t(viva->processId()), SIGKILL);
        viva->waitForFinished();
        auto c = app.iniciar();
        QVERIFY(c->waitForStarted());
        QVERIFY(!c->waitForFinished(3000));
        QVERIFY(!c->readAllStandardError().contains("ya está siendo ejecutado"));
        c->kill();
        c->waitForFinished();
    }

    void menuYFormulariosDeUnaInstancia()
    {
        static QTemporaryDir lock; // outlives the program's lock, released at exit
        qputenv("TMPDIR", lock.path().toUtf8());
        BaseDePrueba base;
        mPrincipal::conexion().close();
        frmIniciar w;
        QVERIFY(w.cargar());
        QCOMPARE(mPrincipal::depositoDefecto, QStringLiteral("01")); // the storage place new vouchers start with
        QVERIFY(mPrincipal::conexion().isOpen());

        int creados = 0;
        w.registrarFormulario("mnuArticulo", [&] { ++creados; return new QWidget; });
        w.registrarFormulario("mnuSeccion", [&] { ++creados; return new QWidget; });
        QAction *articulo = w.findChild<QAction *>("mnuArticulo");
        articulo->trigger();
        w.findChild<QAction *>("mnuSeccion")->trigger();
        articulo->trigger();
        QCOMPARE(creados, 2);
        QCOMPARE(w.areaTrabajo()->subWindowList().size(), 2);
        QCOMPARE(w.areaTrabajo()->activeSubWindow()->widget(), w.formularioAbierto("mnuArticulo"));

        // Closed, it is made afresh the next time.
        w.areaTrabajo()->activeSubWindow()->close();
        QTRY_VERIFY(!w.formularioAbierto("mnuArticulo"));
        articulo->trigger();
        QCOMPARE(creados, 3);

        w.findChild<QAction *>("mnusalir")->trigger();
        QCOMPARE(w.areaTrabajo()->subWindowList().size(), 0);
        QVERIFY(!mPrincipal::conexion().isOpen());
        QVERIFY(!w.isVisible());
        qunsetenv("TMPDIR");
    }
};

QUENDRA_TEST(TestVentanaPrincipal)
#include "tst_main_window.moc"
