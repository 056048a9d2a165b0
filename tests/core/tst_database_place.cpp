#include "daily_backup.h"
#include "database_file.h"
#include "database_location.h"
#include "frm_iniciar.h"
#include "message_recorder.h"
#include "mprincipal.h"
#include "test_main.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestLugarDeLaBase : public QObject
{
    Q_OBJECT
private slots:
    void lugarElegido_data()
    {
        QTest::addColumn<bool>("enPrograma");
        QTest::addColumn<bool>("programaSoloLectura");
        QTest::addColumn<bool>("enDatos");
        QTest::addColumn<QString>("elegida");
        QTest::newRow("copia portátil, también en datos") << true << false << true << "programa";
        QTest::newRow("copia portátil") << true << false << false << "programa";
        QTest::newRow("portátil en carpeta de solo lectura") << true << true << false << "programa";
        QTest::newRow("instalada") << false << false << true << "datos";
        QTest::newRow("instalada, programa de solo lectura") << false << true << true << "datos";
        QTest::newRow("primer inicio") << false << false << false << "datos";
        QTest::newRow("primer inicio, programa de solo lectura") << false << true << false << "datos";
    }
    void lugarElegido()
    {
        QFETCH(bool, enPrograma);
        QFETCH(bool, programaSoloLectura);
        QFETCH(bool, enDatos);
        QFETCH(QString, elegida);
        QTemporaryDir raiz;
        QDir(raiz.path()).mkpath("programa");
        QDir(raiz.path()).mkpath("datos");
        const QString programa = raiz.filePath("programa"), datos = raiz.filePath("datos");
        if (enPrograma)
            archivoBase::crear(programa + "/quendra.accdb");
        if (enDatos)
            archivoBase::crear(datos + "/quendra.accdb");
        if (programaSoloLectura)
            QFile::setPermissions(programa, QFile::ReadOwner | QFile::ExeOwner);
        QCOMPARE(ubicacionBase::elegir(programa, datos), raiz.filePath(elegida + "/quendra.accdb"));
        QFile::setPermissions(programa, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Without a database anywhere: Yes creates an empty one where the program
    // looks, opens it and copies it; No leaves the program without data.
    void primerInicio_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("respuesta");
        QTest::newRow("sí") << QMessageBox::Yes;
        QTest::newRow("no") << QMessageBox::No;
    }
    void primerInicio()
    {
        QFETCH(QMessageBox::StandardButton, respuesta);
        static QTemporaryDir bloqueo; // outlives the program's lock, released at exit
        qputenv("TMPDIR", bloqueo.path().toUtf8());
        QTemporaryDir datos;
        const QString archivo = datos.filePath("Quendra/quendra.accdb");
        mPrincipal::fijarArchivoBaseDatos(archivo);
        RegistroMensajes mensajes;
        mensajes.responder(respuesta);
        {
            frmIniciar w;
            QSignalSpy copiada(w.copiaDiaria(), &CopiaDiaria::terminada);
            QVERIFY(w.cargar());
            QCOMPARE(mensajes.mostrados().first().icono, QMessageBox::Question);
            QVERIFY(mensajes.mostrados().first().texto.contains("¿Desea crear una base de datos vacía en «"
                                                               + QDir::toNativeSeparators(archivo) + "»?"));
            QCOMPARE(mPrincipal::conexion().isOpen(), respuesta == QMessageBox::Yes);
            if (respuesta == QMessageBox::Yes) {
                QCOMPARE(mensajes.mostrados().size(), 1);
                QCOMPARE(mPrincipal::abrirConsulta("SELECT count(*) FROM articulo")->field(0).text(), "0");
                QVERIFY(copiada.wait(10000));
                QCOMPARE(copiada.first().at(1).toString(), QString());
                QVERIFY(QFile::exists(copiada.first().at(0).toString()));
            } else {
                QCOMPARE(mensajes.mostrados().size(), 2);
                QVERIFY(mensajes.mostrados().last().texto.contains("in procedure openBaseDatos"));
                QVERIFY(!QFile::exists(archivo));
            }
        }
        mPrincipal::conexion().close();
        mPrincipal::fijarArchivoBaseDatos(QString());
        qunsetenv("TMPDIR");
    }
};

QUENDRA_TEST(TestLugarDeLaBase)
#include "tst_database_place.moc"
