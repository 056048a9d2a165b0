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

#include <QTest>
#include <cstdlib>

namespace {

// 300 articles, 20,000 movements in three places, and a voucher deleted after posting its stock.
struct BaseGenerada
{
    BaseGenerada()
    {
        base.llenarGenerado(300, 20000);
        base.ejecutar(QStringLiteral("update articulo set stock=(select sum(Entrada)-sum(Salida) from movstk "
                                     "where movstk.numero=articulo.numero)"));
        borradas = base.filas(QStringLiteral("select distinct numero from movstk where comprobante='00000040'"));
        base.ejecutar(QStringLiteral("delete from movstk where comprobante='00000040'"));
    }
    BaseDePrueba base;
    QStringList borradas;
};

// The row's day and the filter of that day and its ranges.
std::pair<QString, FiltroStock> filtro()
{
    const auto [al, rangos] = pruebas::fila<QString, QString>("al", "rangos");
    const QStringList r = rangos.split(QLatin1Char(' '));
    return {al, {al, r[0], r[1], r[2], r[3]}};
}

QString dosDecimales(const QString &numeral)
{
    return numeral.isEmpty() ? numeral : QString::number(numeral.toDouble(), 'f', 2);
}

} // namespace

class TestInformesStock : public QObject
{
    Q_OBJECT

    std::unique_ptr<BaseGenerada> datos_;

private slots:
    void initTestCase() { datos_ = std::make_unique<BaseGenerada>(); }
    void cleanupTestCase() { datos_.reset(); }

    void casos_data()
    {
        pruebas::columnas<QString, QString>("al", "rangos");
        QTest::newRow("todo el año") << "31-12-2026" << "0 99999999 0 99999999";
        QTest::newRow("rangos") << "15-03-2026" << "000100 000199 0005 0012";
        QTest::newRow("antes de todo") << "31-12-2025" << "0 99999999 0 99999999";
    }

    // Every cell sums the article's movements in that place up to the day; at the year's end the totals
    // are the stored stock except for the deleted voucher's articles, which carry the mark.
    void stockPorDeposito_data() { casos_data(); }
    void stockPorDeposito()
    {
        const auto [al, f] = filtro();
        const StockPorDeposito informe = armarStockPorDeposito(f);
        const Recordset &rs = *informe.filas;
        const QString iso = QDate::fromString(al, QStringLiteral("dd-MM-yyyy")).toString(Qt::ISODate);
        const QString rango = QStringLiteral("numero>='%1' and numero<='%2' and codigo>='%3' and codigo<='%4'")
                                  .arg(f.desdeNumero, f.hastaNumero, f.desdeFamilia, f.hastaFamilia);
        QCOMPARE(informe.depositos, datos_->base.filas(QStringLiteral("select distinct deposito from movstk where fecha<='%1' and numero in "
                                                                   "(select numero from articulo where %2) order by 1")
                                                        .arg(iso, rango)));
        QCOMPARE(datos_->base.filas(QStringLiteral("select numero from articulo where %1 order by numero").arg(rango)),
                 [&] { QStringList n; for (qsizetype r = 0; r < rs.rowCount(); ++r) n << rs.text(r, 0); return n; }());
        const int total = int(informe.depositos.size()) + 2;
        for (qsizetype r = 0; r < rs.rowCount(); ++r) {
            const QString numero = rs.text(r, 0);
            for (int i = 0; i < informe.depositos.size(); ++i)
                QCOMPARE(dosDecimales(rs.text(r, 2 + i)),
                         dosDecimales(datos_->base.valor(QStringLiteral("select sum(Entrada)-sum(Salida) from movstk where "
                                                                        "numero='%1' and deposito='%2' and fecha<='%3'")
                                                             .arg(numero, informe.depositos[i], iso))));
            QCOMPARE(dosDecimales(rs.text(r, total)),
                     dosDecimales(datos_->base.valor(QStringLiteral("select coalesce(sum(Entrada)-sum(Salida),0) from movstk "
                                                                    "where numero='%1' and fecha<='%2'").arg(numero, iso))));
            const bool marcada = datos_->borradas.contains(numero);
            QCOMPARE(rs.text(r, total + 1), marcada ? QStringLiteral("*") : QString());
            if (al == QLatin1String("31-12-2026") && !marcada)
                QCOMPARE(dosDecimales(rs.text(r, total)),
                         dosDecimales(datos_->base.valor(QStringLiteral("select stock from articulo where numero='%1'").arg(numero))));
        }
    }

