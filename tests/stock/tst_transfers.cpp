#include "connection.h"
#include "database_check.h"
#include "dates.h"
#include "mprincipal.h"
#include "numbers.h"
#include "quendra_error.h"
#include "recordset.h"
#include "stock_operations.h"
#include "stored_movements.h"
#include "test_database.h"
#include "test_main.h"
#include "transfer_operations.h"

#include <QProcess>

using namespace transferencias;

namespace {

// Places 01, 02 and 03; articles 000001 "Tuerca" and 000002 "Arandela", whose stored stock is what their
// movements give.
struct Depositos
{
    BaseDePrueba base;

    Depositos()
    {
        base.ejecutar("INSERT INTO deposito(codigo, nombre) VALUES ('02','Trastienda'),('03','Sucursal')");
        for (const char *a : {"('000001','0001','Tuerca',1,0)", "('000002','0001','Arandela',2,0)"})
            base.ejecutar(QStringLiteral("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ") + a);
    }
    void movimientos(const QStringList &lineas) const { guardarMovimientos(base, lineas); }
    // The lines of transfers: voucher, type, place, article, quantity, note.
    QString lineas() const
    {
        return base
            .filas("select comprobante, tipomov, deposito, numero, Entrada+Salida, detalle from movstk where "
                   "detalle<>'' order by comprobante, numero")
            .join(", ");
    }
    QString stock() const { return base.filas("select stock from articulo order by numero").join(' '); }
    QString transferencias() const
    {
        return base
            .filas(
                "select numero, fecha, origen, destino, comprobante_salida, comprobante_entrada from transferencia order by numero")
            .join(", ");
    }
};

// "origen destino numero:cantidad ...", dated 06-12-2026.
Transferencia transferencia(const QString &texto)
{
    const QStringList p = texto.split(' ', Qt::SkipEmptyParts);
    Transferencia t;
    t.fecha = QDate(2026, 12, 6);
    t.origen = p.value(0);
    t.destino = p.value(1);
    t.detalle = "Reposición";
    for (const QString &l : p.mid(2))
        t.lineas.append({l.section(':', 0, 0), "0001", numeros::valor(l.section(':', 1)), 1});
    return t;
}

QString texto(const Resultado &r)
{
    const QString linea = QStringLiteral(" en la línea %1: %2").arg(r.indice).arg(numeros::numeral(r.stock));
    switch (r.rechazo) {
    case Rechazo::Ninguno:
        return QStringLiteral("%1 %2 %3").arg(r.numero).arg(r.salida, r.entrada);
    case Rechazo::MismoDeposito:
        return "mismo depósito";
    case Rechazo::DepositoInexistente:
        return "depósito inexistente";
    case Rechazo::SinLineas:
        return "sin líneas";
    case Rechazo::ArticuloRepetido:
        return QStringLiteral("repetido en la línea %1").arg(r.indice);
    case Rechazo::CantidadInvalida:
        return QStringLiteral("cantidad inválida en la línea %1").arg(r.indice);
    case Rechazo::SinStockEnOrigen:
        return "sin stock en el origen" + linea;
    case Rechazo::SinStock:
        return "sin stock" + linea;
    case Rechazo::SinNumeros:
        return "sin números " + r.ultimo;
    case Rechazo::Impresa:
        return "impresa";
    case Rechazo::NoExiste:
        return "no existe";
    }
    return {};
}

} // namespace

