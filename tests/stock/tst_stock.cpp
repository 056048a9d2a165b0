#include "connection.h"
#include "line_text.h"
#include "mprincipal.h"
#include "numbers.h"
#include "quendra_error.h"
#include "stock_operations.h"
#include "test_database.h"
#include "test_main.h"

using namespace operacionesStock;

namespace {

// A fresh database with articles 000007 "Tuerca" and 000008 "Arandela". The stored stock of 000007, 99, stands
// apart from what its movements give, 10: an entry in voucher 00000001 of place 02. 000008 has no movements.
struct Existencias
{
    BaseDePrueba base;

    Existencias()
    {
        base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ('000007','0001','Tuerca',1,99)");
        base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ('000008','0001','Arandela',1,0)");
        movimiento("00000001", "000007 EN 10 N", "02");
    }
    // A stored line: "numero tipo cantidad impreso".
    void movimiento(const QString &comprobante, const QString &linea, const QString &deposito = "01") const
    {
        const QStringList p = linea.split(' ');
        const bool entra = p[1] == "EN";
        base.ejecutar(QStringLiteral("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,"
                                     "deposito,Entrada,Salida,codigo) VALUES ('%1','%2','2026-11-02','%3',1,'',"
                                     "'%4','%5',%6,%7,'0001')")
                          .arg(comprobante, p[1], p[0], p[3], deposito, entra ? p[2] : "0", entra ? "0" : p[2]));
    }
    // Lines another operator stored meanwhile: an entry of article 000001 in each voucher.
    void otroOperador(const QStringList &comprobantes) const
    {
        for (const QString &c : comprobantes)
            movimiento(c, "000001 EN 1 N");
    }
    // The lines posted by the test (not the other operator's, nor the first entry): voucher, article, type,
    // entry, exit, cost.
    QString filas() const
    {
        return base
            .filas("select comprobante, numero, tipomov, Entrada, Salida, costo from movstk where numero<>'000001' "
                   "and not (comprobante='00000001' and numero='000007') order by comprobante, numero")
            .join(", ");
    }
    // The stored stock of 000007 and 000008.
    QString stock() const { return base.filas("select stock from articulo order by numero").join(' '); }
};

using pruebas::linea;

QList<Linea> lineas(const QStringList &textos)
{
    QList<Linea> l;
    for (const QString &t : textos)
        l << linea(t);
    return l;
}

// The voucher a line went to, or the refusal with what it found.
QString texto(const Resultado &r)
{
    switch (r.rechazo) {
    case Rechazo::Ninguno:
        return r.comprobante;
    case Rechazo::SinStock:
        return "sin stock " + numeros::numeral(r.stock);
    case Rechazo::SinNumeros:
        return "sin números " + r.ultimo;
    case Rechazo::Impreso:
        return "impreso " + r.comprobante;
    case Rechazo::DeTransferencia:
        return "de una transferencia " + r.comprobante;
    }
    return {};
}

} // namespace

// Posting lines one by one and as a set, on the database the run opens.
class TestRegistroDeLineas : public QObject
{
    Q_OBJECT

