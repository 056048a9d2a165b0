#include "form_driver.h"
#include "frm_stock.h"
#include "message_recorder.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report_pages.h"
#include "report_preview.h"
#include "stock_reports.h"
#include "test_database.h"
#include "test_main.h"

#include <cmath>

namespace {

// The row's filter, its day as the database writes it, and its ranges as a condition on the articles.
std::tuple<FiltroStock, QString, QString> filtro()
{
    const auto [al, rangos] = pruebas::fila<QString, QString>("al", "rangos");
    const QStringList r = rangos.split(QLatin1Char(' '));
    return {
        {al, r[0], r[1], r[2], r[3]},
        QDate::fromString(al, QStringLiteral("dd-MM-yyyy")).toString(Qt::ISODate),
        QStringLiteral("numero>='%1' and numero<='%2' and codigo>='%3' and codigo<='%4'").arg(r[0], r[1], r[2], r[3])};
}

QString dosDecimales(const QString &numeral)
{
    return numeral.isEmpty() ? numeral : QString::number(numeral.toDouble(), 'f', 2);
}

} // namespace

class TestInformesStock : public QObject
{
    Q_OBJECT

    std::unique_ptr<BaseDePrueba> base_;
    QStringList borradas_;

private slots:
    // 300 articles, 20,000 movements in three places, and a voucher deleted after posting its stock.
    void initTestCase()
    {
        base_ = std::make_unique<BaseDePrueba>();
        base_->llenarGenerado(300, 20000);
        base_->ejecutar("update articulo set stock=(select sum(Entrada)-sum(Salida) from movstk "
                        "where movstk.numero=articulo.numero)");
        borradas_ = base_->filas("select distinct numero from movstk where comprobante='00000040'");
        base_->ejecutar("delete from movstk where comprobante='00000040'");
    }
    void cleanupTestCase() { base_.reset(); }

    void casos_data()
    {
        pruebas::columnas<QString, QString>("al", "rangos");
        QTest::newRow("todo el año") << "31-12-2026"
                                     << "0 99999999 0 99999999";
        QTest::newRow("rangos") << "15-03-2026"
                                << "000100 000199 0005 0012";
        QTest::newRow("antes de todo") << "31-12-2025"
                                       << "0 99999999 0 99999999";
    }

    // Every cell sums the article's movements in that place up to the day; at the year's end the totals
    // are the stored stock except for the deleted voucher's articles, which carry the mark.
    void stockPorDeposito_data() { casos_data(); }
    void stockPorDeposito()
    {
        const auto [f, iso, rango] = filtro();
        const StockPorDeposito informe = armarStockPorDeposito(f);
        const Recordset &rs = *informe.filas;
        QCOMPARE(informe.depositos,
                 base_->filas(QStringLiteral("select distinct deposito from movstk where fecha<='%1' and "
                                             "numero in (select numero from articulo where %2) order by 1")
                                  .arg(iso, rango)));
        // Each article's sum in each place, its total and its stored stock.
        const QString suma =
            QStringLiteral(", (select %1(sum(Entrada)-sum(Salida)%2) from movstk m where m.numero=a.numero "
                           "and fecha<='%3'%4)");
        QString columnas;
        for (const QString &d : informe.depositos)
            columnas += suma.arg("", "", iso, " and deposito='" + d + "'");
        const auto esperado =
            mPrincipal::abrirConsulta("select numero" + columnas + suma.arg("coalesce", ",0", iso, "")
                                      + ", stock from articulo a where " + rango + " order by numero");
        // After the articles, a row with each column's total, set apart.
        QCOMPARE(rs.rowCount(), esperado->rowCount() + (esperado->rowCount() > 0 ? 1 : 0));
        const int total = int(informe.depositos.size()) + 2;
        std::vector<qint64> centesimas(size_t(total) + 1);
        for (qsizetype r = 0; r < esperado->rowCount(); ++r) {
            for (int c = 2; c <= total; ++c)
                centesimas[size_t(c)] += std::llround(rs.text(r, c).toDouble() * 100);
            QCOMPARE(rs.text(r, 0), esperado->text(r, 0));
            for (int c = 2; c <= total; ++c)
                QCOMPARE(dosDecimales(rs.text(r, c)), dosDecimales(esperado->text(r, c - 1)));
            const bool marcada = borradas_.contains(rs.text(r, 0));
            QCOMPARE(rs.text(r, total + 1), marcada ? QStringLiteral("*") : QString());
            if (f.al == QLatin1String("31-12-2026") && !marcada)
                QCOMPARE(dosDecimales(rs.text(r, total)), dosDecimales(esperado->text(r, total)));
            QCOMPARE(rs.text(r, total + 2), QString());
        }
        if (esperado->rowCount() == 0)
            return;
        const qsizetype ultima = rs.rowCount() - 1;
        QCOMPARE(rs.text(ultima, 1), QStringLiteral("Total"));
        QCOMPARE(rs.text(ultima, total + 2), estiloTotal);
        for (int c = 2; c <= total; ++c)
            QCOMPARE(std::llround(rs.text(ultima, c).toDouble() * 100), centesimas[size_t(c)]);
    }

