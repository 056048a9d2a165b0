#include "data_sets.h"
#include "dates.h"
#include "quendra_error.h"
#include "report_fixture.h"
#include "test_main.h"

#include <QTest>

using namespace informe;

class TestArmadoInforme : public QObject
{
    Q_OBJECT
private slots:
    // The three statements: the articles, and the opening balance and movements of one article.
    void sentencias_data()
    {
        QTest::addColumn<QStringList>("cajas"); // article and family ranges, storage place, article
        QTest::addColumn<QStringList>("sql");
        QTest::newRow("tal como se tipean")
            << QStringList{" 10", "20 ", "", "", "01", "000012"}
            << QStringList{"select * from articulo where numero >=' 10' and numero<='20 ' and codigo>='' and "
                           "codigo<='' order by numero",
                           "select sum(Entrada)-Sum(Salida) as Saldo from movstk where fecha <#05-03-2026# and "
                           "deposito like '%01%' and numero='000012' ",
                           "select comprobante,tipomov,fecha,numero,costo,Entrada,Salida from movstk where fecha "
                           ">=#05-03-2026# and fecha<=#30-11-2026# and deposito like '%01%' and Numero='000012'"};
        QTest::newRow("comillas dobladas")
            << QStringList{"0'", "9", "0", "O'Neil", "0'1", "00'012"}
            << QStringList{"select * from articulo where numero >='0''' and numero<='9' and codigo>='0' and "
                           "codigo<='O''Neil' order by numero",
                           "select sum(Entrada)-Sum(Salida) as Saldo from movstk where fecha <#05-03-2026# and "
                           "deposito like '%0''1%' and numero='00''012' ",
                           "select comprobante,tipomov,fecha,numero,costo,Entrada,Salida from movstk where fecha "
                           ">=#05-03-2026# and fecha<=#30-11-2026# and deposito like '%0''1%' and Numero='00''012'"};
    }
    void sentencias()
    {
        QFETCH(QStringList, cajas);
        QFETCH(QStringList, sql);
        const FiltroMovimientos f{"05-03-2026", "30-11-2026", cajas[0], cajas[1], cajas[2], cajas[3], cajas[4]};
        const sentenciasMovimientos::PorArticulo porArticulo(f);
        QCOMPARE((QStringList{sentenciasMovimientos::seleccionArticulos(f), porArticulo.saldoInicial(cajas[5]),
                              porArticulo.movimientos(cajas[5])}),
                 sql);
    }

    // Each date refused or taken as the first day and as the last.
    void fechasCompletas_data()
    {
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<bool>("completa");
        QTest::newRow("completa") << "31-12-2026" << true;
        QTest::newRow("en blanco") << "  -  -    " << false;
        QTest::newRow("sin el año entero") << "31-12-20  " << false;
        QTest::newRow("día imposible") << "31-02-2026" << false;
        QTest::newRow("mes imposible") << "01-13-2026" << false;
        QTest::newRow("un dígito y un blanco") << "1 -01-2026" << false;
        QTest::newRow("vacía") << "" << false;
    }
    void fechasCompletas()
    {
        QFETCH(QString, fecha);
        QFETCH(bool, completa);
        QCOMPARE(sentenciasMovimientos::fechasCompletas(anio2026("01", fecha, "31-12-2026")), completa);
        QCOMPARE(sentenciasMovimientos::fechasCompletas(anio2026("01", "01-01-2026", fecha)), completa);
    }

