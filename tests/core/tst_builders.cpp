#include "message_recorder.h"
#include "mprincipal.h"
#include "quendra_error.h"
#include "test_database.h"
#include "test_main.h"

#include <QTest>

class TestSentencias : public QObject
{
    Q_OBJECT
private slots:
    void insert_data()
    {
        QTest::addColumn<QStringList>("valores"); // codigo, familia
        QTest::addColumn<QString>("esperados");
        QTest::newRow("familia") << QStringList{"0007", "Bebidas"} << "'0007','Bebidas'";
        QTest::newRow("vacío es NULL") << QStringList{"0007", ""} << "'0007',NULL";
        QTest::newRow("comilla doblada") << QStringList{"0001", "D'Angelo"} << "'0001','D''Angelo'";
        QTest::newRow("coma de número") << QStringList{"0001", "3,5"} << "'0001','3.5'";
        QTest::newRow("fecha entre #") << QStringList{"0001", "05-12-2026"} << "'0001',#05-12-2026#";
        QTest::newRow("blancos no son vacío") << QStringList{"0001", "   "} << "'0001','   '";
        QTest::newRow("# que no es fecha") << QStringList{"0001", "#abc"} << "'0001','#abc'";
    }
    void insert()
    {
        QFETCH(QStringList, valores);
        QFETCH(QString, esperados);
        QCOMPARE(mPrincipal::sentenciaInsert("familia", {"codigo", "familia"}, valores),
                 "INSERT INTO familia(codigo,familia) VALUES (" + esperados + ')');
    }

    void update_data()
    {
        QTest::addColumn<QStringList>("valores");
        QTest::addColumn<QString>("esperada");
        QTest::newRow("texto y NULL") << QStringList{"O'Brien", ""}
                                      << "UPDATE articulo SET nombre='O''Brien',alta=NULL WHERE numero='000012'";
        QTest::newRow("fecha entre comillas") << QStringList{"x", "05-12-2026"}
                                              << "UPDATE articulo SET nombre='x',alta='05-12-2026' WHERE numero='000012'";
        QTest::newRow("coma de número") << QStringList{"3,5", "   "}
                                        << "UPDATE articulo SET nombre='3.5',alta='   ' WHERE numero='000012'";
    }
    void update()
    {
        QFETCH(QStringList, valores);
        QFETCH(QString, esperada);
        QCOMPARE(mPrincipal::sentenciaUpdate(QStringLiteral("articulo"), {"nombre", "alta"}, valores,
                                             QStringLiteral("numero='000012'")),
                 esperada);
    }

    // What the builders write is what a reader gets back.
    void idaYVuelta()
    {
        BaseDePrueba base;
        const QStringList cols{"numero", "codigo", "nombre", "detalle", "alta", "costo", "stock"};
        mPrincipal::insertarRegistro("articulo", cols, {"000012", "0003", "D'Angelo", "", "05-12-2026", "12,5", "3"});
        auto rs = mPrincipal::abrirConsulta("select * from articulo where numero='000012'");
        QCOMPARE(rs->field("NOMBRE").text(), QStringLiteral("D'Angelo"));
        QCOMPARE(rs->field("alta").value().toDate(), QDate(2026, 12, 5));
        QCOMPARE(rs->field("costo").value().toDouble(), 12.5);
        QVERIFY(rs->field("detalle").isNull());
        mPrincipal::actualizarRegistro("articulo", {"alta", "costo"}, {"01-02-2027", "0,25"}, "numero='000012'");
        QCOMPARE(base.valor("select alta from articulo"), QStringLiteral("01-02-2027"));
        QCOMPARE(base.valor("select costo from articulo"), QStringLiteral("0.25"));
    }

    void listasDesparejasSeRechazan()
    {
        QVERIFY_THROWS_EXCEPTION(QuendraError, mPrincipal::sentenciaInsert("t", {"a", "b"}, {"1"}));
    }
};

QUENDRA_TEST(TestSentencias)
#include "tst_builders.moc"
