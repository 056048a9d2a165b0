#include "connection.h"
#include "database_check.h"
#include "mprincipal.h"
#include "numbers.h"
#include "stock_counts.h"
#include "stock_operations.h"
#include "stored_movements.h"
#include "test_database.h"
#include "test_main.h"
#include "transfer_operations.h"

#include <QProcess>

using namespace recuentos;

namespace {

const QDate diaDelRecuento(2026, 12, 6);

// Articles 000001 and 000002 of family 0001, 000003 and 000004 of family 0002, with the costs given.
struct Tienda
{
    BaseDePrueba base;

    Tienda()
    {
        for (const char *a : {"('000001','0001','Tuerca',1.25,0)", "('000002','0001','Arandela',0.25,0)",
                              "('000003','0002','Perno',2,0)", "('000004','0002','Clavo',0.1,0)"})
            base.ejecutar(QStringLiteral("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ") + a);
    }
    void movimientos(const QStringList &lineas) const { guardarMovimientos(base, lineas); }
    // The adjustment lines: voucher, type, place, date, article, quantity, cost, note.
    QString ajustes() const
    {
        return base
            .filas("select comprobante, tipomov, deposito, fecha, numero, Entrada+Salida, costo, detalle from movstk "
                   "where detalle<>'' order by comprobante, numero")
            .join(", ");
    }
};

// A count of place 01 on 06-12-2026 with the lines "numero:cantidad ...".
int contar(const QString &lineas, const Alcance &alcance = {}, bool noContadosCero = false)
{
    Connection &c = mPrincipal::conexion();
    const int n = abrir(c, "01", diaDelRecuento, alcance, "ana");
    for (const QString &l : lineas.split(' ', Qt::SkipEmptyParts))
        recuentos::anotar(c, n, l.section(':', 0, 0), numeros::valor(l.section(':', 1)), Modo::Reemplazar);
    fijarNoContadosCero(c, n, noContadosCero);
    return n;
}

// "numero libro contado diferencia valor", a "*" after the number of an article not counted.
QString texto(const std::vector<Diferencia> &difs)
{
    QStringList t;
    for (const Diferencia &d : difs)
        t << QStringLiteral("%1%2 %3 %4 %5 %6")
                 .arg(d.numero, d.noContado ? "*" : "", numeros::numeral(d.libro), numeros::numeral(d.contado),
                      numeros::numeral(d.diferencia()), numeros::numeral(double(d.valor()) / 100));
    return t.join(", ");
}

} // namespace