    // Movements "fecha;deposito;entrada;salida", numbered 00000001 on; rows
    // "fecha|comprobante|tipomov|entrada|salida|saldo" of the article 000001.
    void filasDeUnArticulo_data()
    {
        QTest::addColumn<QStringList>("movimientos");
        QTest::addColumn<QStringList>("periodo"); // depósito, desde, hasta
        QTest::addColumn<QStringList>("filas");
        const QStringList anio{"01"};
        QTest::newRow("primer día listado, último día listado, el siguiente no")
            << QStringList{"28-02-2026;01;4;0", "01-03-2026;01;1;0", "31-03-2026;01;0;2", "01-04-2026;01;100;0"}
            << QStringList{"01", "01-03-2026", "31-03-2026"}
            << QStringList{"01-03-2026|000000|IN|||4", "01-03-2026|00000002|EN|1|0|5", "31-03-2026|00000003|SA|0|2|3"};
        QTest::newRow("depósito 1 junta 01 y 10 en un saldo")
            << QStringList{"05-01-2026;01;10;0", "06-01-2026;10;5;0", "07-01-2026;02;100;0", "08-01-2026;21;0;1"}
            << QStringList{"1"}
            << QStringList{"01-01-2026|000000|IN|||0", "05-01-2026|00000001|EN|10|0|10",
                           "06-01-2026|00000002|EN|5|0|15", "08-01-2026|00000004|SA|0|1|14"};
        QTest::newRow("depósito vacío toma todos los que tienen depósito")
            << QStringList{"05-01-2026;01;10;0", "06-01-2026;02;5;0", "07-01-2026;NULL;100;0"} << QStringList{""}
            << QStringList{"01-01-2026|000000|IN|||0", "05-01-2026|00000001|EN|10|0|10", "06-01-2026|00000002|EN|5|0|15"};
        QTest::newRow("saldos a la mitad van al par")
            << QStringList{"31-12-2025;01;2.125;0", "02-01-2026;01;0.25;0", "03-01-2026;01;2.675;0", "04-01-2026;01;0;7.3"}
            << anio
            << QStringList{"01-01-2026|000000|IN|||2.12", "02-01-2026|00000002|EN|0.25|0|2.38",
                           "03-01-2026|00000003|EN|2.68|0|5.05", "04-01-2026|00000004|SA|0|7.3|-2.25"};
        QTest::newRow("saldos negativos a la mitad también")
            << QStringList{"31-12-2025;01;0;2.125", "02-01-2026;01;0;0.25"} << anio
            << QStringList{"01-01-2026|000000|IN|||-2.12", "02-01-2026|00000002|SA|0|0.25|-2.38"};
        QTest::newRow("cantidad nula: celda vacía y cuenta 0")
            << QStringList{"02-01-2026;01;NULL;3", "03-01-2026;01;4;NULL"} << anio
            << QStringList{"01-01-2026|000000|IN|||0", "02-01-2026|00000001|EN||3|-3", "03-01-2026|00000002|EN|4||1"};
    }
    void filasDeUnArticulo()
    {
        QFETCH(QStringList, movimientos);
        QFETCH(QStringList, periodo);
        QFETCH(QStringList, filas);
        BaseDePrueba base;
        articulo(base, "000001", "Tornillo");
        for (int n = 0; n < movimientos.size(); ++n) {
            const QStringList p = movimientos[n].split(';');
            movimiento(base, QStringLiteral("%1").arg(n + 1, 8, 10, QLatin1Char('0')), "000001", p[0], p[1], p[2], p[3]);
        }
        auto rs = armar(periodo.size() == 1 ? anio2026(periodo[0]) : anio2026(periodo[0], periodo[1], periodo[2]));
        QVERIFY(rs);
        QStringList esperadas{"|------|--|----|------|" + QString(38, '-') + "|||"}, obtenidas;
        for (const QString &f : filas)
            esperadas << f.section('|', 0, 2) + "|0001|000001|Tornillo|" + f.section('|', 3);
        for (qsizetype r = 0; r < rs->rowCount(); ++r) {
            QStringList celdas;
            for (int c = 0; c < rs->fieldCount(); ++c)
                celdas << rs->text(r, c);
            obtenidas << celdas.join('|');
        }
        QCOMPARE(obtenidas, esperadas);
    }

