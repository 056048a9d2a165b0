#include "movement_statements.h"
#include "test_main.h"

#include <QTest>

class TestSentenciasInforme : public QObject
{
    Q_OBJECT
private slots:
    void seleccionDeArticulos_data()
    {
        QTest::addColumn<QStringList>("rangos");
        QTest::addColumn<QString>("sql");
        QTest::newRow("iniciales") << QStringList{"0", "99999999", "0", "99999999"}
                                   << "select * from articulo where numero >='0' and numero<='99999999' and "
                                      "codigo>='0' and codigo<='99999999' order by numero";
        QTest::newRow("tal como se tipean") << QStringList{" 10", "20 ", "", ""}
                                            << "select * from articulo where numero >=' 10' and numero<='20 ' and "
                                               "codigo>='' and codigo<='' order by numero";
        QTest::newRow("comillas dobladas") << QStringList{"0'", "9", "0", "O'Neil"}
                                           << "select * from articulo where numero >='0''' and numero<='9' and "
                                              "codigo>='0' and codigo<='O''Neil' order by numero";
    }
    void seleccionDeArticulos()
    {
        QFETCH(QStringList, rangos);
        QFETCH(QString, sql);
        FiltroMovimientos f{"01-01-2026", "31-12-2026", rangos[0], rangos[1], rangos[2], rangos[3], "01"};
        QCOMPARE(sentenciasMovimientos::seleccionArticulos(f), sql);
    }

    void sentenciasPorArticulo_data()
    {
        QTest::addColumn<QString>("deposito");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("saldoInicial");
        QTest::addColumn<QString>("movimientos");
        QTest::newRow("depósito 01")
            << "01" << "000012"
            << "select sum(Entrada)-Sum(Salida) as Saldo from movstk where fecha <#05-03-2026# and deposito like "
               "'%01%' and numero='000012' "
            << "select comprobante,tipomov,fecha,numero,costo,Entrada,Salida from movstk where fecha >=#05-03-2026# "
               "and fecha<=#30-11-2026# and deposito like '%01%' and Numero='000012'";
        QTest::newRow("comillas en el depósito y el número")
            << "0'1" << "00'012"
            << "select sum(Entrada)-Sum(Salida) as Saldo from movstk where fecha <#05-03-2026# and deposito like "
               "'%0''1%' and numero='00''012' "
            << "select comprobante,tipomov,fecha,numero,costo,Entrada,Salida from movstk where fecha >=#05-03-2026# "
               "and fecha<=#30-11-2026# and deposito like '%0''1%' and Numero='00''012'";
        QTest::newRow("todos los depósitos")
            << "" << "000001"
            << "select sum(Entrada)-Sum(Salida) as Saldo from movstk where fecha <#05-03-2026# and deposito like "
               "'%%' and numero='000001' "
            << "select comprobante,tipomov,fecha,numero,costo,Entrada,Salida from movstk where fecha >=#05-03-2026# "
               "and fecha<=#30-11-2026# and deposito like '%%' and Numero='000001'";
    }
    void sentenciasPorArticulo()
    {
        QFETCH(QString, deposito);
        QFETCH(QString, numero);
        QFETCH(QString, saldoInicial);
        QFETCH(QString, movimientos);
        FiltroMovimientos f{"05-03-2026", "30-11-2026", "0", "99999999", "0", "99999999", deposito};
        const sentenciasMovimientos::PorArticulo sentencias(f);
        QCOMPARE(sentencias.saldoInicial(numero), saldoInicial);
        QCOMPARE(sentencias.movimientos(numero), movimientos);
    }

    void fechasCompletas_data()
    {
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<bool>("completas");
        QTest::newRow("ambas") << "01-01-2026" << "31-12-2026" << true;
        QTest::newRow("desde en blanco") << "  -  -    " << "31-12-2026" << false;
        QTest::newRow("hasta sin el año entero") << "01-01-2026" << "31-12-20  " << false;
        QTest::newRow("día imposible") << "31-02-2026" << "31-12-2026" << false;
        QTest::newRow("mes imposible") << "01-01-2026" << "01-13-2026" << false;
        QTest::newRow("un dígito y un blanco") << "1 -01-2026" << "31-12-2026" << false;
        QTest::newRow("vacía") << "" << "31-12-2026" << false;
    }
    void fechasCompletas()
    {
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(bool, completas);
        FiltroMovimientos f{desde, hasta, "0", "99999999", "0", "99999999", "01"};
        QCOMPARE(sentenciasMovimientos::fechasCompletas(f), completas);
    }
};

QUENDRA_TEST(TestSentenciasInforme)
#include "tst_movement_statements.moc"
