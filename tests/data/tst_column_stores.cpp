#include "recordset.h"
#include "test_main.h"
#include "type_codes.h"

// The columns of results and of the report's rows: every text must read back
// exactly as it went in, whatever form the column chose to keep it in.
class TestColumnStores : public QObject
{
    Q_OBJECT
private slots:
    void textosRepetidos()
    {
        // Codes of digits, texts kept once, and a text seen again after others.
        const QList<QByteArray> textos{
            "000012", "0",         "000000", "123456789012345", "1234567890123456", "------",     "",  "12a",
            "-5",     "Ñandú 1\"", "------", "000012",          "01-02-2026",       "01-02-2026", " 7"};
        Recordset rs;
        rs.appendColumn(QStringLiteral("t"), TipoCampo::Caracter, 10, Recordset::Storage::RepeatedTexts);
        rs.open();
        for (const QByteArray &t : textos)
            rs.appendText(0, t), rs.endRow();
        rs.appendNull(0), rs.endRow();
        for (int r = 0; r < textos.size(); ++r) {
            QCOMPARE(rs.text(r, 0), QString::fromUtf8(textos[r]));
            QCOMPARE(rs.value(r, 0), QVariant(QString::fromUtf8(textos[r])));
            QVERIFY(!rs.isNull(r, 0));
        }
        QVERIFY(rs.isNull(textos.size(), 0));
        QCOMPARE(rs.text(textos.size(), 0), QString());
    }

    void centesimas_data()
    {
        pruebas::columnas<QList<qint64>, QStringList>("cuentas", "textos");
        // Each list grows wider as it goes, so earlier values must survive the widening.
        QTest::newRow("pequeñas") << QList<qint64>{0, 5, -5, 120, -128, 127}
                                  << QStringList{"0", "0.05", "-0.05", "1.2", "-1.28", "1.27"};
        QTest::newRow("creciendo") << QList<qint64>{1250, -300, 70000, -5000000000, 3, 922337203685477580}
                                   << QStringList{"12.5", "-3", "700", "-50000000", "0.03", "9223372036854775.8"};
    }
    void centesimas()
    {
        const auto [cuentas, textos] = pruebas::fila<QList<qint64>, QStringList>("cuentas", "textos");
        Recordset rs;
        rs.appendColumn(QStringLiteral("saldo"), TipoCampo::Caracter, 15, Recordset::Storage::Hundredths);
        rs.open();
        for (qint64 c : cuentas) {
            rs.appendHundredths(0, c), rs.endRow();
            // Texts beside the counts: empty, a figure kept as written, null.
            rs.appendText(0, ""), rs.endRow();
            rs.appendText(0, "1e+21"), rs.endRow();
            rs.appendNull(0), rs.endRow();
        }
        for (int i = 0; i < cuentas.size(); ++i) {
            QCOMPARE(rs.text(4 * i, 0), textos[i]);
            QCOMPARE(rs.value(4 * i + 1, 0), QVariant(QString()));
            QVERIFY(!rs.isNull(4 * i + 1, 0));
            QCOMPARE(rs.text(4 * i + 2, 0), QStringLiteral("1e+21"));
            QVERIFY(rs.isNull(4 * i + 3, 0));
        }
    }

    // Every kind of cell, and texts of every length around the copies' sizes, as text and as UTF-8 written
    // without a QString, as readers of a million cells take it.
    void celdasDeValores()
    {
        ValueStore celdas;
        QStringList esperados{QString(), "-42", "12.5", "05-03-2026"};
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

QUENDRA_TEST(TestColumnStores)
#include "tst_column_stores.moc"