    // Vouchers another operator stored before the posting, the lines posted, then each line's voucher or refusal,
    // the rows they leave and the stock of 000007 and 000008.
    static void tablaDeLineas()
    {
        pruebas::columnas<QStringList, QStringList, QString, QString, QString>("guardados", "lineas", "resultado",
                                                                               "filas", "stock");
    }

private slots:
    void registrarLinea_data()
    {
        tablaDeLineas();
        const QStringList no;
        const auto fila = [](const char *caso, const QStringList &guardados, const QStringList &lineas,
                             const char *resultado, const char *filas, const char *stock) {
            QTest::newRow(caso) << guardados << lineas << resultado << filas << stock;
        };
        fila("salida igual al stock", no, QStringList{"00000002 SA 000007 10 1"}, "00000002",
             "00000002 000007 SA 0 10 1", "0 0");
        fila("salida mayor: nada escrito", no, QStringList{"00000002 SA 000007 10.01 1"}, "sin stock 10", "", "99 0");
        fila("salida sin movimientos", no, QStringList{"00000002 SA 000008 0.01 1"}, "sin stock 0", "", "99 0");
        fila("la cantidad redondeada antes de compararla", no, QStringList{"00000002 SA 000007 10.004 2.675"},
             "00000002", "00000002 000007 SA 0 10 2.68", "0 0");
        fila("repostear reemplaza la línea", no, QStringList{"00000002 EN 000007 5 1", "00000002 EN 000007 3 2"},
             "00000002, 00000002", "00000002 000007 EN 3 0 2", "13 0");
        fila("una salida reposteada: su cantidad anterior disponible", no,
             QStringList{"00000002 SA 000007 6 1", "00000002 SA 000007 9 1"}, "00000002, 00000002",
             "00000002 000007 SA 0 9 1", "1 0");
        fila("una salida reposteada mayor que el stock sin ella", no,
             QStringList{"00000002 SA 000007 6 1", "00000002 SA 000007 10.5 1"}, "00000002, sin stock 10",
             "00000002 000007 SA 0 6 1", "4 0");
        fila("una entrada reposteada como salida", no, QStringList{"00000002 EN 000007 5 1", "00000002 SA 000007 4 1"},
             "00000002, 00000002", "00000002 000007 SA 0 4 1", "6 0");
        fila("número nuevo libre", no, QStringList{"00000002* EN 000008 1 1"}, "00000002", "00000002 000008 EN 1 0 1",
             "99 1");
        fila("número nuevo tomado: el siguiente al mayor", QStringList{"00000002", "00000005"},
             QStringList{"00000002* EN 000008 1 1"}, "00000006", "00000006 000008 EN 1 0 1", "99 1");
        fila("comprobante guardado: no cambia", QStringList{"00000002"}, QStringList{"00000002 EN 000008 1 1"},
             "00000002", "00000002 000008 EN 1 0 1", "99 1");
        fila("el último número", QStringList{"00000002", "99999998"}, QStringList{"00000002* EN 000008 1 1"},
             "99999999", "99999999 000008 EN 1 0 1", "99 1");
        fila("sin números", QStringList{"00000002", "99999999"}, QStringList{"00000002* EN 000008 1 1"},
             "sin números 99999999", "", "99 0");
    }
    void registrarLinea()
    {
        const auto [guardados, textos] = pruebas::fila<QStringList, QStringList>("guardados", "lineas");
        Existencias e;
        e.otroOperador(guardados);
        QStringList resultados;
        for (const QString &t : textos)
            resultados << texto(operacionesStock::registrarLinea(mPrincipal::conexion(), linea(t)));
        QTEST(resultados.join(", "), "resultado");
        QTEST(e.filas(), "filas");
        QTEST(e.stock(), "stock");
    }

    // The header values are written as given over the line's old ones.
    void columnasDeLaLinea()
    {
        Existencias e;
        e.movimiento("00000002", "000008 EN 1 N");
        Linea l = linea("00000002 EN 000008 2 1");
        l.fecha = QDate(2026, 12, 15);
        l.deposito = "02";
        l.detalle = "Entrega a O'Brien";
        l.codigo = "0003";
        QCOMPARE(texto(operacionesStock::registrarLinea(mPrincipal::conexion(), l)), QStringLiteral("00000002"));
        QCOMPARE(e.base.filas("select fecha, deposito, detalle, codigo, impreso, Entrada from movstk where "
                              "comprobante='00000002'"),
                 QStringList{"15-12-2026 02 Entrega a O'Brien 0003 N 2"});
    }

    // Index of the refused line (-1: none), then each line's voucher or the refusal.
    void registrarLineas_data()
    {
        tablaDeLineas();
        QTest::addColumn<int>("indice");
        const QStringList no;
        QTest::newRow("todas") << no
                               << QStringList{"00000002* EN 000008 4 1", "00000002* SA 000007 3 1",
                                              "00000003* SA 000008 4 1"}
                               << "00000002 00000002 00000003"
                               << "00000002 000007 SA 0 3 1, 00000002 000008 EN 4 0 1, 00000003 000008 SA 0 4 1"
                               << "7 0" << -1;
        QTest::newRow("la tercera sin stock: ninguna")
            << no << QStringList{"00000002* EN 000008 4 1", "00000002* SA 000007 3 1", "00000003* SA 000008 5 1"}
            << "sin stock 4"
            << ""
            << "99 0" << 2;
        QTest::newRow("el nuevo tomado: sus líneas juntas en el siguiente")
            << QStringList{"00000002"}
            << QStringList{"00000002* EN 000008 1 1", "00000002* EN 000007 1 1", "00000003* EN 000008 2 1"}
            << "00000003 00000003 00000004"
            << "00000003 000007 EN 1 0 1, 00000003 000008 EN 1 0 1, 00000004 000008 EN 2 0 1"
            << "11 3" << -1;
        QTest::newRow("sin números en la segunda: ninguna")
            << QStringList{"00000002", "99999999"} << QStringList{"00000001 EN 000008 1 1", "00000002* EN 000008 1 1"}
            << "sin números 99999999"
            << ""
            << "99 0" << 1;
    }
    void registrarLineas()
    {
        const auto [guardados, textos, indice] =
            pruebas::fila<QStringList, QStringList, int>("guardados", "lineas", "indice");
        Existencias e;
        e.otroOperador(guardados);
        const ResultadoLineas r = operacionesStock::registrarLineas(mPrincipal::conexion(), lineas(textos));
        QTEST(r.indice == -1 ? r.comprobantes.join(' ') : texto(r.resultado), "resultado");
        QCOMPARE(r.indice, indice);
        QTEST(e.filas(), "filas");
        QTEST(e.stock(), "stock");
    }

