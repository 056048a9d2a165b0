#include "database_check.h"
#include "movim_fixture.h"

#include <QRandomGenerator>

// Posting a line with b_Guardar: the checks, the row written and the stock.
class TestPosting : public QObject
{
    Q_OBJECT

    // The voucher's lines: article, type, entry, exit, cost, printed mark.
    static QString lineas(const MovimDePrueba &m, const QString &comprobante = QStringLiteral("00000002"))
    {
        return m.valor(QStringLiteral("select group_concat(numero||' '||tipomov||' '||Entrada||' '||Salida||' '||costo||' '||impreso, ', ') "
                                      "from (select * from movstk where comprobante='%1' order by numero)")
                           .arg(comprobante));
    }

private slots:
    // Each row: the line the operator fills before b_Guardar, and the message that stops it.
    void controles_data()
    {
        QTest::addColumn<QString>("linea"); // type, article, quantity, date; "-" leaves the name empty
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("icono");
        QTest::addColumn<QString>("titulo");
        const int info = QMessageBox::Information, critico = QMessageBox::Critical;
        QTest::newRow("sin artículo") << "EN|||" << "Falta ingresar el artículo" << info << "Quendra";
        QTest::newRow("sin cantidad") << "EN|7||" << "Falta ingresar la cantidad" << info << "Quendra";
        QTest::newRow("sin nombre") << "EN|7-|1|" << "Articulo incorrecto" << info << "Quendra";
        QTest::newRow("el tipo antes que el stock") << "|7|500|" << "No selecciono el tipo de movimiento" << critico << "Atención";
        QTest::newRow("salida mayor que el stock") << "SA|7|10.01|" << "La cantidad de Salida debe ser menor o igual al Stock"
                                                   << critico << "Atención";
        QTest::newRow("fecha imposible") << "EN|7|1|31022026" << "Fecha incorrecta" << info << "Quendra";
        QTest::newRow("fecha incompleta") << "SA|7|1|0612" << "Fecha incorrecta" << info << "Quendra";
    }
    void controles()
    {
        QFETCH(QString, linea);
        QFETCH(QString, mensaje);
        QFETCH(int, icono);
        QFETCH(QString, titulo);
        const QStringList p = linea.split(QLatin1Char('|'));
        MovimDePrueba m;
        m.nuevoArticulo("000007", "Tuerca", 10);
        if (!p[0].isEmpty())
            m.clic(p[0] == QLatin1String("EN") ? "op_Entra" : "op_sale");
        if (!p[3].isEmpty())
            m.fijarFecha(p[3]);
        m.articulo(QString(p[1]).remove(QLatin1Char('-')));
        m.escribir("t_Cantidad", p[2]);
        if (p[1].endsWith(QLatin1Char('-')))
            m.escribir("t_Nombre", QString());
        m.clic("b_Guardar");
        QCOMPARE(m.mensajes.textos(), QStringList{mensaje});
        QCOMPARE(int(m.mensajes.mostrados()[0].icono), icono);
        QCOMPARE(m.mensajes.mostrados()[0].titulo, titulo);
        QCOMPARE(m.valor("select count(*) || ' ' || (select stock from articulo) from movstk"), QStringLiteral("0 10.0"));
        QCOMPARE(m.texto("t_Cantidad"), p[2]);
    }