    // Each amount is stock times cost in cents, halves to even (counted here in half-cents); each family's
    // row sums its articles, the last row everything.
    void valorizacion_data() { casos_data(); }
    void valorizacion()
    {
        const auto [f, iso, rango] = filtro();
        const auto rs = armarValorizacion(f);
        auto esperado = mPrincipal::abrirConsulta(
            QStringLiteral(
                "select numero, codigo, round(costo*100), (select round(2*coalesce(sum(Entrada)-sum(Salida),0)) "
                "from movstk m where m.numero=a.numero and m.fecha<='%1') from articulo a where %2 "
                "order by codigo, numero")
                .arg(iso, rango));
        qint64 general = 0, familia = 0;
        qsizetype r = 0;
        auto cierraFamilia = [&] {
            QCOMPARE(rs->text(r, 0), QString());
            QCOMPARE(rs->text(r, 5), estiloTotal);
            QCOMPARE(rs->value(r++, 4).toDouble(), familia / 100.0);
            general += familia;
            familia = 0;
        };
        QString anterior;
        for (; !esperado->eof(); esperado->moveNext()) {
            if (!anterior.isNull() && esperado->field(1).text() != anterior)
                cierraFamilia();
            if (anterior.isNull() || esperado->field(1).text() != anterior) {
                // Each family opens with its heading.
                QVERIFY(rs->text(r, 1).startsWith("Familia " + esperado->field(1).text()));
                QCOMPARE(rs->text(r, 5), estiloTitulo);
                QVERIFY(rs->isNull(r++, 4));
            }
            anterior = esperado->field(1).text();
            // nearbyint's default rounding takes a half to the even neighbour.
            const double mediosCentavos = esperado->field(2).value().toDouble() * esperado->field(3).value().toDouble();
            const auto centavos = qint64(std::nearbyint(mediosCentavos / 2));
            QCOMPARE(rs->text(r, 0), esperado->field(0).text());
            QCOMPARE(rs->text(r, 5), QString());
            QCOMPARE(rs->value(r++, 4).toDouble(), centavos / 100.0);
            familia += centavos;
        }
        if (!anterior.isNull())
            cierraFamilia();
        QCOMPARE(rs->text(r, 1), QStringLiteral("Total general"));
        QCOMPARE(rs->text(r, 5), estiloTotal);
        QCOMPARE(rs->value(r++, 4).toDouble(), general / 100.0);
        QCOMPARE(r, rs->rowCount());
    }

    // An incomplete day is refused, and an empty selection in each window; else the preview shows the articles.
    void ventana_data()
    {
        pruebas::columnas<int, QString, QString, QString>("informe", "al", "hasta", "resultado");
        const QString sinDatos = "Quendra|info|No tiene datos para imprimir";
        const auto fila = [](const char *caso, int informe, const char *al, const char *hasta, const QString &r) {
            QTest::newRow(caso) << informe << al << hasta << r;
        };
        fila("fecha a medias", 0, "31-12-20  ", "99999999", "Quendra|error|Fecha incorrecta");
        fila("por depósito sin artículos", 0, "31-12-2026", "", sinDatos);
        fila("valorización sin artículos", 1, "31-12-2026", "", sinDatos);
        fila("por depósito con datos", 0, "31-12-2026", "000009", "Stock por depósito");
        fila("valorización con datos", 1, "31-12-2026", "000009", "Valorización de stock");
    }
    void ventana()
    {
        const auto [informe, al, hasta, resultado] =
            pruebas::fila<int, QString, QString, QString>("informe", "al", "hasta", "resultado");
        RegistroMensajes mensajes;
        FrmStock v(informe ? FrmStock::Informe::Valorizacion : FrmStock::Informe::PorDeposito);
        pruebas::mostrarActiva(&v);
        pruebas::escribir(pruebas::control(&v, "f_al"), al);
        pruebas::escribir(pruebas::control(&v, "T_HastaNumero"), hasta);
        QTest::mouseClick(pruebas::control(&v, "b_Imprimir"), Qt::LeftButton);
        ReportPreview *vista = pruebas::vistaPrevia();
        if (resultado.contains(QLatin1Char('|'))) {
            QCOMPARE(mensajes.cajas(), QStringList{resultado});
            QVERIFY(!vista);
            return;
        }
        QVERIFY(mensajes.textos().isEmpty());
        QVERIFY(vista);
        QCOMPARE(vista->windowTitle(), resultado);
        const qsizetype filas = vista->pages()->rowCount();
        QVERIFY(informe ? filas > 10 : filas == 10); // nine articles and their totals
        vista->close();
    }
};

QUENDRA_TEST(TestInformesStock)
#include "tst_stock_reports.moc"
