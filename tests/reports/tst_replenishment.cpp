#include "message_recorder.h"
#include "minimum_stock.h"
#include "mprincipal.h"
#include "recordset.h"
#include "replenishment_report.h"
#include "test_database.h"
#include "test_main.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace {

// A day's stock of an article, as the SQL below gives it: the place's movements, or every place's.
const char *stockAlDia = "(select coalesce(sum(m.Entrada),0)-coalesce(sum(m.Salida),0) from movstk m "
                         "where m.numero=a.numero and m.fecha<='2026-06-30'%1)";

qint64 diezmilesimos(const QString &numeral)
{
    return qRound64(numeral.toDouble() * 10000);
}

QString dosDecimales(double v)
{
    return QString::number(v, 'f', 2);
}

} // namespace

class TestReposicion : public QObject
{
    Q_OBJECT

    std::unique_ptr<BaseDePrueba> base_;

private slots:
    // 300 articles, 20,000 movements in three places. By the article's last digit: 0-2 a minimum for place
    // 02, 3-5 one for all places, 6 both; each set at its stock of 30-06-2026 (0, 3, 6), 5 above it (1, 4) or
    // 5 below (2, 5); without an order-up-to quantity for 0, 1 and 3.
    void initTestCase()
    {
        base_ = std::make_unique<BaseDePrueba>();
        base_->llenarGenerado(300, 20000);
        const QString desvio = "case when substr(a.numero,6,1) in ('1','4') then 5 when substr(a.numero,6,1) in "
                               "('2','5') then -5 else 0 end";
        const QString insertar =
            "insert into minimo(numero, deposito, minimo, reponer, proveedor) select a.numero, '%1', %2+" + desvio
            + ", case when substr(a.numero,6,1) in ('0','1','3') then null else %2+40 end, 'Proveedor ' || "
              "substr(a.numero,5,1) from articulo a where substr(a.numero,6,1) in (%3)";
        base_->ejecutar(
            insertar.arg("02", QString::fromLatin1(stockAlDia).arg(" and m.deposito='02'"), "'0','1','2','6'"));
        base_->ejecutar(insertar.arg("", QString::fromLatin1(stockAlDia).arg(""), "'3','4','5','6'"));
    }
    void cleanupTestCase() { base_.reset(); }

    // The report's articles are the minimums whose stock, summed here per minimum, is at or below them.
    void filas_data()
    {
        pruebas::columnas<QString, QString, QString>("al", "iso", "deposito");
        const auto fila = [](const char *caso, const char *al, const char *deposito) {
            QTest::newRow(caso) << al << QDate::fromString(al, "dd-MM-yyyy").toString(Qt::ISODate) << deposito;
        };
        fila("antes de todo", "31-12-2025", "");
        fila("a mitad de año", "30-06-2026", "");
        fila("a fin de año", "31-12-2026", "");
        fila("a mitad de año, un depósito", "30-06-2026", "02");
        fila("un depósito sin mínimos", "30-06-2026", "01");
    }
    void filas()
    {
        const auto [al, iso, deposito] = pruebas::fila<QString, QString, QString>("al", "iso", "deposito");
        const auto esperado = mPrincipal::abrirConsulta(
            QStringLiteral("select n.numero, n.deposito, n.minimo, n.reponer, (select coalesce(sum(m.Entrada),0)-"
                           "coalesce(sum(m.Salida),0) from movstk m where m.numero=n.numero and m.fecha<='%1' and "
                           "(n.deposito='' or m.deposito=n.deposito)), a.costo from minimo n, articulo a "
                           "where a.numero=n.numero%2")
                .arg(iso, deposito.isEmpty() ? QString() : " and n.deposito='" + deposito + "'"));
        QSet<QString> esperadas;
        QSet<QString> articulos;
        int enElMinimo = 0;
        for (; !esperado->eof(); esperado->moveNext()) {
            const qint64 minimo = diezmilesimos(esperado->field(2).text());
            const qint64 stock = diezmilesimos(esperado->field(4).text());
            if (stock > minimo)
                continue;
            enElMinimo += stock == minimo;
            const double hasta = esperado->field(3).isNull() ? minimo : diezmilesimos(esperado->field(3).text());
            const double pedir = (hasta - stock) / 10000.0;
            esperadas << QStringList{esperado->field(0).text(),
                                     esperado->field(1).text().isEmpty() ? "Todos" : esperado->field(1).text(),
                                     dosDecimales(stock / 10000.0), dosDecimales(pedir)}
                             .join('|');
            articulos << esperado->field(0).text();
        }
        // At the day the minimums were set from: some exactly at theirs, of a place and of all places.
        if (al == "30-06-2026" && deposito.isEmpty()) {
            QVERIFY(enElMinimo > 0);
            QVERIFY(
                std::any_of(esperadas.begin(), esperadas.end(), [](const QString &f) { return f.contains("|02|"); }));
            QVERIFY(std::any_of(esperadas.begin(), esperadas.end(),
                                [](const QString &f) { return f.contains("|Todos|"); }));
        }

        const auto rs = armarReposicion(QDate::fromString(iso, Qt::ISODate), deposito);
        QSet<QString> obtenidas;
        int64_t importes = 0;
        QString anterior;
        for (qsizetype r = 0; r < rs->rowCount(); ++r) {
            if (rs->text(r, 0).isEmpty())
                continue;
            obtenidas << QStringList{rs->text(r, 0), rs->text(r, 2), dosDecimales(rs->value(r, 3).toDouble()),
                                     dosDecimales(rs->value(r, 6).toDouble())}
                             .join('|');
            importes += qRound64(rs->value(r, 8).toDouble() * 100);
        }
        QCOMPARE(obtenidas, esperadas);
        if (rs->rowCount() > 0) {
            QCOMPARE(rs->text(rs->rowCount() - 1, 1), QStringLiteral("Total general"));
            QCOMPARE(qRound64(rs->value(rs->rowCount() - 1, 8).toDouble() * 100), importes);
        }
        if (deposito.isEmpty())
            QCOMPARE(minimos::articulosBajoElMinimo(mPrincipal::conexion(), QDate::fromString(iso, Qt::ISODate)),
                     articulos.size());
    }

