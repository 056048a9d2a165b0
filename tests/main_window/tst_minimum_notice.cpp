#include "connection.h"
#include "minimum_notice.h"
#include "mprincipal.h"
#include "quendra_error.h"
#include "test_database.h"
#include "test_main.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>

// The status bar's reminder: counted off the interface thread on a connection of its own, its text said from the
// count, a failed count left unsaid, and a count asked for while one runs made again after it.
class TestAvisoMinimos : public QObject
{
    Q_OBJECT

private slots:
    void texto_data()
    {
        pruebas::columnas<qsizetype, bool, QString>("cuenta", "falla", "texto");
        QTest::newRow("varios") << qsizetype(12) << false << "12 artículos bajo el mínimo";
        QTest::newRow("uno") << qsizetype(1) << false << "1 artículo bajo el mínimo";
        QTest::newRow("ninguno") << qsizetype(0) << false << "";
        QTest::newRow("falla") << qsizetype(5) << true << "";
    }
    void texto()
    {
        const auto [cuenta, falla, texto] = pruebas::fila<qsizetype, bool, QString>("cuenta", "falla", "texto");
        BaseDePrueba base;
        bool propia = false;
        AvisoMinimos aviso([&, cuenta, falla](Connection &c) {
            propia = &c != &mPrincipal::conexion() && QThread::currentThread() != qApp->thread()
                     && c.archivo() == mPrincipal::conexion().archivo();
            if (falla)
                throw QuendraError(QuendraError::BaseNoValida, QStringLiteral("sin tabla"));
            return cuenta;
        });
        aviso.setText("anterior");
        QSignalSpy hecho(&aviso, &AvisoMinimos::contado);
        aviso.actualizar();
        QTRY_COMPARE(aviso.text(), texto);
        QVERIFY(propia);
        QCOMPARE(hecho.size(), falla ? 0 : 1);
    }

    void otraVezDespues()
    {
        BaseDePrueba base;
        QAtomicInt veces = 0;
        QSemaphore seguir;
        AvisoMinimos aviso([&](Connection &) {
            seguir.acquire();
            return qsizetype(++veces * 10);
        });
        QSignalSpy hecho(&aviso, &AvisoMinimos::contado);
        aviso.actualizar();
        aviso.actualizar();
        aviso.actualizar();
        seguir.release(2);
        QTRY_COMPARE(hecho.size(), 2);
        QCOMPARE(aviso.text(), QStringLiteral("20 artículos bajo el mínimo"));
        QTest::qWait(50);
        QCOMPARE(hecho.size(), 2);
    }
};

QUENDRA_TEST(TestAvisoMinimos)
#include "tst_minimum_notice.moc"
