#include "numbers.h"
#include "test_main.h"


class TestNumeros : public QObject
{
    Q_OBJECT
private slots:
    void valor_data()
    {
        pruebas::columnas<QString, double>("texto", "esperado");
        QTest::newRow("blancos en medio") << " 1 2\t.5\n" << 12.5;
        QTest::newRow("signo y exponente") << "-1.5e2x" << -150.0;
        QTest::newRow("segundo punto corta") << "1.2.3" << 1.2;
        QTest::newRow("hexadecimal") << "&HFF" << 255.0;
        QTest::newRow("octal") << "&o17" << 15.0;
        QTest::newRow("exponente sin dígitos") << "3e" << 3.0;
        QTest::newRow("vacío") << "" << 0.0;
    }
    void valor()
    {
        QFETCH(QString, texto);
        QTEST(numeros::valor(texto), "esperado");
    }

    void redondeo_data()
    {
        pruebas::columnas<double, QString>("v", "esperado");
        QTest::newRow("0.375 a par") << 0.375 << "0.38";
        QTest::newRow("2.675 como se escribe") << 2.675 << "2.68";
        QTest::newRow("negativo") << -2.125 << "-2.12";
        QTest::newRow("acarreo") << 9.995 << "10";
        QTest::newRow("muy chico") << 0.001 << "0";
    }
    void redondeo()
    {
        const auto [v, esperado] = pruebas::fila<double, QString>("v", "esperado");
        QCOMPARE(numeros::numeral(numeros::redondear(v, 2)), esperado);
        QCOMPARE(numeros::Diezmilesimos::desde(v).texto2(), esperado);
    }

    void numerales_data()
    {
        pruebas::columnas<double, QString>("v", "esperado");
        QTest::newRow("medio") << 12.5 << "12.5";
        QTest::newRow("grande sin exponente") << 1e20 << "100000000000000000000";
        QTest::newRow("chico sin exponente") << 0.00012 << "0.00012";
        QTest::newRow("negativo entero") << -3.0 << "-3";
    }
    void numerales()
    {
        QFETCH(double, v);
        QTEST(numeros::numeral(v), "esperado");
    }

    void sumaEnSqlConQuinceCifras() { QCOMPARE(numeros::numeral15(0.1 + 0.2), QStringLiteral("0.3")); }

    void saldoEnDiezmilesimos()
    {
        using numeros::Diezmilesimos;
        auto s = Diezmilesimos::desde(5) + Diezmilesimos::desde(10) - Diezmilesimos::desde(3);
        QCOMPARE(s.texto2(), QStringLiteral("12"));
        QCOMPARE((Diezmilesimos::desde(0.1) + Diezmilesimos::desde(0.2)).cuenta(), 3000);
        QVERIFY_THROWS_EXCEPTION(std::exception, Diezmilesimos::desde(1e300));
        QVERIFY_THROWS_EXCEPTION(std::exception,
                                 Diezmilesimos::desdeCuenta(INT64_MAX) + Diezmilesimos::desdeCuenta(1));
    }

    void esNumero_data()
    {
        pruebas::columnas<QString, bool>("texto", "esperado");
        QTest::newRow("coma") << "3,5" << true;
        QTest::newRow("código") << "000012" << true;
        QTest::newRow("fecha") << "05-12-2026" << false;
        QTest::newRow("texto con número") << "3,5 mm" << false;
        QTest::newRow("dos separadores") << "1,2,3" << false;
        QTest::newRow("blancos") << "   " << false;
    }
    void esNumero()
    {
        QFETCH(QString, texto);
        QTEST(numeros::esNumero(texto), "esperado");
    }

    void rellenarCeros()
    {
        QCOMPARE(numeros::rellenarCeros(QStringLiteral("12"), 6), QStringLiteral("000012"));
        QCOMPARE(numeros::rellenarCeros(QStringLiteral("1234567890"), 8), QStringLiteral("34567890"));
    }
};

QUENDRA_TEST(TestNumeros)
#include "tst_numbers.moc"
