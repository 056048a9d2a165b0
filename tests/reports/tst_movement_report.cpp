#include "quendra_error.h"
#include "report_fixture.h"
#include "test_main.h"

#include <QTest>

using namespace informe;

namespace {

// "fecha;deposito;entrada;salida" per movement, numbered 00000001 on in order.
void cargarMovimientos(const BaseDePrueba &base, const QString &numero, const QStringList &movimientos)
{
    int n = 0;
    for (const QString &m : movimientos) {
        const QStringList p = m.split(QLatin1Char(';'));
        movimiento(base, QStringLiteral("%1").arg(++n, 8, 10, QLatin1Char('0')), numero, p[0], p[1], p[2], p[3]);
    }
}

QStringList filasUnidas(const Recordset &rs)
{
    QStringList t;
    for (qsizetype r = 0; r < rs.rowCount(); ++r)
        t << fila(rs, r).join(QLatin1Char('|'));
    return t;
}

} // namespace

class TestArmadoInforme : public QObject
{
    Q_OBJECT
private slots:
    void filasDeUnArticulo_data()
    {
        QTest::addColumn<QStringList>("movimientos");
        QTest::addColumn<QStringList>("periodo"); // desde, hasta, depósito
        QTest::addColumn<QStringList>("filas");
        const QString sep = separador.join(QLatin1Char('|'));
        QTest::newRow("sin movimientos: solo el saldo inicial 0")
            << QStringList{} << QStringList{"01-01-2026", "31-12-2026", "01"}
            << QStringList{sep, "01-01-2026|000000|IN|0001|000001|Tornillo|||0"};
        QTest::newRow("inicial 5, entra 10, sale 3")
            << QStringList{"15-12-2025;01;5;0", "10-02-2026;01;10;0", "20-03-2026;01;0;3"}
            << QStringList{"01-01-2026", "31-12-2026", "01"}
            << QStringList{sep, "01-01-2026|000000|IN|0001|000001|Tornillo|||5",
                           "10-02-2026|00000002|EN|0001|000001|Tornillo|10|0|15",
                           "20-03-2026|00000003|SA|0001|000001|Tornillo|0|3|12"};
        QTest::newRow("primer día listado, último día listado, el siguiente no")
            << QStringList{"28-02-2026;01;4;0", "01-03-2026;01;1;0", "31-03-2026;01;0;2", "01-04-2026;01;100;0"}
            << QStringList{"01-03-2026", "31-03-2026", "01"}
            << QStringList{sep, "01-03-2026|000000|IN|0001|000001|Tornillo|||4",
                           "01-03-2026|00000002|EN|0001|000001|Tornillo|1|0|5",
                           "31-03-2026|00000003|SA|0001|000001|Tornillo|0|2|3"};
        QTest::newRow("depósito 1 junta 01 y 10 en un saldo")
            << QStringList{"05-01-2026;01;10;0", "06-01-2026;10;5;0", "07-01-2026;02;100;0", "08-01-2026;21;0;1"}
            << QStringList{"01-01-2026", "31-12-2026", "1"}
            << QStringList{sep, "01-01-2026|000000|IN|0001|000001|Tornillo|||0",
                           "05-01-2026|00000001|EN|0001|000001|Tornillo|10|0|10",
                           "06-01-2026|00000002|EN|0001|000001|Tornillo|5|0|15",
                           "08-01-2026|00000004|SA|0001|000001|Tornillo|0|1|14"};
        QTest::newRow("depósito vacío toma todos los que tienen depósito")
            << QStringList{"05-01-2026;01;10;0", "06-01-2026;02;5;0", "07-01-2026;NULL;100;0"}
            << QStringList{"01-01-2026", "31-12-2026", ""}
            << QStringList{sep, "01-01-2026|000000|IN|0001|000001|Tornillo|||0",
                           "05-01-2026|00000001|EN|0001|000001|Tornillo|10|0|10",
                           "06-01-2026|00000002|EN|0001|000001|Tornillo|5|0|15"};
        QTest::newRow("saldos a la mitad van al par")
            << QStringList{"31-12-2025;01;2.125;0", "02-01-2026;01;0.25;0", "03-01-2026;01;2.675;0",
                           "04-01-2026;01;0;7.3"}
            << QStringList{"01-01-2026", "31-12-2026", "01"}
            << QStringList{sep, "01-01-2026|000000|IN|0001|000001|Tornillo|||2.12",
                           "02-01-2026|00000002|EN|0001|000001|Tornillo|0.25|0|2.38",
                           "03-01-2026|00000003|EN|0001|000001|Tornillo|2.68|0|5.05",
                           "04-01-2026|00000004|SA|0001|000001|Tornillo|0|7.3|-2.25"};
        QTest::newRow("saldos negativos a la mitad también")
            << QStringList{"31-12-2025;01;0;2.125", "02-01-2026;01;0;0.25"}
            << QStringList{"01-01-2026", "31-12-2026", "01"}
            << QStringList{sep, "01-01-2026|000000|IN|0001|000001|Tornillo|||-2.12",
                           "02-01-2026|00000002|SA|0001|000001|Tornillo|0|0.25|-2.38"};
        QTest::newRow("cantidad nula: celda vacía y cuenta 0")
            << QStringList{"02-01-2026;01;NULL;3", "03-01-2026;01;4;NULL"}
            << QStringList{"01-01-2026", "31-12-2026", "01"}
            << QStringList{sep, "01-01-2026|000000|IN|0001|000001|Tornillo|||0",
                           "02-01-2026|00000001|EN|0001|000001|Tornillo||3|-3",
                           "03-01-2026|00000002|EN|0001|000001|Tornillo|4||1"};
    }
    void filasDeUnArticulo()
    {
        QFETCH(QStringList, movimientos);
        QFETCH(QStringList, periodo);
        QFETCH(QStringList, filas);
        BaseDePrueba base;
        articulo(base, "000001", "Tornillo");
        cargarMovimientos(base, "000001", movimientos);
        FiltroMovimientos f = anio2026(periodo[2]);
        f.desde = periodo[0];
        f.hasta = periodo[1];
        auto rs = armar(f);
        QVERIFY(rs);
        QCOMPARE(filasUnidas(*rs), filas);
    }

