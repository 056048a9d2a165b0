#include "numbers.h"
#include "process_setup.h"
#include "test_main.h"

#include <clocale>
#include <cmath>

class TestNumeros : public QObject
{
    Q_OBJECT
private slots:
    // The helpers alone must read and write the same under any C library locale: the start-up's
    // period is taken back here, so the run under "es_ES.UTF-8" has a decimal comma there.
    void initTestCase() { std::setlocale(LC_NUMERIC, ""); }
    void cleanupTestCase() { prepararProceso(); }

    // An amount as the operator types it, as it is stored, and whether it reads as one number.
    void importes_data()
    {
        pruebas::columnas<QString, QString, bool>("texto", "importe", "legible");
        QTest::newRow("coma") << "2,5"
                              << "2.5" << true;
        QTest::newRow("coma y medio centavo") << "0,125"
                                              << "0.12" << true;
        QTest::newRow("punto") << "1.25"
                               << "1.25" << true;
        QTest::newRow("coma sin dígitos") << "12,kg"
                                          << "12" << true;
        QTest::newRow("signo y coma") << "-,5"
                                      << "-0.5" << true;
        QTest::newRow("blancos y unidad") << " 12 ,5 kg"
                                          << "12.5" << true;
        QTest::newRow("exponente tras la coma") << "2,5e2"
                                                << "250" << true;
        QTest::newRow("sin número") << "abc"
                                    << "0" << true;
        QTest::newRow("que no cabe") << "1e309"
                                     << "0" << true;
        QTest::newRow("miles y decimales") << "1.234,5"
                                           << "1.23" << false;
        QTest::newRow("dos comas") << "2,5,1"
                                   << "2.5" << false;
        QTest::newRow("dos puntos") << "1.2.3"
                                    << "1.2" << false;
    }
    void importes()
    {
        QFETCH(QString, texto);
        QTEST(numeros::importe(texto), "importe");
        QTEST(numeros::importeLegible(texto), "legible");
    }

    // The leading number of a text, and whether the whole text reads as a number.
    void valor_data()
    {
        pruebas::columnas<QString, double, bool>("texto", "valor", "esNumero");
        QTest::newRow("blancos en medio") << " 1 2\t.5\n" << 12.5 << false;
        QTest::newRow("signo y exponente") << "-1.5e2x" << -150.0 << false;
        QTest::newRow("segundo punto corta") << "1.2.3" << 1.2 << false;
        QTest::newRow("hexadecimal") << "&HFF" << 255.0 << false;
        QTest::newRow("octal") << "&o17" << 15.0 << false;
        QTest::newRow("exponente sin dígitos") << "3e" << 3.0 << false;
        QTest::newRow("vacío") << "" << 0.0 << false;
        QTest::newRow("coma") << "3,5" << 3.0 << true;
        QTest::newRow("código") << "000012" << 12.0 << true;
        QTest::newRow("fecha") << "05-12-2026" << 5.0 << false;
        QTest::newRow("texto con número") << "3,5 mm" << 3.0 << false;
        QTest::newRow("dos separadores") << "1,2,3" << 1.0 << false;
        QTest::newRow("blancos") << "   " << 0.0 << false;
    }
    void valor()
    {
        QFETCH(QString, texto);
        QTEST(numeros::valor(texto), "valor");
        QTEST(numeros::esNumero(texto), "esNumero");
    }

    // A value as its shortest numeral (in the buffer the text form writes through), and rounded to two
    // decimals as it is written, halves to even.
    void numerales_data()
    {
        pruebas::columnas<double, QString, QString>("v", "numeral", "redondeado");
        QTest::newRow("0.375 a par") << 0.375 << "0.375"
                                     << "0.38";
        QTest::newRow("2.675 como se escribe") << 2.675 << "2.675"
                                               << "2.68";
        QTest::newRow("negativo") << -2.125 << "-2.125"
                                  << "-2.12";
        QTest::newRow("acarreo") << 9.995 << "9.995"
                                 << "10";
        QTest::newRow("muy chico") << 0.001 << "0.001"
                                   << "0";
        QTest::newRow("negativo entero") << -3.0 << "-3"
                                         << "-3";
        QTest::newRow("cuatro decimales") << -1234.5678 << "-1234.5678"
                                          << "-1234.57";
        QTest::newRow("cinco decimales") << 0.00005 << "0.00005"
                                         << "0";
        QTest::newRow("cero negativo") << -0.0 << "0"
                                       << "0";
        QTest::newRow("justo bajo mil millones") << 999999999.9999 << "999999999.9999"
                                                 << "1000000000";
        QTest::newRow("mil millones") << 1e9 << "1000000000"
                                      << "1000000000";
        QTest::newRow("grande sin exponente") << 1e20 << "100000000000000000000"
                                              << "100000000000000000000";
        QTest::newRow("suma binaria") << 0.1 + 0.2 << "0.30000000000000004"
                                      << "0.3";
    }
    void numerales()
    {
        const auto [v, numeral, redondeado] = pruebas::fila<double, QString, QString>("v", "numeral", "redondeado");
        char buf[numeros::largoNumeral];
        QCOMPARE(QString::fromLatin1(numeros::numeral(v, buf).toByteArray()), numeral);
        QCOMPARE(numeros::numeral(numeros::redondear(v, 2)), redondeado);
        if (std::fabs(v) < 1e14) // a count of ten-thousandths holds no larger amount
            QCOMPARE(numeros::Diezmilesimos::desde(v).texto2(), redondeado);
    }

    void sumaEnSqlConQuinceCifras() { QCOMPARE(numeros::numeral15(0.1 + 0.2), "0.3"); }

    void saldoEnDiezmilesimos()
    {
        using numeros::Diezmilesimos;
        auto s = Diezmilesimos::desde(5) + Diezmilesimos::desde(10) - Diezmilesimos::desde(3);
        QCOMPARE(s.texto2(), QStringLiteral("12"));
        QCOMPARE((Diezmilesimos::desde(0.1) + Diezmilesimos::desde(0.2)).cuenta(), 3000);
        QVERIFY_THROWS_EXCEPTION(std::exception, Diezmilesimos::desde(1e300));
        QVERIFY_THROWS_EXCEPTION(std::exception, Diezmilesimos::desdeCuenta(INT64_MAX) + Diezmilesimos::desdeCuenta(1));
    }

    void rellenarCeros()
    {
        QCOMPARE(numeros::rellenarCeros("12", 6), "000012");
        QCOMPARE(numeros::rellenarCeros("1234567890", 8), "34567890");
    }
};

QUENDRA_TEST(TestNumeros)
#include "tst_numbers.moc"