    // Lines posted into voucher "2" (stored as 00000002, typed without loading it)
    // of an article with an entry of 10 elsewhere and a shown stock of 10.
    void lineasYStock_data()
    {
        QTest::addColumn<QStringList>("postear"); // type, quantity, cost
        QTest::addColumn<QString>("filas");
        QTest::addColumn<QString>("stock");
        QTest::newRow("salida igual al stock") << QStringList{"SA 10 1"} << "000007 SA 0.0 10.0 1.0 N" << "0";
        QTest::newRow("el mismo artículo dos veces") << QStringList{"EN 5 1", "EN 3 1"} << "000007 EN 3.0 0.0 1.0 N" << "13";
        QTest::newRow("coma decimal") << QStringList{"EN 2,5 1"} << "000007 EN 2.0 0.0 1.0 N" << "12";
        QTest::newRow("sin número") << QStringList{"EN abc 1"} << "000007 EN 0.0 0.0 1.0 N" << "10";
        QTest::newRow("costo par hacia abajo") << QStringList{"EN 1 0.125"} << "000007 EN 1.0 0.0 0.12 N" << "11";
        QTest::newRow("costo impar hacia arriba") << QStringList{"EN 1 0.375"} << "000007 EN 1.0 0.0 0.38 N" << "11";
        QTest::newRow("decimales escritos") << QStringList{"EN 1.005 2.675"} << "000007 EN 1.0 0.0 2.68 N" << "11";
        QTest::newRow("salida negativa") << QStringList{"SA -5 1"} << "000007 SA 0.0 -5.0 1.0 N" << "15";
    }
    void lineasYStock()
    {
        QFETCH(QStringList, postear);
        QFETCH(QString, filas);
        QFETCH(QString, stock);
        MovimDePrueba m;
        m.nuevoArticulo("000007", "Tuerca", 10);
        m.movimiento(QStringLiteral("00000001"), QStringLiteral("EN"), QStringLiteral("000007"), 10, "S", "02");
        for (const QString &l : postear) {
            const QStringList p = l.split(QLatin1Char(' '));
            m.clic("b_NuevoComprobante");
            m.clic(p[0] == QLatin1String("EN") ? "op_Entra" : "op_sale");
            m.escribir("t_Comprobante", QStringLiteral("2"));
            m.articulo(QStringLiteral("7"));
            m.escribir("t_Cantidad", p[1]);
            m.escribir("t_Costo", p[2]);
            m.clic("b_Guardar");
        }
        QCOMPARE(m.mensajes.mostrados().size(), 0);
        QCOMPARE(lineas(m), filas);
        QCOMPARE(m.valor("select stock from articulo"), stock);
        // Ready for the next line: cleared, and the grid shows the voucher.
        QCOMPARE(m.texto("t_numero") + m.texto("t_Cantidad"), QString());
        QVERIFY(!m.control("b_Guardar")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), m.control("t_numero"));
        QCOMPARE(m.grilla()->Celda(1, 4), QStringLiteral("000007"));
    }

    // Re-posting writes the form's header again and opens the line for printing.
    void repostearEscribeLaCabeceraActual()
    {
        MovimDePrueba m;
        m.nuevoArticulo("000003", "Cable", 20);
        m.movimiento(QStringLiteral("00000004"), QStringLiteral("SA"), QStringLiteral("000001"), 1);
        m.movimiento(QStringLiteral("00000004"), QStringLiteral("SA"), QStringLiteral("000003"), 2, QStringLiteral("S"));
        m.cargar(QStringLiteral("4"));
        m.escribir("t_detalle", QStringLiteral("Entrega a O'Brien"));
        m.fijarFecha(QStringLiteral("15-12-2026"));
        m.linea(QStringLiteral("3"), QStringLiteral("1.5"));
        QCOMPARE(m.valor("select group_concat(impreso||' '||fecha||' '||detalle, ', ') from movstk"),
                 QStringLiteral("N 2026-11-02 Nota 00000004, N 2026-12-15 Entrega a O'Brien"));
    }

    // When the stock cannot be written the row is not kept either, and the line can be posted again.
    void filaYStockJuntosONada()
    {
        MovimDePrueba m;
        m.nuevoArticulo("000001", "Tornillo", 4);
        m.base.ejecutar("CREATE TRIGGER sin_stock BEFORE UPDATE OF stock ON articulo BEGIN "
                        "SELECT RAISE(ABORT, 'stock bloqueado'); END");
        m.comprobanteNuevo("EN");
        m.linea(QStringLiteral("1"), QStringLiteral("6"));
        QCOMPARE(m.mensajes.textos().size(), 1);
        QVERIFY(m.mensajes.textos()[0].contains(QStringLiteral("stock bloqueado")));
        QCOMPARE(m.valor("select count(*) || ' ' || (select stock from articulo) from movstk"), QStringLiteral("0 4.0"));
        m.base.ejecutar("DROP TRIGGER sin_stock");
        m.clic("b_Guardar");
        QCOMPARE(m.valor("select count(*) || ' ' || (select stock from articulo) from movstk"), QStringLiteral("1 6.0"));
    }

    // Random entries and exits over several vouchers and both storage places,
    // through the controls: afterwards every stock equals its movements.
    void rafagaDeMilLineas()
    {
        MovimDePrueba m(BaseDePrueba::Demo);
        QRandomGenerator azar(20261206);
        const QStringList abiertos{"1", "2", "4", "5", "6", "8"};
        for (int i = 0; i < 1000; ++i) {
            if (i % 25 == 0 && azar.bounded(2) == 0)
                m.cargar(abiertos[azar.bounded(int(abiertos.size()))]);
            else if (i % 25 == 0)
                m.comprobanteNuevo(azar.bounded(3) == 0 ? "SA" : "EN");
            m.linea(QString::number(azar.bounded(1, 37)), QString::number(azar.bounded(1, 4000) / 100.0));
        }
        const QStringList mensajes = m.mensajes.textos();
        QVERIFY(mensajes.size() < 500);
        QCOMPARE(mensajes.count(QStringLiteral("La cantidad de Salida debe ser menor o igual al Stock")), mensajes.size());
        QCOMPARE(m.valor("select count(distinct deposito) || ' ' || (count(*) > 200) from movstk"), QStringLiteral("2 1"));
        QCOMPARE(datos::comprobar(m.base.archivo()), QStringList{});
    }
};

QUENDRA_TEST(TestPosting)
#include "tst_posting.moc"
