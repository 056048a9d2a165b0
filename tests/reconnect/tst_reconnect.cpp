// A program on a server that loses it: the server ends the session, restarts,
// or stops for a while. These tests run a cluster of their own, which they
// restart and stop, so that no other entry's server is touched.
#include "connection.h"
#include "data_sets.h"
#include "database_check.h"
#include "database_file.h"
#include "quendra_error.h"
#include "server_database.h"
#include "stock_operations.h"
#include "test_main.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

namespace {

enum class Corte { SesionTerminada, Reinicio, DetenidoYArrancado };

QString valor(Connection &c, const QString &sql)
{
    auto rs = c.execute(sql);
    return rs->eof() ? QString() : rs->field(0).text();
}

operacionesStock::Linea entrada(const QString &comprobante, const QString &numero)
{
    operacionesStock::Linea l;
    l.comprobante = comprobante;
    l.fecha = QDate(2026, 12, 7);
    l.deposito = QStringLiteral("01");
    l.numero = numero;
    l.codigo = QStringLiteral("0001");
    l.cantidad = 3;
    l.costo = 1.5;
    return l;
}

QString perdida(const QString &servidor)
{
    return QStringLiteral("Se perdió la conexión con el servidor «%1»; se volvió a conectar. La última operación no "
                          "se guardó: repítala.")
        .arg(servidor);
}

} // namespace

class TestReconexion : public QObject
{
    Q_OBJECT

    QTemporaryDir trabajo_;
    QString carpeta_, admin_, direccion_, servidor_;
    Connection c_;
    QString articuloA_, articuloB_;

    // The cluster script with an action on this test's cluster; its output.
    QString cluster(const QStringList &argumentos)
    {
        QProcess p;
        p.start(QStringLiteral(QUENDRA_CLUSTER), argumentos);
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            qFatal("postgresql_cluster.sh %s: %s", qPrintable(argumentos.join(' ')),
                   p.readAllStandardError().constData());
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }
    void accion(const char *que) { cluster({QLatin1String(que), carpeta_}); }

    // Ends the program's session from another, the way an administrator does.
    void terminar(const QString &pid)
    {
        Connection otra;
        otra.open(direccion_);
        QCOMPARE(valor(otra, QStringLiteral("SELECT pg_terminate_backend(%1)").arg(pid)), QStringLiteral("1"));
    }

    // The program's session, from another.
    QString pidDe(Connection &c) { return valor(c, QStringLiteral("SELECT pg_backend_pid()")); }

    void cortar(Corte corte, const QString &pid, QThread *&arranque)
    {
        switch (corte) {
        case Corte::SesionTerminada:
            terminar(pid);
            break;
        case Corte::Reinicio:
            accion("restart");
            break;
        case Corte::DetenidoYArrancado:
            accion("halt");
            // Back while the program is still trying.
            arranque = QThread::create([this] {
                QThread::msleep(1500);
                accion("resume");
            });
            arranque->start();
            break;
        }
    }

    long long movimientos(const QString &comprobante)
    {
        Connection otra;
        otra.open(direccion_);
        return valor(otra, QStringLiteral("SELECT count(*) FROM movstk WHERE comprobante='%1'").arg(comprobante))
            .toLongLong();
    }

private slots:
    void initTestCase()
    {
        // Named after the build folder: a start stops whatever an interrupted run there left behind.
        const QByteArray clave =
            QCryptographicHash::hash(QCoreApplication::applicationDirPath().toUtf8(), QCryptographicHash::Sha1);
        carpeta_ = QStringLiteral("/tmp/quendra-pg-reconexion-") + QString::fromLatin1(clave.toHex().left(12));
        admin_ = cluster({QStringLiteral("start"), carpeta_, QStringLiteral("5433")});
        baseServidor::ejecutar(admin_, QStringLiteral("CREATE DATABASE quendra"));
        direccion_ = admin_.left(admin_.lastIndexOf(QLatin1Char('/')) + 1) + QStringLiteral("quendra");
        const QString archivo = trabajo_.filePath(QStringLiteral("demo.accdb"));
        archivoBase::crear(archivo);
        datos::llenarDemo(archivo);
        baseServidor::crear(direccion_);
        baseServidor::copiar(archivo, direccion_);
        servidor_ = carpeta_ + QStringLiteral(":5433/quendra");
        c_.open(direccion_);
        const QStringList dos{valor(c_, QStringLiteral("SELECT min(numero) FROM articulo")),
                              valor(c_, QStringLiteral("SELECT max(numero) FROM articulo"))};
        articuloA_ = dos[0];
        articuloB_ = dos[1];
    }

    void cleanupTestCase()
    {
        c_.close();
        cluster({QStringLiteral("stop"), carpeta_});
    }

    // Between two actions: a read runs again unseen, the next posting goes through, the books stay whole.
    void corteEntreAcciones_data()
    {
        pruebas::columnas<Corte, QString>("corte", "comprobante");
        QTest::newRow("sesión terminada") << Corte::SesionTerminada << QStringLiteral("00009001");
        QTest::newRow("servidor reiniciado") << Corte::Reinicio << QStringLiteral("00009002");
        QTest::newRow("servidor detenido y arrancado") << Corte::DetenidoYArrancado << QStringLiteral("00009003");
    }