// Posting, changing and deleting transfers, on the database the run opens.
class TestTransferencias : public QObject
{
    Q_OBJECT

private slots:
    // Movements stored before ("numero tipo cantidad deposito dd-mm"), the transfer, then its result, the lines it
    // left and the stock of both articles.
    void registrar_data()
    {
        pruebas::columnas<QStringList, QString, QString, QString, QString>("movimientos", "transferencia", "resultado",
                                                                           "lineas", "stock");
        const QStringList diezEn01{"000001 EN 10 01 02-12", "000002 EN 5 01 02-12"};
        const auto fila = [](const char *caso, const QStringList &movimientos, const char *transferencia,
                             const char *resultado, const char *lineas, const char *stock) {
            QTest::newRow(caso) << movimientos << transferencia << resultado << lineas << stock;
        };
        fila("dos artículos", diezEn01, "01 02 000001:4 000002:5", "1 00000003 00000004",
             "00000003 SA 01 000001 4 Transferencia 1 de 01 a 02, 00000003 SA 01 000002 5 Transferencia 1 de 01 a 02, "
             "00000004 EN 02 000001 4 Transferencia 1 de 01 a 02, 00000004 EN 02 000002 5 Transferencia 1 de 01 a 02",
             "10 5");
        fila("todo lo del origen", diezEn01, "01 03 000001:10", "1 00000003 00000004",
             "00000003 SA 01 000001 10 Transferencia 1 de 01 a 03, 00000004 EN 03 000001 10 Transferencia 1 de 01 a 03",
             "10 5");
        fila("el stock de otro depósito no cuenta", {"000001 EN 10 01 02-12", "000001 EN 50 02 02-12"},
             "01 03 000001:10.01", "sin stock en el origen en la línea 0: 10", "", "60 0");
        fila("sin movimientos en el origen", {"000001 EN 50 02 02-12"}, "01 03 000001:1",
             "sin stock en el origen en la línea 0: 0", "", "50 0");
        fila("la segunda línea", diezEn01, "01 02 000001:1 000002:6", "sin stock en el origen en la línea 1: 5", "",
             "10 5");
        fila("una entrada posterior a la fecha no cuenta", {"000001 EN 10 01 07-12"}, "01 02 000001:1",
             "sin stock en el origen en la línea 0: 0", "", "10 0");
        fila("una salida posterior la reserva", {"000001 EN 10 01 02-12", "000001 SA 8 01 20-12"}, "01 02 000001:3",
             "sin stock en el origen en la línea 0: 2", "", "2 0");
        fila("el total de todos los depósitos también", {"000001 EN 10 01 02-12", "000001 SA 8 02 02-12"},
             "01 02 000001:3", "sin stock en la línea 0: 2", "", "2 0");
        fila("la cantidad redondeada", diezEn01, "01 02 000001:10.004", "1 00000003 00000004",
             "00000003 SA 01 000001 10 Transferencia 1 de 01 a 02, 00000004 EN 02 000001 10 Transferencia 1 de 01 a 02",
             "10 5");
        fila("mismo depósito", diezEn01, "01 01 000001:1", "mismo depósito", "", "10 5");
        fila("depósito que no existe", diezEn01, "01 09 000001:1", "depósito inexistente", "", "10 5");
        fila("sin líneas", diezEn01, "01 02", "sin líneas", "", "10 5");
        fila("un artículo en dos líneas", diezEn01, "01 02 000001:1 000001:2", "repetido en la línea 1", "", "10 5");
        fila("cantidad cero", diezEn01, "01 02 000001:1 000002:0.004", "cantidad inválida en la línea 1", "", "10 5");
        fila("cantidad negativa", diezEn01, "01 02 000001:-1", "cantidad inválida en la línea 0", "", "10 5");
    }
    void registrar()
    {
        const auto [movimientos, t] = pruebas::fila<QStringList, QString>("movimientos", "transferencia");
        Depositos d;
        d.movimientos(movimientos);
        QTEST(texto(transferencias::registrar(mPrincipal::conexion(), transferencia(t))), "resultado");
        QTEST(d.lineas(), "lineas");
        QTEST(d.stock(), "stock");
        QCOMPARE(d.transferencias().isEmpty(), d.lineas().isEmpty());
        QCOMPARE(datos::comprobar(d.base.archivo()), QStringList());
    }

    // 200 lines posted whole; a refusal in the last line, or a database error after it (a stray row already naming
    // the exit voucher the transfer takes), leaves nothing at all.
    void todoONada_data()
    {
        pruebas::columnas<QString, QString, QString>("ultima", "resultado", "lineas");
        QTest::newRow("todas") << "1"
                               << "1 00000201 00000202"
                               << "400";
        QTest::newRow("la última sin stock") << "2"
                                             << "sin stock en el origen en la línea 199: 1"
                                             << "0";
        QTest::newRow("un error de la base después de la última") << "error"
                                                                  << ""
                                                                  << "0";
    }
    void todoONada()
    {
        const auto [ultima] = pruebas::fila<QString>("ultima");
        Depositos d;
        Transferencia t = transferencia("01 02");
        QStringList entradas;
        for (int i = 1; i <= 200; ++i) {
            const QString numero = numeros::rellenarCeros(QString::number(i), 6);
            entradas << numero + " EN 1 01 01-12";
            t.lineas.append({numero, "0001", 1, 1});
        }
        d.movimientos(entradas);
        for (int i = 3; i <= 200; ++i)
            d.base.ejecutar(QStringLiteral("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES "
                                           "('%1','0001','Artículo',1,1)")
                                .arg(numeros::rellenarCeros(QString::number(i), 6)));
        if (ultima == "error")
            d.base.ejecutar(
                "INSERT INTO transferencia(numero,fecha,origen,destino,comprobante_salida,comprobante_entrada) VALUES "
                "(99,'2026-12-01','01','02','00000201','-')");
        else
            t.lineas.last().cantidad = numeros::valor(ultima);
        if (ultima == "error") {
            QVERIFY_THROWS_EXCEPTION(QuendraError, transferencias::registrar(mPrincipal::conexion(), t));
            QVERIFY(!mPrincipal::conexion().inTransaction());
        } else {
            QTEST(texto(transferencias::registrar(mPrincipal::conexion(), t)), "resultado");
        }
        QTEST(d.base.valor("select count(*) from movstk where detalle<>''"), "lineas");
        QCOMPARE(d.base.valor("select count(*) from transferencia where numero<>99"), ultima == "1" ? "1" : "0");
        QCOMPARE(d.base.valor("select sum(stock) from articulo"), QStringLiteral("200"));
        QCOMPARE(datos::comprobar(d.base.archivo()), QStringList());
    }

