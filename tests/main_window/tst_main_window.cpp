#include "daily_backup.h"
#include "database_file.h"
#include "database_in_view.h"
#include "database_location.h"
#include "form_driver.h"
#include "frm_iniciar.h"
#include "message_recorder.h"
#include "mprincipal.h"
#include "test_database.h"
#include "test_main.h"
#include "test_settings.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>

namespace {
// Starts the main window as the program does, its single-copy lock in a folder of the test's own.
bool cargarConBloqueoPropio(frmIniciar &w)
{
    static QTemporaryDir bloqueo; // outlives the program's lock, released at exit
    qputenv("TMPDIR", bloqueo.path().toUtf8());
    const bool cargada = w.cargar();
    qunsetenv("TMPDIR");
    return cargada;
}
} // namespace

class TestVentanaPrincipal : public QObject
{
    Q_OBJECT
private slots:
    void lugarElegido_data()
    {
        pruebas::columnas<bool, bool, bool, QString>("enPrograma", "programaSoloLectura", "enDatos", "elegida");
        QTest::newRow("copia portátil, también en datos") << true << false << true << "programa";
        QTest::newRow("portátil en carpeta de solo lectura") << true << true << false << "programa";
        QTest::newRow("instalada") << false << false << true << "datos";
    }
    void lugarElegido()
    {
        const auto [enPrograma, soloLectura, enDatos, elegida] =
            pruebas::fila<bool, bool, bool, QString>("enPrograma", "programaSoloLectura", "enDatos", "elegida");
        QTemporaryDir raiz;
        const QString programa = raiz.filePath("programa"), datos = raiz.filePath("datos");
        for (const auto &[carpeta, conBase] : {std::pair(programa, enPrograma), std::pair(datos, enDatos)}) {
            QDir().mkpath(carpeta);
            if (conBase)
                archivoBase::crear(carpeta + "/quendra.accdb");
        }
        if (soloLectura)
            QFile::setPermissions(programa, QFile::ReadOwner | QFile::ExeOwner);
        QCOMPARE(ubicacionBase::elegir(programa, datos), raiz.filePath(elegida + "/quendra.accdb"));
        QFile::setPermissions(programa, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Without a database anywhere: No leaves the program without data; Yes creates an empty one where
    // the program looks, opens it and copies it, and the menu's forms then open once each.
    void primerInicio_data()
    {
        pruebas::columnas<QMessageBox::StandardButton>("respuesta");
        QTest::newRow("no") << QMessageBox::No;
        QTest::newRow("sí") << QMessageBox::Yes;
    }
    void primerInicio()
    {
        QFETCH(QMessageBox::StandardButton, respuesta);
        QTemporaryDir datos;
        const QString archivo = datos.filePath("Quendra/quendra.accdb");
        mPrincipal::fijarArchivoBaseDatos(archivo);
        RegistroMensajes mensajes;
        mensajes.responder(respuesta);
        frmIniciar w;
        QSignalSpy copiada(w.copiaDiaria(), &CopiaDiaria::terminada);
        QVERIFY(cargarConBloqueoPropio(w));
        mPrincipal::fijarArchivoBaseDatos(QString());
        QCOMPARE(mensajes.mostrados().first().icono, QMessageBox::Question);
        QVERIFY(mensajes.mostrados().first().texto.contains("¿Desea crear una base de datos vacía en «"
                                                            + QDir::toNativeSeparators(archivo) + "»?"));
        if (respuesta == QMessageBox::No) {
            QCOMPARE(mensajes.mostrados().size(), 2);
            QVERIFY(mensajes.mostrados().last().texto.contains("in procedure openBaseDatos"));
            QVERIFY(!QFile::exists(archivo) && !mPrincipal::conexion().isOpen());
            return;
        }
        QCOMPARE(mensajes.mostrados().size(), 1);
        QCOMPARE(mPrincipal::abrirConsulta("SELECT count(*) FROM articulo")->field(0).text(), "0");
        QCOMPARE(mPrincipal::depositoDefecto, QStringLiteral("01")); // the storage place new vouchers start with
        QVERIFY(copiada.wait(10000));
        QCOMPARE(copiada.first().at(1).toString(), QString());
        QVERIFY(QFile::exists(copiada.first().at(0).toString()));

        int creados = 0;
        for (const char *item : {"mnuArticulo", "mnuSeccion"})
            w.registrarFormulario(item, [&] {
                ++creados;
                return new QWidget;
            });
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
        QVERIFY(!mPrincipal::conexion().isOpen() && !w.isVisible());
    }

    // The storage place this computer works in, as the settings file names it at start-up.
    void depositoDelPuestoAlIniciar_data()
    {
        pruebas::columnas<QString, QString>("ajustes", "deposito");
        QTest::newRow("sin archivo") << QString() << QString("01");
        QTest::newRow("elegido, entre blancos") << QString("[puesto]\ndeposito=\" A-3 \"\n") << QString("A-3");
        QTest::newRow("vacío, con el servidor") << QString("[base]\nservidor=\n[puesto]\ndeposito=\n") << QString("01");
    }
    void depositoDelPuestoAlIniciar()
    {
        QFETCH(QString, ajustes);
        AjustesDePrueba archivo;
        if (!ajustes.isNull())
            archivo.escribir(ajustes);
        BaseDePrueba base;
        RegistroMensajes mensajes;
        mPrincipal::depositoDefecto.clear();
        frmIniciar w;
        QVERIFY(cargarConBloqueoPropio(w));
        QTEST(mPrincipal::depositoDefecto, "deposito");
        QCOMPARE(mensajes.textos(), QStringList());
        QCOMPARE(archivo.texto(), ajustes.isNull() ? QString() : ajustes);
    }

    // Two copies at once over no database: one is refused, the other says so and runs on; killed, it
    // does not block the next start.
    void unaSolaCopiaQueSigueSinBase()
    {
        QTemporaryDir dir;
        const QString programa = dir.filePath("quendra");
        QFile::copy(QStringLiteral(QUENDRA_BIN_DIR "/quendra"), programa);
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert("QT_QPA_PLATFORM", "offscreen");
        entorno.insert("QUENDRA_MENSAJES_AUTOMATICOS", "1");
        entorno.insert("TMPDIR", dir.path());
        // No data folder can be made under this home: a copy without its database stays without one.
        entorno.insert("HOME", "/dev/null");
        entorno.remove("XDG_DATA_HOME");
        const auto iniciar = [&] {
            auto p = std::make_unique<QProcess>();
            p->setProcessEnvironment(entorno);
            p->start(programa, {});
            return p;
        };
        auto a = iniciar(), b = iniciar();
        QVERIFY(a->waitForStarted() && b->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(a->state() == QProcess::NotRunning || b->state() == QProcess::NotRunning, 15000);
        QProcess *rechazada = a->state() == QProcess::NotRunning ? a.get() : b.get();
        QProcess *viva = rechazada == a.get() ? b.get() : a.get();
        QCOMPARE(rechazada->exitCode(), 0);
        QCOMPARE(QString::fromUtf8(rechazada->readAllStandardError()).count("El programa ya está siendo ejecutado"), 1);
        QString salida;
        QTRY_VERIFY_WITH_TIMEOUT((salida += QString::fromUtf8(viva->readAllStandardError())).contains("openBaseDatos"),
                                 15000);
        QVERIFY(!viva->waitForFinished(1500));
        ::kill(pid_t(viva->processId()), SIGKILL);
        viva->waitForFinished();
        auto c = iniciar();
        QVERIFY(c->waitForStarted() && !c->waitForFinished(3000));
        QVERIFY(!c->readAllStandardError().contains("ya está siendo ejecutado"));
        c->kill();
        c->waitForFinished();
    }

    // The title names the database only when it is not the usual file of the data folder.
    void tituloConLaBase_data()
    {
        pruebas::columnas<QString, bool, QString>("lugar", "abierta", "titulo");
        const QString usual = "/home/ana/.local/share/Quendra/quendra.accdb";
        QTest::newRow("la habitual") << usual << true << "Control de depósito ";
        QTest::newRow("copia portátil") << "/opt/q/quendra.accdb" << true
                                        << "Control de depósito — /opt/q/quendra.accdb";
        QTest::newRow("servidor") << "postgresql://ana@srv:5432/negocio" << true
                                  << "Control de depósito — postgresql://ana@srv:5432/negocio";
        QTest::newRow("ninguna abierta") << "/opt/q/quendra.accdb" << false << "Control de depósito ";
    }
    void tituloConLaBase()
    {
        const auto [lugar, abierta] = pruebas::fila<QString, bool>("lugar", "abierta");
        QTEST(baseEnVista::titulo(lugar, abierta, "/home/ana/.local/share/Quendra/quendra.accdb"), "titulo");
    }

    // The status bar names the database the window opened, and the window opens where it was left at the
    // last close, the place kept in the settings file.
    void baseEnVistaYLugarEntreDosInicios()
    {
        AjustesDePrueba ajustes;
        BaseDePrueba base;
        RegistroMensajes mensajes;
        const QRect lugar(40, 30, 600, 400);
        {
            frmIniciar primera;
            QVERIFY(cargarConBloqueoPropio(primera));
            const QString clase = BaseDePrueba::enServidor() ? "servidor " : "archivo ";
            QCOMPARE(pruebas::control<QLabel>(&primera, "lblBaseEnUso")->text(),
                     "Base de datos: " + clase + base.archivo());
            QCOMPARE(primera.windowTitle(), "Control de depósito — " + base.archivo());
            primera.setGeometry(lugar);
            QVERIFY(primera.close());
        }
        QVERIFY(ajustes.texto().contains("[recordado]"));
        frmIniciar segunda;
        QVERIFY(cargarConBloqueoPropio(segunda));
        QCOMPARE(segunda.geometry(), lugar);
        QCOMPARE(mensajes.textos(), QStringList());
    }
};

QUENDRA_TEST(TestVentanaPrincipal)
#include "tst_main_window.moc"
