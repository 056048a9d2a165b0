#include "connection.h"
#include "mprincipal.h"
#include "quendra_error.h"
#include "row_sink.h"
#include "test_database.h"
#include "test_main.h"

#include <QTest>

// Rows handed to a reader as they are read: a reader that gives up halfway
// leaves the connection as ready for the next statement as one that read all.
class TestLecturaDeFilas : public QObject
{
    Q_OBJECT

    // Counts the rows and throws when it reaches the given one (0: at the columns).
    class Lector final : public RowSink
    {
    public:
        explicit Lector(int corte) : corte_(corte) {}
        void columns(const QStringList &, const std::vector<int> &) override { contar(); }
        void row(std::span<const CellValue>) override { contar(); }
        int vistas = 0;

    private:
        void contar()
        {
            if (vistas++ == corte_)
                throw QuendraError(QuendraError::NombreDesconocido, QStringLiteral("lector que se rinde"));
        }
        int corte_;
    };

private slots:
    void lectorQueSeRinde_data()
    {
        QTest::addColumn<int>("corte");
        QTest::addColumn<bool>("enTransaccion");
        QTest::newRow("en las columnas") << 0 << false;
        QTest::newRow("en la primera fila") << 1 << false;
        QTest::newRow("a mitad, dentro de una transacción") << 5 << true;
        QTest::newRow("nunca") << -1 << true;
    }
    void lectorQueSeRinde()
    {
        QFETCH(int, corte);
        QFETCH(bool, enTransaccion);
        BaseDePrueba base(BaseDePrueba::Demo);
        Connection &c = mPrincipal::conexion();
        const int movimientos = base.valor(QStringLiteral("select count(*) from movstk")).toInt();
        QVERIFY(movimientos > 10);
        if (enTransaccion) {
            c.begin();
            base.ejecutar(QStringLiteral("delete from movstk where id in (select min(id) from movstk)"));
        }
        Lector lector(corte);
        const QString todos = QStringLiteral("select id, fecha, Entrada, detalle from movstk order by id");
        if (corte < 0)
            c.read(todos, lector);
        else
            QVERIFY_THROWS_EXCEPTION(QuendraError, c.read(todos, lector));
        const int quedan = movimientos - (enTransaccion ? 1 : 0);
        QCOMPARE(lector.vistas, corte < 0 ? quedan + 1 : corte + 1);
        QCOMPARE(base.valor(QStringLiteral("select count(*) from movstk")).toInt(), quedan);
        QCOMPARE(c.inTransaction(), enTransaccion);
        if (enTransaccion)
            c.rollback();
        QCOMPARE(base.valor(QStringLiteral("select count(*) from movstk")).toInt(), movimientos);
    }
};

QUENDRA_TEST(TestLecturaDeFilas)
#include "tst_row_reading.moc"