    // Each article starts afresh from its own balance, with a progress call after it; article numbers
    // compare as text; a value longer than its column is kept whole and widens it.
    void variosArticulos()
    {
        BaseDePrueba base;
        const QString largo = QString(70, QLatin1Char('x')) + QStringLiteral(" ñandú");
        articulo(base, "000001", "Tornillo");
        articulo(base, "000002", "Tuerca", "0002");
        articulo(base, "0000015", largo, "00001");
        articulo(base, "2", "Clavo");
        movimiento(base, "00000001", "000001", "10-12-2025", "01", "5", "0");
        movimiento(base, "00000002", "000001", "10-01-2026", "01", "15", "0");
        movimiento(base, "00000010", "000002", "11-12-2025", "01", "7", "0");
        movimiento(base, "00000011", "000002", "11-01-2026", "01", "0", "2");
        QList<QPair<qsizetype, qsizetype>> avisos;
        auto rs = armar(anio2026(), [&](qsizetype hechos, qsizetype total) {
            avisos.append({hechos, total});
            return true;
        });
        QCOMPARE(avisos, (QList<QPair<qsizetype, qsizetype>>{{1, 4}, {2, 4}, {3, 4}, {4, 4}}));
        QCOMPARE(columna(*rs, "numero"), (QStringList{"------", "000001", "000001", "------", "0000015", "------",
                                                      "000002", "000002", "------", "2"}));
        QCOMPARE(columna(*rs, "comprobante"), (QStringList{"------", "000000", "00000002", "------", "000000", "------",
                                                           "000000", "00000011", "------", "000000"}));
        QCOMPARE(columna(*rs, "saldo"), (QStringList{"", "5", "20", "", "0", "", "7", "5", "", "0"}));
        QCOMPARE(columna(*rs, "codigo"),
                 (QStringList{"----", "0001", "0001", "----", "00001", "----", "0002", "0002", "----", "0001"}));
        QCOMPARE(rs->text(4, rs->columnIndex("nombre")), largo);
        QCOMPARE(rs->definedSize(rs->columnIndex("nombre")), int(largo.size()));
        QCOMPARE(rs->definedSize(rs->columnIndex("numero")), 7);
        QCOMPARE(rs->definedSize(rs->columnIndex("codigo")), 5);

        // "2" sorts between "10" and "20", "0000015" does not.
        FiltroMovimientos f = anio2026();
        f.desdeNumero = QStringLiteral("10");
        f.hastaNumero = QStringLiteral("20");
        QCOMPARE(columna(*armar(f), "numero"), (QStringList{"------", "2"}));
        int llamadas = 0;
        QVERIFY(!armar(anio2026(), [&](qsizetype, qsizetype) { return ++llamadas < 2; }));
        QCOMPARE(llamadas, 2);
        try {
            armar(anio2026("01", "01-01-2026", "31-12-    "));
            QFAIL("an incomplete date was accepted");
        } catch (const QuendraError &e) {
            QCOMPARE(e.descripcion(), QStringLiteral("Fecha incorrecta"));
        }
    }

    void cantidadFueraDeRangoEsUnErrorNoUnInformeCortado()
    {
        BaseDePrueba base;
        articulo(base, "000001", "Tornillo");
        articulo(base, "000002", "Tuerca");
        movimiento(base, "00000001", "000002", "05-01-2026", "01", "1e300", "0");
        QVERIFY_THROWS_EXCEPTION(QuendraError, armar(anio2026()));
    }

    // Every balance against a running sum that SQLite computes on its own, over
    // a generated year of 5000 movements in three storage places.
    void saldosIgualesALaSumaAcumulada_data()
    {
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<QString>("deposito");
        QTest::newRow("el año, todos los depósitos") << "01-01-2026" << "31-12-2026" << "";
        QTest::newRow("un trimestre, depósito 02") << "01-04-2026" << "30-06-2026" << "02";
        QTest::newRow("medio año, depósito 3") << "15-03-2026" << "14-09-2026" << "3";
    }
    void saldosIgualesALaSumaAcumulada()
    {
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QString, deposito);
        BaseDePrueba base;
        mPrincipal::conexion().close();
        datos::llenarGenerado(base.archivo(), 300, 5000);
        mPrincipal::conexion().open(base.archivo());
        auto rs = armar(anio2026(deposito, desde, hasta));
        QVERIFY(rs);
        // Each article's opening balance, then its movements with the sum of all before, in the
        // order of the index on (numero, fecha, comprobante, ...).
        auto suma = mPrincipal::conexion().execute(
            QStringLiteral("select numero, '000000', (select total(Entrada) - total(Salida) from movstk m where "
                           "m.numero = a.numero and fecha < '%2' and deposito like '%%1%'), '' from articulo a "
                           "union all select numero, comprobante, saldo, fecha from (select numero, comprobante, fecha, "
                           "sum(Entrada - Salida) over (partition by numero order by fecha, comprobante) as saldo "
                           "from movstk where deposito like '%%1%') where fecha >= '%2' and fecha <= '%3' order by 1, 4, 2")
                .arg(deposito, fechas::leer(desde).toString(Qt::ISODate), fechas::leer(hasta).toString(Qt::ISODate)));
        QStringList esperadas, obtenidas;
        for (qsizetype r = 0; r < suma->rowCount(); ++r)
            esperadas << suma->text(r, 0) + ' ' + suma->text(r, 1) + ' ' + QString::number(suma->value(r, 2).toDouble(), 'f', 4);
        for (qsizetype r = 0; r < rs->rowCount(); ++r)
            if (rs->text(r, 1) != QLatin1String("------"))
                obtenidas << rs->text(r, 4) + ' ' + rs->text(r, 1) + ' ' + QString::number(rs->text(r, 8).toDouble(), 'f', 4);
        QVERIFY(esperadas.size() > 600);
        QCOMPARE(obtenidas, esperadas);
    }
};

QUENDRA_TEST(TestArmadoInforme)
#include "tst_movement_report.moc"