    // Many lines posted together give what posting them one by one gives: the first refusal and its line, or
    // each line's voucher, every column of every stored row and the stock written back.
    void loteComoLineaALinea_data()
    {
        pruebas::columnas<QStringList, QStringList>("guardados", "lineas");
        const QStringList no;
        QTest::newRow("entradas en dos nuevos, un artículo dos veces")
            << no
            << QStringList{"00000002* EN 000008 4 1.5", "00000002* EN 000007 2.004 2.675", "00000003* EN 000008 1 1",
                           "00000002* EN 000008 6 3"};
        QTest::newRow("salidas entre entradas del lote")
            << no << QStringList{"00000002* EN 000008 4 1",   "00000002* SA 000007 3 1",   "00000003* SA 000008 4 1",
                                 "00000003* EN 000007 0.1 1", "00000003* EN 000007 0.2 1", "00000004* SA 000007 7.3 1"};
        QTest::newRow("una salida mayor que lo que dejan las anteriores")
            << no << QStringList{"00000002* EN 000008 4 1", "00000003* SA 000008 4.01 1", "00000003* EN 000007 1 1"};
        QTest::newRow("sobre una línea guardada del comprobante")
            << QStringList{"00000002"} << QStringList{"00000002 EN 000001 5 1", "00000002 EN 000008 1 1"};
        QTest::newRow("el nuevo tomado por otro y por el lote mismo")
            << QStringList{"00000002"}
            << QStringList{"00000002* EN 000008 1 1", "00000003* EN 000007 1 1", "00000003* EN 000008 2 1"};
        QTest::newRow("sin números en la segunda")
            << QStringList{"00000002", "99999999"} << QStringList{"00000001 EN 000008 1 1", "00000002* EN 000008 1 1"};
        QTest::newRow("en un comprobante impreso")
            << QStringList{} << QStringList{"00000005* EN 000008 1 1", "00000009 EN 000007 1 1"};
    }
    void loteComoLineaALinea()
    {
        const auto [guardados, textos] = pruebas::fila<QStringList, QStringList>("guardados", "lineas");
        Existencias e;
        e.otroOperador(guardados);
        e.movimiento("00000009", "000008 EN 1 S");
        Connection &c = mPrincipal::conexion();
        const auto asentado = [&](auto registrar) {
            Transaction t(c);
            const ResultadoLineas r = registrar(c, lineas(textos));
            // After a refusal the caller rolls back: what was written meanwhile does not count.
            if (r.indice != -1)
                return QStringList{texto(r.resultado), QString::number(r.indice)};
            return QStringList{r.comprobantes.join(' '),
                               e.base
                                   .filas("select comprobante, tipomov, fecha, numero, costo, detalle, impreso, "
                                          "deposito, Entrada, Salida, codigo from movstk order by comprobante, numero")
                                   .join(", "),
                               e.base.filas("select numero, stock from articulo order by numero").join(", ")};
        };
        const QStringList unaAUna = asentado(operacionesStock::registrarLineasEnCurso);
        QCOMPARE(asentado(operacionesStock::registrarLoteEnCurso), unaAUna);
        QVERIFY(!c.inTransaction());
    }

    // An error of the database in the third line leaves nothing of the first two, and no transaction open.
    void unErrorDeshaceElConjunto()
    {
        Existencias e;
        const QStringList textos{"00000002 EN 000008 4 1", "00000002 SA 000007 3 1", "00000002 EN 000007 1 1"};
        QList<Linea> l = lineas(textos);
        l[2].numero.clear();
        QVERIFY_THROWS_EXCEPTION(QuendraError, operacionesStock::registrarLineas(mPrincipal::conexion(), l));
        QVERIFY(!mPrincipal::conexion().inTransaction());
        QCOMPARE(e.filas(), QString());
        QCOMPARE(e.stock(), QStringLiteral("99 0"));
    }
};

QUENDRA_TEST(TestRegistroDeLineas)

