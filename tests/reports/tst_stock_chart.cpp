#include "dates.h"
#include "movement_report.h"
#include "mprincipal.h"
#include "recordset.h"
#include "stock_chart.h"
#include "stock_history.h"
#include "test_database.h"
#include "test_main.h"

#include <QAreaSeries>
#include <QImage>
#include <QLineSeries>
#include <QTemporaryDir>
#include <map>

using historiaStock::Periodo;

namespace {

const QString articulo = QStringLiteral("000007");

qint64 centesimas(const QString &numeral)
{
    return qRound64(numeral.toDouble() * 100);
}

// The movement report of the article for the place (empty: every place): its opening balance, and the
// balance after the last movement of each day, as the report shows them.
struct SaldosDelInforme
{
    qint64 apertura = 0;
    std::map<QDate, qint64> alFinDelDia;
    qint64 entradas = 0, salidas = 0;
};

SaldosDelInforme informe(const QDate &desde, const QDate &hasta, const QString &deposito)
{
    const FiltroMovimientos f{
        fechas::texto(desde), fechas::texto(hasta), articulo, articulo, "0", "99999999", deposito};
    auto articulos = mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(f));
    const auto rs = armarInformeMovimientos(*articulos, f);
    SaldosDelInforme s;
    for (qsizetype r = 0; r < rs->rowCount(); ++r) {
        if (rs->text(r, 1) == QLatin1String("000000"))
            s.apertura = centesimas(rs->text(r, 8));
        else if (rs->text(r, 1) != QLatin1String("------")) {
            s.alFinDelDia[fechas::leer(rs->text(r, 0))] = centesimas(rs->text(r, 8));
            s.entradas += centesimas(rs->text(r, 6));
            s.salidas += centesimas(rs->text(r, 7));
        }
    }
    return s;
}

const historiaStock::Linea &lineaDe(const historiaStock::Historia &h, const QString &deposito)
{
    for (const auto &l : h.depositos)
        if (l.deposito == deposito)
            return l;
    return h.total;
}

} // namespace

class TestGraficoStock : public QObject
{
    Q_OBJECT

    std::unique_ptr<BaseDePrueba> base_;

private slots:
    // Generated movements in places 01, 02 and 03, none of whose codes holds another, so the report's
    // match by a part of the code takes exactly one place. The article also gets a movement without a
    // place, one on 01-03-2026 and one of an odd quantity, a minimum for place 02 and one for all places.
    void initTestCase()
    {
        base_ = std::make_unique<BaseDePrueba>();
        base_->llenarGenerado(40, 6000);
        const QString mov = "INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,impreso,deposito,Entrada,"
                            "Salida,codigo) VALUES ('%1','EN',#%2#,'"
                            + articulo + "',1,'N',%3,%4,0,'0001')";
        base_->ejecutar(mov.arg("Z0000001", "01-03-2026", "NULL", "1000"));
        base_->ejecutar(mov.arg("Z0000002", "01-03-2026", "'02'", "7.25"));
        base_->ejecutar(mov.arg("Z0000003", "15-04-2026", "'03'", "0.125"));
        base_->ejecutar("insert into minimo(numero, deposito, minimo, reponer, proveedor) values ('" + articulo
                        + "', '02', 12.5, 30, 'P'), ('" + articulo + "', '', 40, null, 'P')");
        QVERIFY(base_->valor("select count(*) from movstk where numero='" + articulo + "'").toInt() > 100);
    }
    void cleanupTestCase() { base_.reset(); }

    // Every point of a line is the movement report's balance for the same place and span: the opening
    // balance, and the balance after each day's last movement; the days with a point are the days the
    // report lists, and the bars hold the report's entries and exits.
    void puntosComoElInforme_data()
    {
        pruebas::columnas<QDate, QDate, QString>("desde", "hasta", "deposito");
        const QDate marzo(2026, 3, 1), abril(2026, 4, 30);
        for (const char *d : {"", "01", "02", "03"}) {
            QTest::addRow("marzo y abril, lugar '%s'", d) << marzo << abril << QString::fromLatin1(d);
            QTest::addRow("todo el año, lugar '%s'", d) << QDate(2026, 1, 1) << QDate(2026, 12, 31) << QString(d);
        }
        QTest::newRow("un día con movimientos") << marzo << marzo << QString("02");
        QTest::newRow("antes de todo movimiento") << QDate(2025, 1, 1) << QDate(2025, 6, 30) << QString();
    }
    void puntosComoElInforme()
    {
        const auto [desde, hasta, deposito] = pruebas::fila<QDate, QDate, QString>("desde", "hasta", "deposito");
        const SaldosDelInforme esperado = informe(desde, hasta, deposito);
        const auto h = historiaStock::leer(mPrincipal::conexion(), articulo, desde, hasta, Periodo::Semana);
        const historiaStock::Linea &linea = lineaDe(h, deposito);
        QCOMPARE(linea.deposito, deposito);
        QCOMPARE(linea.puntos.front().fecha, desde);
        QCOMPARE(linea.puntos.front().saldo.centesimas(), esperado.apertura);
        std::map<QDate, qint64> puntos;
        for (size_t i = 1; i < linea.puntos.size(); ++i)
            puntos[linea.puntos[i].fecha] = linea.puntos[i].saldo.centesimas();
        QCOMPARE(puntos, esperado.alFinDelDia);
        for (const auto &[dia, saldo] : esperado.alFinDelDia)
            QCOMPARE(linea.saldoAl(dia).centesimas(), saldo);
        if (deposito.isEmpty()) {
            qint64 entradas = 0, salidas = 0;
            for (const auto &b : h.barras) {
                entradas += b.entradas.centesimas();
                salidas += b.salidas.centesimas();
            }
            QCOMPARE(entradas, esperado.entradas);
            QCOMPARE(salidas, esperado.salidas);
        }
    }