    void cadaArticuloEmpiezaConSuSaldo()
    {
        BaseDePrueba base;
        articulo(base, "000001", "Tornillo");
        articulo(base, "000002", "Tuerca", "0002");
        articulo(base, "000003", "Clavo");
        cargarMovimientos(base, "000001", {"10-12-2025;01;5;0", "10-01-2026;01;15;0"});
        movimiento(base, "00000010", "000002", "11-12-2025", "01", "7", "0");
        movimiento(base, "00000011", "000002", "11-01-2026", "01", "0", "2");
        auto rs = armar(anio2026());
        QCOMPARE(columna(*rs, "comprobante"),
                 (QStringList{"------", "000000", "00000002", "------", "000000", "00000011", "------", "000000"}));
        QCOMPARE(columna(*rs, "saldo"), (QStringList{"", "5", "20", "", "7", "5", "", "0"}));
        QCOMPARE(columna(*rs, "codigo"), (QStringList{"----", "0001", "0001", "----", "0002", "0002", "----", "0001"}));
    }

    void valorMasLargoQueSuColumnaSeGuardaEntero()
    {
        BaseDePrueba base;
        const QString largo = QString(70, QLatin1Char('x')) + QStringLiteral(" ñandú");
        articulo(base, "0000012", largo, "00001");
        auto rs = armar(anio2026());
        QCOMPARE(rs->text(1, rs->columnIndex("nombre")), largo);
        QCOMPARE(rs->text(1, rs->columnIndex("numero")), QStringLiteral("0000012"));
        QCOMPARE(rs->definedSize(rs->columnIndex("nombre")), int(largo.size()));
        QCOMPARE(rs->definedSize(rs->columnIndex("numero")), 7);
        QCOMPARE(rs->definedSize(rs->columnIndex("codigo")), 5);
        QCOMPARE(rs->definedSize(rs->columnIndex("saldo")), 15);
    }

    void fechaIncompletaDetieneAntesDeConsultar()
    {
        BaseDePrueba base;
        articulo(base, "000001", "Tornillo");
        auto articulos = mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(anio2026()));
        FiltroMovimientos f = anio2026();
        f.hasta = QStringLiteral("31-12-    ");
        try {
            armarInformeMovimientos(*articulos, f);
            QFAIL("an incomplete date was accepted");
        } catch (const QuendraError &e) {
            QCOMPARE(e.descripcion(), QStringLiteral("Fecha incorrecta"));
        }
    }

    void progresoPorArticuloYCancelar()
    {
        BaseDePrueba base;
        for (const char *n : {"000001", "000002", "000003"})
            articulo(base, n, "Tornillo");
        QList<QPair<qsizetype, qsizetype>> avisos;
        auto entero = armar(anio2026(), [&](qsizetype hechos, qsizetype total) {
            avisos.append({hechos, total});
            return true;
        });
        QVERIFY(entero);
        QCOMPARE(entero->rowCount(), 6);
        QCOMPARE(avisos, (QList<QPair<qsizetype, qsizetype>>{{1, 3}, {2, 3}, {3, 3}}));

        int llamadas = 0;
        auto cancelado = armar(anio2026(), [&](qsizetype, qsizetype) { return ++llamadas < 2; });
        QVERIFY(!cancelado);
        QCOMPARE(llamadas, 2);
    }

    void cantidadFueraDeRangoEsUnErrorNoUnInformeCortado()
    {
        BaseDePrueba base;
        articulo(base, "000001", "Tornillo");
        articulo(base, "000002", "Tuerca");
        movimiento(base, "00000001", "000002", "05-01-2026", "01", "1e300", "0");
        QVERIFY_THROWS_EXCEPTION(QuendraError, armar(anio2026()));
    }
};

QUENDRA_TEST(TestArmadoInforme)
#include "tst_movement_report.moc"