// Counts of a storage place: their differences against the books, applying and discarding them.
class TestRecuentos : public QObject
{
    Q_OBJECT

private slots:
    // Movements stored before ("numero tipo cantidad deposito dd-mm"), the lines counted in place 01 on 06-12, the
    // family range covered with "Los no contados tienen 0" (empty: neither), then the differences and the
    // adjustment lines applying posts.
    void aplicar_data()
    {
        pruebas::columnas<QStringList, QString, QString, QString, QString>("movimientos", "contados", "familias",
                                                                           "diferencias", "ajustes");
        const auto fila = [](const char *caso, const QStringList &movimientos, const char *contados,
                             const char *familias, const char *diferencias, const char *ajustes) {
            QTest::newRow(caso) << movimientos << contados << familias << diferencias << ajustes;
        };
        fila("antes, el día y después del recuento",
             {"000001 EN 10 01 05-12", "000001 EN 3 01 06-12", "000001 SA 7 01 07-12"}, "000001:12", "",
             "000001 13 12 -1 -1.25", "00000004 SA 01 06-12-2026 000001 1 1.25 Ajuste por recuento 1");
        fila("sólo el depósito del recuento, exacto",
             {"000001 EN 10 01 05-12", "000001 EN 4 010 05-12", "000001 EN 5 02 05-12"}, "000001:10", "",
             "000001 10 10 0 0", "");
        fila("sobrante y faltante en dos comprobantes", {"000001 EN 10 01 05-12", "000002 EN 10 01 05-12"},
             "000002:7.5 000001:12.5 000003:1", "", "000001 10 12.5 2.5 3.12, 000002 10 7.5 -2.5 -0.62, 000003 0 1 1 2",
             "00000003 EN 01 06-12-2026 000001 2.5 1.25 Ajuste por recuento 1, "
             "00000003 EN 01 06-12-2026 000003 1 2 Ajuste por recuento 1, "
             "00000004 SA 01 06-12-2026 000002 2.5 0.25 Ajuste por recuento 1");
        fila("los no contados quedan como están", {"000001 EN 10 01 05-12", "000002 EN 5 01 05-12"}, "000001:10", "",
             "000001 10 10 0 0", "");
        fila("los no contados tienen 0 en las familias del recuento",
             {"000001 EN 10 01 05-12", "000002 EN 5 01 05-12", "000003 EN 4 01 05-12", "000004 EN 4 01 05-12"},
             "000001:10 000004:4", "0001-0001", "000001 10 10 0 0, 000002* 5 0 -5 -1.25, 000004 4 4 0 0",
             "00000005 SA 01 06-12-2026 000002 5 0.25 Ajuste por recuento 1");
        fila("un faltante mayor que el stock de hoy no se rechaza", {"000001 EN 10 01 05-12", "000001 SA 8 01 07-12"},
             "000001:4", "", "000001 10 4 -6 -7.5", "00000003 SA 01 06-12-2026 000001 6 1.25 Ajuste por recuento 1");
        fila("stock negativo en los libros", {"000001 SA 3 01 05-12"}, "000001:0", "", "000001 -3 0 3 3.75",
             "00000002 EN 01 06-12-2026 000001 3 1.25 Ajuste por recuento 1");
    }
    void aplicar()
    {
        const auto [movimientos, contados, familias] =
            pruebas::fila<QStringList, QString, QString>("movimientos", "contados", "familias");
        Tienda t;
        t.movimientos(movimientos);
        Connection &c = mPrincipal::conexion();
        const Alcance alcance{{}, {}, familias.section('-', 0, 0), familias.section('-', 1)};
        const int n = contar(contados, alcance, !familias.isEmpty());
        QTEST(texto(diferencias(c, *leer(c, n))), "diferencias");

        const Aplicacion ap = recuentos::aplicar(c, n, "bea");
        QCOMPARE(ap.rechazo, Rechazo::Ninguno);
        QTEST(texto(ap.diferencias), "diferencias");
        QTEST(t.ajustes(), "ajustes");
        QCOMPARE(ap.recuento.estado, Estado::Aplicado);
        QCOMPARE(ap.recuento.cerradoPor, QStringLiteral("bea"));
        // The books of the place at the count's day now say what was counted.
        for (const Diferencia &d : ap.diferencias)
            QCOMPARE(transferencias::stockEnDeposito(c, d.numero, "01", diaDelRecuento).alDia, d.contado);
        QCOMPARE(datos::comprobar(t.base.archivo()), QStringList());
        // The applied count keeps the figures it posted.
        t.base.ejecutar("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,Entrada,"
                        "Salida,codigo) VALUES ('00000099','EN','2026-12-01','000001',1,'','N','01',100,0,'0001')");
        QTEST(texto(diferencias(c, *leer(c, n))), "diferencias");
    }

    // A movement posted between opening the count and applying it is in the adjustment.
    void movimientoMientrasSeCuenta()
    {
        Tienda t;
        t.movimientos({"000001 EN 10 01 05-12"});
        Connection &c = mPrincipal::conexion();
        const int n = contar("000001:8");
        QCOMPARE(texto(diferencias(c, *leer(c, n))), QStringLiteral("000001 10 8 -2 -2.5"));
        operacionesStock::Linea venta;
        venta.comprobante = "00000009";
        venta.entrada = false;
        venta.fecha = diaDelRecuento;
        venta.deposito = "01";
        venta.numero = "000001";
        venta.codigo = "0001";
        venta.cantidad = 3;
        venta.costo = 1;
        QCOMPARE(operacionesStock::registrarLinea(c, venta).rechazo, operacionesStock::Rechazo::Ninguno);
        const Aplicacion ap = recuentos::aplicar(c, n, "ana");
        QCOMPARE(texto(ap.diferencias), QStringLiteral("000001 7 8 1 1.25"));
        QCOMPARE(t.ajustes(), QStringLiteral("00000010 EN 01 06-12-2026 000001 1 1.25 Ajuste por recuento 1"));
        QCOMPARE(t.base.valor("select stock from articulo where numero='000001'"), QStringLiteral("8"));
    }