    // Each minimum goes to its own line; a place with a minimum and no movement still has its line.
    void minimos()
    {
        base_->ejecutar("insert into minimo(numero, deposito, minimo) values ('" + articulo + "', '09', 3)");
        const auto h =
            historiaStock::leer(mPrincipal::conexion(), articulo, QDate(2026, 1, 1), QDate(2026, 2, 1), Periodo::Mes);
        base_->ejecutar("delete from minimo where deposito='09'");
        QCOMPARE(h.total.minimo->centesimas(), 4000);
        QCOMPARE(lineaDe(h, "02").minimo->centesimas(), 1250);
        QVERIFY(!lineaDe(h, "01").minimo);
        QCOMPARE(lineaDe(h, "09").minimo->centesimas(), 300);
        QCOMPARE(lineaDe(h, "09").puntos.size(), size_t(1));
    }

    // A week runs Monday to Sunday, a month from its first day to its last, across a year's end too.
    void periodos_data()
    {
        pruebas::columnas<QDate, int, QDate, QDate>("dia", "periodo", "inicio", "fin");
        const int semana = int(Periodo::Semana), mes = int(Periodo::Mes);
        QTest::newRow("domingo") << QDate(2026, 3, 8) << semana << QDate(2026, 3, 2) << QDate(2026, 3, 8);
        QTest::newRow("lunes") << QDate(2026, 3, 9) << semana << QDate(2026, 3, 9) << QDate(2026, 3, 15);
        QTest::newRow("semana entre dos años")
            << QDate(2026, 1, 1) << semana << QDate(2025, 12, 29) << QDate(2026, 1, 4);
        QTest::newRow("febrero") << QDate(2028, 2, 29) << mes << QDate(2028, 2, 1) << QDate(2028, 2, 29);
        QTest::newRow("diciembre") << QDate(2026, 12, 31) << mes << QDate(2026, 12, 1) << QDate(2026, 12, 31);
    }
    void periodos()
    {
        const auto [dia, periodo, inicio, fin] =
            pruebas::fila<QDate, int, QDate, QDate>("dia", "periodo", "inicio", "fin");
        QCOMPARE(historiaStock::inicioDePeriodo(dia, Periodo(periodo)), inicio);
        QCOMPARE(historiaStock::finDePeriodo(dia, Periodo(periodo)), fin);
    }

    // The drawing: a dashed line per minimum, bars of entries and exits, what hovering says, and the
    // picture written whole as PNG or PDF.
    void dibujo()
    {
        const QDate desde(2026, 3, 1), hasta(2026, 4, 30);
        GraficoStock g;
        g.resize(800, 500);
        g.mostrar(historiaStock::leer(mPrincipal::conexion(), articulo, desde, hasta, Periodo::Mes), desde, hasta, "x");
        int guiones = 0, barras = 0;
        for (QAbstractSeries *s : g.chart()->series()) {
            if (auto *l = qobject_cast<QLineSeries *>(s); l && l->pen().style() == Qt::DashLine)
                ++guiones;
            barras += qobject_cast<QAreaSeries *>(s) != nullptr;
        }
        QCOMPARE(guiones, 2);
        QCOMPARE(barras, 2);
        const SaldosDelInforme dos = informe(desde, hasta, "02");
        QCOMPARE(g.textoLinea(1, QDate(2026, 3, 1)),
                 "02, 01-03-2026: " + QString::number(dos.alFinDelDia.at(QDate(2026, 3, 1)) / 100.0));
        QVERIFY(g.textoBarra(true, QDate(2026, 4, 15)).startsWith("Entradas del 01-04-2026 al 30-04-2026: "));
        QCOMPARE(g.textoBarra(false, QDate(2026, 5, 15)), QString());

        QTemporaryDir carpeta;
        QVERIFY(g.guardar(carpeta.filePath("stock.png")));
        QCOMPARE(QImage(carpeta.filePath("stock.png")).size(), QSize(1600, 1000));
        QVERIFY(g.guardar(carpeta.filePath("stock.PDF")));
        QFile pdf(carpeta.filePath("stock.PDF"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QVERIFY(!g.guardar(carpeta.filePath("no/existe.png")));
        QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files).size(), 2);
    }
};

QUENDRA_TEST(TestGraficoStock)
#include "tst_stock_chart.moc"