    // A stored transfer changed, deleted or printed as a whole: what is left, the stock, and the places' stock.
    void comoUnTodo_data()
    {
        pruebas::columnas<QString, QString, QString, QString>("accion", "resultado", "lineas", "enDepositos");
        QTest::newRow("cambiada: 000002 fuera, 000001 a 03")
            << "cambiar 01 03 000001:6"
            << "1 00000003 00000004"
            << "00000003 SA 01 000001 6 Transferencia 1 de 01 a 03, 00000004 EN 03 000001 6 Transferencia 1 de 01 a 03"
            << "4 0 6 5 0 0";
        QTest::newRow("cambiada: más que lo que el origen tenía antes de ella")
            << "cambiar 01 02 000001:11"
            << "sin stock en el origen en la línea 0: 10"
            << "00000003 SA 01 000001 4 Transferencia 1 de 01 a 02, 00000003 SA 01 000002 5 Transferencia 1 de 01 a 02, "
               "00000004 EN 02 000001 4 Transferencia 1 de 01 a 02, 00000004 EN 02 000002 5 Transferencia 1 de 01 a 02"
            << "6 4 0 0 5 0";
        QTest::newRow("eliminada") << "eliminar"
                                   << "1 00000003 00000004"
                                   << ""
                                   << "10 0 0 5 0 0";
        QTest::newRow("impresa: no se elimina")
            << "imprimir eliminar"
            << "impresa"
            << "00000003 SA 01 000001 4 Transferencia 1 de 01 a 02, 00000003 SA 01 000002 5 Transferencia 1 de 01 a 02, "
               "00000004 EN 02 000001 4 Transferencia 1 de 01 a 02, 00000004 EN 02 000002 5 Transferencia 1 de 01 a 02"
            << "6 4 0 0 5 0";
        QTest::newRow("impresa: no se cambia") << "imprimir cambiar 01 02 000001:1"
                                               << "impresa"
                                               << "00000003 SA 01 000001 4 Transferencia 1 de 01 a 02, 00000003 SA 01 "
                                                  "000002 5 Transferencia 1 de 01 a 02, 00000004 EN 02 000001 4 "
                                                  "Transferencia 1 de 01 a 02, 00000004 EN 02 000002 5 Transferencia 1 "
                                                  "de 01 a 02"
                                               << "6 4 0 0 5 0";
        QTest::newRow("eliminada por otro antes") << "eliminar eliminar"
                                                  << "no existe"
                                                  << ""
                                                  << "10 0 0 5 0 0";
    }
    void comoUnTodo()
    {
        QFETCH(QString, accion);
        Depositos d;
        d.movimientos({"000001 EN 10 01 02-12", "000002 EN 5 01 02-12"});
        Connection &c = mPrincipal::conexion();
        QCOMPARE(texto(transferencias::registrar(c, transferencia("01 02 000001:4 000002:5"))),
                 QStringLiteral("1 00000003 00000004"));
        Resultado r;
        for (QStringList pasos = accion.split(' '); !pasos.isEmpty();) {
            const QString paso = pasos.takeFirst();
            if (paso == "imprimir") {
                QVERIFY(transferencias::marcarImpresa(c, 1).has_value());
            } else if (paso == "eliminar") {
                r = transferencias::eliminar(c, 1);
            } else {
                Transferencia t = transferencia(pasos.join(' '));
                t.numero = 1;
                r = transferencias::registrar(c, t);
                pasos.clear();
            }
        }
        QTEST(texto(r), "resultado");
        QTEST(d.lineas(), "lineas");
        QStringList enDepositos;
        for (const char *numero : {"000001", "000002"})
            for (const char *deposito : {"01", "02", "03"})
                enDepositos << numeros::numeral(stockEnDeposito(c, numero, deposito, QDate(2026, 12, 31)).total);
        QTEST(enDepositos.join(' '), "enDepositos");
        QCOMPARE(d.transferencias().isEmpty(), d.lineas().isEmpty());
        QCOMPARE(datos::comprobar(d.base.archivo()), QStringList());
    }