    // What is done to a count after it was applied or discarded: refused, and nothing more is posted.
    void cerrado_data()
    {
        pruebas::columnas<QString, QString, QString>("primero", "rechazos", "ajustes");
        QTest::newRow("aplicar dos veces") << "aplicar"
                                           << "cerrado cerrado cerrado cerrado"
                                           << "1";
        QTest::newRow("descartar y aplicar") << "descartar"
                                             << "cerrado cerrado cerrado cerrado"
                                             << "0";
        QTest::newRow("abierto") << ""
                                 << "ninguno ninguno ninguno ninguno"
                                 << "1";
    }
    void cerrado()
    {
        const auto [primero] = pruebas::fila<QString>("primero");
        Tienda t;
        t.movimientos({"000001 EN 10 01 05-12"});
        Connection &c = mPrincipal::conexion();
        const int n = contar("000001:8");
        if (primero == "aplicar")
            QCOMPARE(recuentos::aplicar(c, n, "ana").rechazo, Rechazo::Ninguno);
        else if (primero == "descartar")
            QCOMPARE(descartar(c, n, "ana"), Rechazo::Ninguno);
        const auto nombre = [](Rechazo r) { return r == Rechazo::Cerrado ? "cerrado" : "ninguno"; };
        QStringList rechazos{nombre(recuentos::anotar(c, n, "000002", 1, Modo::Sumar).rechazo),
                             nombre(quitar(c, n, "000002")), nombre(fijarNoContadosCero(c, n, true)),
                             nombre(recuentos::aplicar(c, n, "ana").rechazo)};
        QTEST(rechazos.join(' '), "rechazos");
        QTEST(t.base.valor("select count(*) from movstk where detalle<>''"), "ajustes");
        QCOMPARE(t.base.valor("select stock from articulo where numero='000001'"),
                 primero == "descartar" ? QStringLiteral("10") : QStringLiteral("8"));
    }

    // Lines entered one after another: "numero cantidad modo" (S adds, R replaces), then the lines kept.
    void anotar_data()
    {
        pruebas::columnas<QStringList, QString, QString>("entradas", "rechazos", "lineas");
        QTest::newRow("contado dos veces, sumado") << QStringList{"000001 2.5 S", "000001 1.25 S"} << ""
                                                   << "000001 Tuerca 3.75";
        QTest::newRow("contado dos veces, reemplazado") << QStringList{"000001 2.5 S", "000001 1 R"} << ""
                                                        << "000001 Tuerca 1";
        QTest::newRow("redondeado como se registra") << QStringList{"000002 0.125 R", "000003 0.375 S"} << ""
                                                     << "000002 Arandela 0.12, 000003 Perno 0.38";
        QTest::newRow("cero es un recuento") << QStringList{"000004 0 R"} << ""
                                             << "000004 Clavo 0";
        QTest::newRow("negativo") << QStringList{"000001 -1 R"} << "0 cantidad"
                                  << "";
        QTest::newRow("demasiado grande") << QStringList{"000001 999999999.99 S", "000001 1 S"} << "1 cantidad"
                                          << "000001 Tuerca 999999999.99";
        QTest::newRow("artículo que no existe") << QStringList{"000009 1 R"} << "0 artículo"
                                                << "";
    }
    void anotar()
    {
        const auto [entradas] = pruebas::fila<QStringList>("entradas");
        Tienda t;
        Connection &c = mPrincipal::conexion();
        const int n = contar("");
        QStringList rechazos;
        for (qsizetype i = 0; i < entradas.size(); ++i) {
            const QStringList p = entradas[i].split(' ');
            const Rechazo r =
                recuentos::anotar(c, n, p[0], numeros::valor(p[1]), p[2] == "S" ? Modo::Sumar : Modo::Reemplazar)
                    .rechazo;
            if (r != Rechazo::Ninguno)
                rechazos << QString::number(i)
                         << (r == Rechazo::CantidadInvalida      ? "cantidad"
                             : r == Rechazo::ArticuloInexistente ? "artículo"
                                                                 : "otro");
        }
        QTEST(rechazos.join(' '), "rechazos");
        QStringList guardadas;
        for (const LineaContada &l : lineas(c, n))
            guardadas << l.numero + ' ' + l.nombre + ' ' + numeros::numeral(l.contado);
        QTEST(guardadas.join(", "), "lineas");
    }

