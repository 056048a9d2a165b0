#include "sql_dialect.h"
#include "test_main.h"

#include <QTest>

// A statement translated once and run for many values must run exactly as if
// each text had been translated whole, on either engine's dialect.
class TestSentenciaConValor : public QObject
{
    Q_OBJECT
private slots:
    void comoTraducidaEntera_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::newRow("número") << "000012";
        QTest::newRow("fecha, ante una columna de fecha") << "05-03-2026";
        QTest::newRow("vacío") << "";
        QTest::newRow("comilla doblada") << "D''Angelo";
    }
    void comoTraducidaEntera()
    {
        QFETCH(QString, valor);
        const SentenciaConValor s(QStringLiteral("select * from movstk where fecha <#01-02-2026# and deposito "
                                                 "like '%1%' and fecha='"),
                                  QStringLiteral("' and stock>0"));
        SqlDialect::Esquema esquema{{QStringLiteral("fecha")}, {QStringLiteral("fecha"), QStringLiteral("stock")}, {}};
        for (const SqlDialect &d : {SqlDialect(esquema.columnasFecha),
                                    SqlDialect(SqlDialect::Destino::PostgreSQL, esquema)}) {
            QCOMPARE(s.traducida(d, valor), d.traducir(s.texto(valor)));
            QCOMPARE(s.traducida(d, QStringLiteral("7")), d.traducir(s.texto(QStringLiteral("7"))));
        }
    }
};

QUENDRA_TEST(TestSentenciaConValor)
#include "tst_repeated_statement.moc"