// Deleting a voucher and marking it printed.
class TestComprobante : public QObject
{
    Q_OBJECT

private slots:
    // Lines of voucher 00000005 ("numero tipo cantidad impreso"), then what deleting it gives, the rows left of
    // it and of voucher 00000009, and the stock of 000007 and 000008 written back from what is left.
    void eliminarComprobante_data()
    {
        pruebas::columnas<QStringList, QString, QString, QString>("lineas", "resultado", "filas", "stock");
        QTest::newRow("sin imprimir") << QStringList{"000007 SA 2 N", "000008 EN 3 N"} << "00000005"
                                      << "00000009 000008 EN 1 0 1"
                                      << "10 1";
        QTest::newRow("una línea impresa: nada")
            << QStringList{"000007 SA 2 N", "000008 EN 3 S"} << "impreso 00000005"
            << "00000005 000007 SA 0 2 1, 00000005 000008 EN 3 0 1, 00000009 000008 EN 1 0 1"
            << "99 0";
        QTest::newRow("sin líneas") << QStringList{} << "00000005"
                                    << "00000009 000008 EN 1 0 1"
                                    << "99 0";
    }
    void eliminarComprobante()
    {
        QFETCH(QStringList, lineas);
        Existencias e;
        for (const QString &l : lineas)
            e.movimiento("00000005", l);
        e.movimiento("00000009", "000008 EN 1 N");
        QTEST(texto(operacionesStock::eliminarComprobante(mPrincipal::conexion(), "00000005")), "resultado");
        QTEST(e.filas(), "filas");
        QTEST(e.stock(), "stock");
    }

    // Nothing is posted into a voucher with a printed line: not over a line, not as a new one.
    void nadaSeAgregaAUnImpreso_data()
    {
        pruebas::columnas<QString>("linea");
        QTest::newRow("sobre la impresa") << "00000002 EN 000008 2 1";
        QTest::newRow("otro artículo") << "00000002 SA 000007 1 1";
    }
    void nadaSeAgregaAUnImpreso()
    {
        QFETCH(QString, linea);
        Existencias e;
        e.movimiento("00000002", "000008 EN 1 S");
        QCOMPARE(texto(operacionesStock::registrarLinea(mPrincipal::conexion(), ::linea(linea))),
                 QStringLiteral("impreso 00000002"));
        QCOMPARE(e.filas(), QStringLiteral("00000002 000008 EN 1 0 1"));
        QCOMPARE(e.stock(), QStringLiteral("99 0"));
    }

    // Lines of voucher 00000004 ("numero tipo cantidad impreso"), then the exit total, the ticket's rows and
    // the marks left on the voucher's lines; the lines of voucher 00000001 stay unprinted.
    void marcarImpreso_data()
    {
        pruebas::columnas<QStringList, QString, QStringList, QString>("lineas", "total", "filas", "marcas");
        QTest::newRow("salidas") << QStringList{"000007 SA 2 N", "000008 SA 1.5 N"} << "3.5"
                                 << QStringList{"000007 Tuerca 2", "000008 Arandela 1.5"} << "S S";
        QTest::newRow("una ya impresa") << QStringList{"000007 SA 2 S", "000008 SA 1 N"} << "3"
                                        << QStringList{"000007 Tuerca 2", "000008 Arandela 1"} << "S S";
        QTest::newRow("suma binaria cortada a 15 cifras")
            << QStringList{"000007 SA 0.1 N", "000008 SA 0.2 N"} << "0.3"
            << QStringList{"000007 Tuerca 0.1", "000008 Arandela 0.2"} << "S S";
        QTest::newRow("artículo sin ficha: en el total, no en las filas")
            << QStringList{"000007 SA 2 N", "000009 SA 4 N"} << "6" << QStringList{"000007 Tuerca 2"} << "S S";
        QTest::newRow("entrada") << QStringList{"000008 EN 2 N"} << "0" << QStringList{"000008 Arandela 0"} << "S";
        QTest::newRow("sin líneas") << QStringList{} << "0" << QStringList{} << "";
    }
    void marcarImpreso()
    {
        QFETCH(QStringList, lineas);
        Existencias e;
        for (const QString &l : lineas)
            e.movimiento("00000004", l);
        const Impresion impresion = operacionesStock::marcarImpreso(mPrincipal::conexion(), "00000004");
        QTEST(numeros::numeral(impresion.totalSalida), "total");
        QStringList filas = filasComoTexto(*impresion.filas);
        filas.sort();
        QTEST(filas, "filas");
        QTEST(e.base.filas("select impreso from movstk where comprobante='00000004' order by numero").join(' '),
              "marcas");
        QCOMPARE(e.base.valor("select impreso from movstk where comprobante='00000001'"), QStringLiteral("N"));
    }
};

QUENDRA_TEST(TestComprobante)
#include "tst_stock.moc"