    // The sheet lists the articles covered by family, the book quantity only when asked for.
    void planilla_data()
    {
        pruebas::columnas<QString, QString, bool, QString>("articulos", "familias", "conLibro", "filas");
        QTest::newRow("todos")
            << "-"
            << "-" << false << "000001 Tuerca 0001 0, 000002 Arandela 0001 0, 000003 Perno 0002 0, 000004 Clavo 0002 0";
        QTest::newRow("una familia, con libro") << "-"
                                                << "0002-0002" << true << "000003 Perno 0002 4, 000004 Clavo 0002 0";
        QTest::newRow("un rango de artículos") << "000002-000003"
                                               << "-" << true << "000002 Arandela 0001 0, 000003 Perno 0002 4";
    }
    void planilla()
    {
        const auto [articulos, familias, conLibro] =
            pruebas::fila<QString, QString, bool>("articulos", "familias", "conLibro");
        Tienda t;
        t.movimientos({"000003 EN 4 01 05-12", "000003 EN 9 02 05-12"});
        Connection &c = mPrincipal::conexion();
        const int n = contar("", {articulos.section('-', 0, 0), articulos.section('-', 1), familias.section('-', 0, 0),
                                  familias.section('-', 1)});
        QStringList filas;
        for (const ArticuloPlanilla &a : recuentos::planilla(c, *leer(c, n), conLibro))
            filas << QStringLiteral("%1 %2 %3 %4").arg(a.numero, a.nombre, a.familia, numeros::numeral(a.libro));
        QTEST(filas.join(", "), "filas");
    }
};

QUENDRA_TEST(TestRecuentos)

// Two operators entering lines into one count at once, each in a process of its own (count_operator).
class TestRecuentoSimultaneo : public QObject
{
    Q_OBJECT

private slots:
    // Each counts 50 articles of their own shelf and adds 1 to one shared article 30 times: no line is lost.
    void ningunaLineaPerdida()
    {
        BaseDePrueba base;
        for (int i = 1; i <= 101; ++i)
            base.ejecutar(QStringLiteral("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES "
                                         "('%1','0001','A',1,0)")
                              .arg(numeros::rellenarCeros(QString::number(i), 6)));
        const int n = abrir(mPrincipal::conexion(), "01", diaDelRecuento, {}, "ana");
        std::vector<std::unique_ptr<QProcess>> procesos;
        for (int i = 0; i < 2; ++i) {
            procesos.push_back(std::make_unique<QProcess>());
            procesos.back()->start(
                QStringLiteral(QUENDRA_OPERADOR_RECUENTO),
                {base.archivo(), QString::number(n), QString::number(i * 50 + 1), "50", "000101", "30"});
        }
        for (auto &p : procesos)
            QVERIFY2(p->waitForReadyRead(60000), p->readAllStandardError().constData());
        for (auto &p : procesos) { // both begin together
            p->readAllStandardOutput();
            p->write("\n");
            p->waitForBytesWritten();
        }
        for (auto &p : procesos)
            QVERIFY2(p->waitForFinished(600000) && p->exitCode() == 0, p->readAllStandardError().constData());
        QCOMPARE(base.valor(QStringLiteral("select count(*) from recuento_linea where recuento=%1").arg(n)),
                 QStringLiteral("101"));
        QCOMPARE(base.valor(QStringLiteral("select sum(contado) from recuento_linea where recuento=%1").arg(n)),
                 QStringLiteral("160"));
        QCOMPARE(*contado(mPrincipal::conexion(), n, "000101"), 60.0);
    }
};

QUENDRA_TEST(TestRecuentoSimultaneo)
#include "tst_counts.moc"
