#include "data_sets.h"
#include "dates.h"
#include "report_fixture.h"
#include "test_main.h"

#include <QHash>
#include <QTest>

using namespace informe;

// Every balance of the report against a running sum that SQLite computes on its
// own, over a generated year of 5000 movements in three storage places.
class TestInformeContraVentana : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        base_ = std::make_unique<BaseDePrueba>();
        mPrincipal::conexion().close();
        datos::llenarGenerado(base_->archivo(), 300, 5000);
        mPrincipal::conexion().open(base_->archivo());
    }
    void cleanupTestCase() { base_.reset(); }

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
        FiltroMovimientos f = anio2026(deposito);
        f.desde = desde;
        f.hasta = hasta;
        auto rs = armar(f);
        QVERIFY(rs);

        // The rows of one article come back in the order of the index on
        // (numero, fecha, comprobante, ...); the window runs the same way over
        // every movement of the storage places, before the period included.
        const QString iso1 = fechas::leer(desde).toString(Qt::ISODate);
        const QString iso2 = fechas::leer(hasta).toString(Qt::ISODate);
        auto ventana = mPrincipal::conexion().execute(
            QStringLiteral("select numero, comprobante, saldo from (select numero, comprobante, fecha, "
                           "sum(Entrada - Salida) over (partition by numero order by fecha, comprobante) as saldo from movstk where deposito like '%%1%') "
                           "where fecha >= '%2' and fecha <= '%3' order by numero, fecha")
                .arg(deposito, iso1, iso2));
        QHash<QString, double> esperado;
        for (qsizetype r = 0; r < ventana->rowCount(); ++r)
            esperado.insert(ventana->text(r, 0) + QLatin1Char('/') + ventana->text(r, 1), ventana->value(r, 2).toDouble());
        auto inicial = mPrincipal::conexion().execute(
            QStringLiteral("select numero, total(Entrada) - total(Salida) from movstk where fecha < '%1' and "
                           "deposito like '%%2%' group by numero")
                .arg(iso1, deposito));
        QHash<QString, double> apertura;
        for (qsizetype r = 0; r < inicial->rowCount(); ++r)
            apertura.insert(inicial->text(r, 0), inicial->value(r, 1).toDouble());

        const int comprobante = rs->columnIndex("comprobante"), numero = rs->columnIndex("numero");
        const int saldo = rs->columnIndex("saldo");
        int movimientos = 0, articulos = 0;
        for (qsizetype r = 0; r < rs->rowCount(); ++r) {
            const QString c = rs->text(r, comprobante), n = rs->text(r, numero);
            if (c == QLatin1String("------"))
                continue;
            const double calculado = c == QLatin1String("000000") ? apertura.value(n) : esperado.value(n + '/' + c, 1e9);
            c == QLatin1String("000000") ? ++articulos : ++movimientos;
            QVERIFY2(rs->text(r, saldo).toDouble() == calculado,
                     qPrintable(QStringLiteral("row %1 (%2 %3): %4 instead of %5")
                                    .arg(r).arg(n, c, rs->text(r, saldo)).arg(calculado)));
        }
        QCOMPARE(articulos, 300);
        QCOMPARE(movimientos, int(ventana->rowCount()));
        QVERIFY(movimientos > 300);
    }

private:
    std::unique_ptr<BaseDePrueba> base_;
};

QUENDRA_TEST(TestInformeContraVentana)
#include "tst_movement_report_window.moc"