    // Suppliers, then families in each, each closed by its subtotal; every article row's amount is its quantity
    // to order times its cost.
    void agrupacion()
    {
        const auto rs = armarReposicion(QDate(2026, 6, 30), QString());
        QVERIFY(rs->rowCount() > 10);
        int64_t familia = 0, proveedor = 0;
        for (qsizetype r = 0; r < rs->rowCount(); ++r) {
            const QString titulo = rs->text(r, 1);
            const int64_t importe = qRound64(rs->value(r, 8).toDouble() * 100);
            if (titulo.startsWith("Proveedor ")) {
                QCOMPARE(proveedor, 0);
            } else if (titulo.startsWith("Total familia")) {
                QCOMPARE(importe, familia);
                proveedor += familia;
                familia = 0;
            } else if (titulo.startsWith("Total proveedor")) {
                QCOMPARE(familia, 0);
                QCOMPARE(importe, proveedor);
                proveedor = 0;
            } else if (titulo != "Total general") {
                const qint64 costo = qRound64(
                    base_->valor("select costo from articulo where numero='" + rs->text(r, 0) + "'").toDouble() * 100);
                // In ten-thousandths, exact; nearbyint's default rounding takes a half cent to the even one.
                const qint64 producto = qRound64(rs->value(r, 6).toDouble() * 100) * costo;
                QCOMPARE(importe, qint64(std::nearbyint(double(producto) / 100)));
                familia += importe;
            }
        }
    }

    // The minimums window's saves: amounts with either decimal mark, rounded to cents; a refused amount writes
    // nothing; a row left empty goes.
    void guardar_data()
    {
        pruebas::columnas<QString, QString, QString, QString>("minimo", "reponer", "rechazo", "fila");
        QTest::newRow("coma decimal") << "2,5"
                                      << "10.125"
                                      << ""
                                      << "2.5 10.12 Acme";
        QTest::newRow("sin reponer") << "3"
                                     << ""
                                     << ""
                                     << "3  Acme";
        QTest::newRow("miles con punto") << "1.234,5"
                                         << ""
                                         << "Mínimo incorrecto: 1.234,5"
                                         << "7 8 Previo";
        QTest::newRow("negativo") << "-1"
                                  << ""
                                  << "Mínimo no puede ser negativo"
                                  << "7 8 Previo";
        QTest::newRow("fuera de rango") << "1"
                                        << "1e12"
                                        << "Reponer hasta fuera de rango"
                                        << "7 8 Previo";
    }
    void guardar()
    {
        const auto [minimo, reponer, rechazo, fila] =
            pruebas::fila<QString, QString, QString, QString>("minimo", "reponer", "rechazo", "fila");
        Connection &c = mPrincipal::conexion();
        const minimos::Minimo previo{"000007", "03", "7", "8", "Previo"};
        QCOMPARE(minimos::guardar(c, previo), QString());
        QCOMPARE(minimos::guardar(c, {"000007", "03", minimo, reponer, "Acme"}), rechazo);
        const QString sql = "select minimo, reponer, proveedor from minimo where numero='000007' and deposito='03'";
        QCOMPARE(base_->filas(sql), QStringList{fila});
        QCOMPARE(minimos::guardar(c, {"000007", "03", "", "", ""}), QString());
        QCOMPARE(base_->filas(sql), QStringList());
    }
};

QUENDRA_TEST(TestReposicion)
#include "tst_replenishment.moc"