    // Reading it back, and the voucher each half belongs to.
    void leer()
    {
        Depositos d;
        d.movimientos({"000001 EN 10 01 02-12", "000002 EN 5 01 02-12"});
        Connection &c = mPrincipal::conexion();
        transferencias::registrar(c, transferencia("01 02 000002:2.5 000001:4"));
        QCOMPARE(texto(transferencias::registrar(c, transferencia("02 03 000001:1"))),
                 QStringLiteral("2 00000005 00000006"));
        const std::optional<Transferencia> t = transferencias::leer(c, 1);
        QVERIFY(t.has_value());
        QCOMPARE(QStringList({fechas::texto(t->fecha), t->origen, t->destino, t->detalle, t->salida, t->entrada}),
                 QStringList({"06-12-2026", "01", "02", "Reposición", "00000003", "00000004"}));
        QStringList lineas;
        for (const Linea &l : t->lineas)
            lineas << l.numero + ' ' + numeros::numeral(l.cantidad);
        QCOMPARE(lineas, QStringList({"000001 4", "000002 2.5"}));
        QVERIFY(!t->impresa);
        QVERIFY(!transferencias::leer(c, 3));
        QStringList de;
        for (const char *comprobante : {"00000002", "00000003", "00000004", "00000006"})
            de << QString::number(deComprobante(c, comprobante));
        QCOMPARE(de.join(' '), QStringLiteral("0 1 1 2"));
    }

    // A line posted on its own into either half is refused, whatever the stock: the pair would disagree.
    void unaMitadNoCambiaSola_data()
    {
        pruebas::columnas<QString>("comprobante");
        QTest::newRow("la salida") << "00000003";
        QTest::newRow("la entrada") << "00000004";
    }
    void unaMitadNoCambiaSola()
    {
        QFETCH(QString, comprobante);
        Depositos d;
        d.movimientos({"000001 EN 10 01 02-12", "000002 EN 5 01 02-12"});
        Connection &c = mPrincipal::conexion();
        transferencias::registrar(c, transferencia("01 02 000001:4"));
        const QString antes = d.lineas();
        operacionesStock::Linea l{.comprobante = comprobante,
                                  .nuevo = false,
                                  .entrada = true,
                                  .fecha = QDate(2026, 12, 6),
                                  .deposito = "02",
                                  .detalle = "",
                                  .numero = "000002",
                                  .codigo = "0001",
                                  .cantidad = 1,
                                  .costo = 1};
        const operacionesStock::Resultado r = operacionesStock::registrarLinea(c, l);
        QCOMPARE(int(r.rechazo), int(operacionesStock::Rechazo::DeTransferencia));
        QCOMPARE(r.comprobante, comprobante);
        QCOMPARE(d.lineas(), antes);
        QCOMPARE(d.base.valor("select count(*) from movstk where numero='000002'"), QStringLiteral("1"));
        // Nor is either half deleted on its own.
        QCOMPARE(int(operacionesStock::eliminarComprobante(c, comprobante).rechazo),
                 int(operacionesStock::Rechazo::DeTransferencia));
        QCOMPARE(d.lineas(), antes);
    }
};

QUENDRA_TEST(TestTransferencias)

// Two operators transferring out of one place at once, each in a process of its own (transfer_operator).
class TestTransferenciasSimultaneas : public QObject
{
    Q_OBJECT

private slots:
    // 10 units in 01, two operators transferring 1 unit 20 times each: exactly 10 accepted.
    void nuncaMasQueElOrigen()
    {
        Depositos d;
        d.movimientos({"000001 EN 10 01 02-12", "000001 EN 30 03 02-12"});
        std::vector<std::unique_ptr<QProcess>> procesos;
        for (int i = 0; i < 2; ++i) {
            procesos.push_back(std::make_unique<QProcess>());
            procesos.back()->start(QStringLiteral(QUENDRA_OPERADOR_TRANSFERENCIAS),
                                   {d.base.archivo(), "20", "000001", "01", i == 0 ? "02" : "03"});
        }
        for (auto &p : procesos)
            QVERIFY2(p->waitForReadyRead(60000), p->readAllStandardError().constData());
        for (auto &p : procesos) { // both begin together
            p->readAllStandardOutput();
            p->write("\n");
            p->waitForBytesWritten();
        }
        int aceptadas = 0;
        for (auto &p : procesos) {
            QVERIFY2(p->waitForFinished(600000) && p->exitCode() == 0, p->readAllStandardError().constData());
            aceptadas += QString::fromUtf8(p->readAllStandardOutput()).section(' ', 1).trimmed().toInt();
        }
        QCOMPARE(aceptadas, 10);
        QCOMPARE(d.base.valor("select count(*) from transferencia"), QStringLiteral("10"));
        QCOMPARE(numeros::numeral(stockEnDeposito(mPrincipal::conexion(), "000001", "01", QDate(2026, 12, 31)).total),
                 QStringLiteral("0"));
        QCOMPARE(datos::comprobar(d.base.archivo()), QStringList());
    }
};

QUENDRA_TEST(TestTransferenciasSimultaneas)
#include "tst_transfers.moc"