    // Each amount is stock times cost in cents, halves to even (counted here in half-units); each family's
    // row sums its articles, the last row everything.
    void valorizacion_data() { casos_data(); }
    void valorizacion()
    {
        const auto [al, f] = filtro();
        const auto rs = armarValorizacion(f);
        const QString iso = QDate::fromString(al, QStringLiteral("dd-MM-yyyy")).toString(Qt::ISODate);
        auto esperado = mPrincipal::abrirConsulta(
            QStringLiteral("select a.numero, a.codigo, round(a.costo*100), (select round(2*coalesce(sum(Entrada)-sum(Salida),0)) "
                           "from movstk m where m.numero=a.numero and m.fecha<='%1') from articulo a where a.numero>='%2' and "
                           "a.numero<='%3' and a.codigo>='%4' and a.codigo<='%5' order by a.codigo, a.numero")
                .arg(iso, f.desdeNumero, f.hastaNumero, f.desdeFamilia, f.hastaFamilia));
        qint64 general = 0, familia = 0;
        qsizetype r = 0;
        auto cierraFamilia = [&] {
            QCOMPARE(rs->text(r, 0), QString());
            QCOMPARE(rs->value(r++, 4).toDouble(), familia / 100.0);
            general += familia;
            familia = 0;
        };
        QString anterior;
        for (; !esperado->eof(); esperado->moveNext()) {
            if (!anterior.isNull() && esperado->field(1).text() != anterior)
                cierraFamilia();
            anterior = esperado->field(1).text();
            const qint64 doble = qint64(esperado->field(2).value().toDouble() * esperado->field(3).value().toDouble());
            qint64 centavos = std::llabs(doble) / 2;
            if (std::llabs(doble) % 2 == 1 && centavos % 2 == 1)
                ++centavos;
            centavos = doble < 0 ? -centavos : centavos;
            QCOMPARE(rs->text(r, 0), esperado->field(0).text());
            QCOMPARE(rs->value(r++, 4).toDouble(), centavos / 100.0);
            familia += centavos;
        }
        if (!anterior.isNull())
            cierraFamilia();
        QCOMPARE(rs->text(r, 1), QStringLiteral("Total general"));
        QCOMPARE(rs->value(r++, 4).toDouble(), general / 100.0);
        QCOMPARE(r, rs->rowCount());
    }

    // Both windows refuse an incomplete day and an empty selection, else show one row per article.
    void ventana_data()
    {
        pruebas::columnas<int, QString, QString, QString>("informe", "al", "hasta", "resultado");
        for (int i : {0, 1}) {
            const QByteArray n = i ? "valorización " : "por depósito ";
            QTest::newRow(n + "fecha a medias") << i << "31-12-20  " << "99999999" << "Quendra|error|Fecha incorrecta";
            QTest::newRow(n + "sin artículos") << i << "31-12-2026" << "" << "Quendra|info|No tiene datos para imprimir";
            QTest::newRow(n + "con datos") << i << "31-12-2026" << "000009" << (i ? "Valorización de stock" : "Stock por depósito");
        }
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
        QVERIFY(informe ? filas > 10 : filas == 9);
        vista->close();
    }
};

QUENDRA_TEST(TestInformesStock)
#include "tst_stock_reports.moc"
