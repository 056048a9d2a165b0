#include "column_stores.h"
#include "test_main.h"

#include <QTest>

// What readers of a million cells get without a QString is what the cells show.
class TestTextosDeCeldas : public QObject
{
    Q_OBJECT
private slots:
    void numeralesCortosYGenerales_data()
    {
        QTest::addColumn<double>("v");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("cuatro decimales") << -1234.5678 << "-1234.5678";
        QTest::newRow("cinco decimales") << 0.00005 << "0.00005";
        QTest::newRow("cero negativo") << -0.0 << "0";
        QTest::newRow("justo bajo mil millones") << 999999999.9999 << "999999999.9999";
        QTest::newRow("mil millones") << 1e9 << "1000000000";
        QTest::newRow("suma binaria") << 0.1 + 0.2 << "0.30000000000000004";
    }
    void numeralesCortosYGenerales()
    {
        QFETCH(double, v);
        char buf[numeros::largoNumeral];
        QTEST(QString::fromLatin1(numeros::numeral(v, buf).toByteArray()), "esperado");
    }

    // Every kind of cell, and texts of every length around the copies' sizes.
    void textoDeCadaCeldaComoSuTexto()
    {
        ValueStore celdas;
        QStringList esperados{QString(), QStringLiteral("-42"), QStringLiteral("12.5"), QStringLiteral("05-03-2026")};
        celdas.appendNull(), celdas.appendInteger(-42), celdas.appendReal(12.5), celdas.appendDate(QDate(2026, 3, 5));
        for (int n = 0; n <= 40; ++n) {
            esperados << QString(n, QLatin1Char('a')) + QString::number(n);
            celdas.appendText(esperados.last().toUtf8());
        }
        char sitio[ColumnStore::textRoom];
        for (int f = 0; f < int(esperados.size()); ++f) {
            QCOMPARE(celdas.text(f), esperados[f]);
            QCOMPARE(QString::fromUtf8(celdas.textUtf8(f, sitio).toByteArray()), esperados[f]);
        }
    }
};

QUENDRA_TEST(TestTextosDeCeldas)
#include "tst_cell_texts.moc"
