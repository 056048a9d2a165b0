#include "connection.h"
#include "mprincipal.h"
#include "quendra_error.h"
#include "row_sink.h"
#include "test_database.h"
#include "test_main.h"

#include <QTest>

// A reader that gives up halfway through the rows leaves the connection, and
// its transaction, as ready for the next statement as one that read them all.
class TestLecturaDeFilas : public QObject
{
    Q_OBJECT

    // Counts the columns call and the rows; throws on the given one (0: the columns).
    struct Lector final : RowSink
    {
        int corte = -1, vistas = 0;
        void columns(const QStringList &, const std::vector<int> &) override { contar(); }
        void row(std::span<const CellValue>) override { contar(); }
        void contar()
        {
            if (vistas++ == corte)
                throw QuendraError(QuendraError::NombreDesconocido, QStringLiteral("lector que se rinde"));
        }
    };

private slots:
    void lectorQueSeRinde_data()
    {
        QTest::addColumn<int>("corte");
        QTest::addColumn<bool>("enTransaccion");
        QTest::newRow("en las columnas") << 0 << false;
        QTest::newRow("en la primera fila") << 1 << false;
        QTest::newRow("a mitad, en una transacción") << 5 << true;
        QTest::newRow("nunca") << -1 << true;
    }
    void lectorQueSeRinde()
    {
        QFETCH(int, corte);
        QFETCH(bool, enTransaccion);
        BaseDePrueba base(BaseDePrueba::Demo);
        Connection &c = mPrincipal::conexion();
        const QString cuenta = QStringLiteral("select count(*) from movstk");
        const int movimientos = base.valor(cuenta).toInt();
        if (enTransaccion) {
            c.begin();
            base.ejecutar(QStringLiteral("delete from movstk where id in (select min(id) from movstk)"));
        }
        const int quedan = movimientos - (enTransaccion ? 1 : 0);
        Lector lector;
        lector.corte = corte;
        const QString todos = QStringLiteral("select id, fecha, Entrada, detalle from movstk order by id");
        if (corte < 0)
            c.read(todos, lector);
        else
            QVERIFY_THROWS_EXCEPTION(QuendraError, c.read(todos, lector));
        QCOMPARE(lector.vistas, corte < 0 ? quedan + 1 : corte + 1);
        QCOMPARE(base.valor(cuenta).toInt(), quedan);
        QCOMPARE(c.inTransaction(), enTransaccion);
        c.rollback();
        QCOMPARE(base.valor(cuenta).toInt(), movimientos);
    }
};

QUENDRA_TEST(TestLecturaDeFilas)
#include "tst_row_reading.moc"