    void corteEntreAcciones()
    {
        QFETCH(Corte, corte);
        QFETCH(QString, comprobante);
        const QString antes = valor(c_, QStringLiteral("SELECT count(*) FROM movstk"));
        QThread *arranque = nullptr;
        cortar(corte, pidDe(c_), arranque);
        QCOMPARE(valor(c_, QStringLiteral("SELECT count(*) FROM movstk")), antes);
        if (arranque) {
            arranque->wait();
            delete arranque;
        }
        const auto r = operacionesStock::registrarLinea(c_, entrada(comprobante, articuloA_));
        QCOMPARE(r.rechazo, operacionesStock::Rechazo::Ninguno);
        QCOMPARE(movimientos(comprobante), 1);
        QCOMPARE(datos::comprobar(direccion_), QStringList());
    }

    // In the middle of a posting of two lines, the first written and the second waiting for its article:
    // nothing of it stays, the operator is told so, and the same posting then goes through.
    void corteDuranteUnRegistro_data()
    {
        pruebas::columnas<Corte, QString>("corte", "comprobante");
        QTest::newRow("sesión terminada") << Corte::SesionTerminada << QStringLiteral("00009101");
        QTest::newRow("servidor reiniciado") << Corte::Reinicio << QStringLiteral("00009102");
    }

    void corteDuranteUnRegistro()
    {
        QFETCH(Corte, corte);
        QFETCH(QString, comprobante);
        const QString stockA =
            valor(c_, QStringLiteral("SELECT stock FROM articulo WHERE numero='%1'").arg(articuloA_));
        const QList<operacionesStock::Linea> lineas{entrada(comprobante, articuloA_), entrada(comprobante, articuloB_)};
        const QString pid = pidDe(c_);

        auto retencion = std::make_unique<Connection>();
        retencion->open(direccion_);
        retencion->begin();
        retencion->execute(QStringLiteral("SELECT numero FROM articulo WHERE numero='%1' FOR UPDATE").arg(articuloB_));

        int numero = 0;
        QString texto;
        std::unique_ptr<QThread> registro(QThread::create([&] {
            try {
                operacionesStock::registrarLineas(c_, lineas);
            } catch (const QuendraError &e) {
                numero = e.numero();
                texto = e.descripcion();
            }
        }));
        registro->start();
        // Waits until the posting waits for the article held.
        QTRY_COMPARE_WITH_TIMEOUT(
            valor(*retencion, QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE pid=%1 AND "
                                             "wait_event_type='Lock'")
                                  .arg(pid)),
            QStringLiteral("1"), 20000);
        QCOMPARE(movimientos(comprobante), 0); // the first line is not visible outside its transaction
        QThread *arranque = nullptr;
        cortar(corte, pid, arranque);
        QVERIFY(registro->wait(30000));
        retencion.reset(); // its session may be gone too: its rollback does nothing then

        QCOMPARE(numero, int(QuendraError::ConexionRecuperada));
        QCOMPARE(texto, perdida(servidor_));
        QCOMPARE(movimientos(comprobante), 0);
        QCOMPARE(valor(c_, QStringLiteral("SELECT stock FROM articulo WHERE numero='%1'").arg(articuloA_)), stockA);
        QCOMPARE(operacionesStock::registrarLineas(c_, lineas).resultado.rechazo, operacionesStock::Rechazo::Ninguno);
        QCOMPARE(movimientos(comprobante), 2);
        QCOMPARE(datos::comprobar(direccion_), QStringList());
    }

    // With the server stopped every action says so in Spanish, the first after trying for a while and the
    // next at once; nothing is left open; once the server is back the same connection works again.
    void servidorDetenido()
    {
        const QString caido = QStringLiteral("Se perdió la conexión con el servidor «%1» y no se pudo volver a "
                                             "conectar. Compruebe que el servidor esté en marcha y repita la "
                                             "operación.")
                                  .arg(servidor_);
        accion("halt");
        const std::function<void()> acciones[] = {
            [&] { c_.execute(QStringLiteral("SELECT count(*) FROM articulo")); },
            [&] { operacionesStock::registrarLinea(c_, entrada(QStringLiteral("00009201"), articuloA_)); },
            [&] { c_.execute(QStringLiteral("UPDATE articulo SET detalle='x' WHERE numero='000000'")); },
            [&] { c_.begin(); },
        };
        for (const auto &a : acciones) {
            try {
                a();
                QFAIL("an action succeeded with the server stopped");
            } catch (const QuendraError &e) {
                QCOMPARE(e.numero(), int(QuendraError::ServidorInalcanzable));
                QCOMPARE(e.descripcion(), caido);
            }
            QVERIFY(!c_.inTransaction());
        }
        accion("resume");
        QCOMPARE(valor(c_, QStringLiteral("SELECT count(*) FROM movstk WHERE comprobante='00009201'")),
                 QStringLiteral("0"));
        QCOMPARE(operacionesStock::registrarLinea(c_, entrada(QStringLiteral("00009201"), articuloA_)).rechazo,
                 operacionesStock::Rechazo::Ninguno);
        QCOMPARE(datos::comprobar(direccion_), QStringList());
    }
};

QUENDRA_TEST(TestReconexion)
#include "tst_reconnect.moc"
