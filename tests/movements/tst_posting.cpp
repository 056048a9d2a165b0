#include "data_sets.h"
#include "database_check.h"
#include "movim_fixture.h"

#include <QRandomGenerator>

// Posting a line with b_Guardar: the checks, the row written and the stock.
class TestPosting : public QObject
{
    Q_OBJECT

    static QString lineas(const MovimDePrueba &m, const QString &comprobante)
    {
        return m.valor(QStringLiteral("select group_concat(numero||':'||tipomov||':'||Entrada||':'||Salida||':'||costo, ' ') "
                                      "from (select * from movstk where comprobante='%1' order by numero)")
                           .arg(comprobante));
    }
    static QString stock(const MovimDePrueba &m, const QString &numero)
    {
        return m.valor(QStringLiteral("select stock from articulo where numero='%1'").arg(numero));
    }

private slots:
    // Each row: what the operator fills before b_Guardar, and the one message expected.
    void controles_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("cantidad");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("icono");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<bool>("borrarNombre");
        const int info = QMessageBox::Information, critico = QMessageBox::Critical;
        QTest::newRow("sin artículo") << "" << "1" << "EN" << "" << "Falta ingresar el artículo" << info << "Quendra" << false;
        QTest::newRow("sin cantidad") << "7" << "" << "EN" << "" << "Falta ingresar la cantidad" << info << "Quendra"
                                      << false;
        QTest::newRow("sin nombre") << "7" << "1" << "EN" << "" << "Articulo incorrecto" << info << "Quendra" << true;
        QTest::newRow("sin tipo, antes que el stock") << "7" << "500" << "" << "" << "No selecciono el tipo de movimiento"
                                                      << critico << "Atención" << false;
        QTest::newRow("salida mayor que el stock") << "7" << "10.01" << "SA" << "" << "La cantidad de Salida debe ser menor o igual al Stock"
                                                   << critico << "Atención" << false;
        QTest::newRow("fecha imposible") << "7" << "1" << "EN" << "31-02-2026" << "Fecha incorrecta" << info << "Quendra"
                                         << false;
        QTest::newRow("fecha incompleta") << "7" << "1" << "SA" << "0612" << "Fecha incorrecta" << info << "Quendra"
                                          << false;
    }
    void controles()
    {
        QFETCH(QString, numero);
        QFETCH(QString, cantidad);
        QFETCH(QString, tipo);
        QFETCH(QString, fecha);
        QFETCH(QString, mensaje);
        QFETCH(int, icono);
        QFETCH(QString, titulo);
        QFETCH(bool, borrarNombre);
        MovimDePrueba m;
        m.nuevoArticulo("000007", "Tuerca", 10);
        if (!tipo.isEmpty())
            m.clic(tipo == QLatin1String("EN") ? "op_Entra" : "op_sale");
        if (!fecha.isEmpty()) {
            m.escribir("t_fecha", QString());
            m.fijarFecha(fecha);
        }
        m.articulo(numero);
        m.escribir("t_Cantidad", cantidad);
        if (borrarNombre)
            m.escribir("t_Nombre", QString());
        m.clic("b_Guardar");
        QCOMPARE(m.mensajes.textos(), QStringList{mensaje});
        QCOMPARE(int(m.mensajes.mostrados()[0].icono), icono);
        QCOMPARE(m.mensajes.mostrados()[0].titulo, titulo);
        QCOMPARE(m.valor("select count(*) from movstk"), QStringLiteral("0"));
        QCOMPARE(stock(m, "000007"), QStringLiteral("10"));
        QCOMPARE(m.texto("t_Cantidad"), cantidad);
    }

    void salidaIgualAlStockPasa()
    {
        MovimDePrueba m;
        m.nuevoArticulo("000007", "Tuerca", 10);
        m.movimiento(QStringLiteral("00000001"), QStringLiteral("EN"), QStringLiteral("000007"), 10);
        m.comprobanteNuevo("SA", QStringLiteral("7"), QStringLiteral("10"));
        QCOMPARE(m.mensajes.mostrados().size(), 0);
        QCOMPARE(lineas(m, "00000002"), QStringLiteral("000007:SA:0.0:10.0:1.0"));
        QCOMPARE(stock(m, "000007"), QStringLiteral("0"));
        // The line is cleared and the grid shows it.
        QCOMPARE(m.texto("t_numero"), QString());
        QVERIFY(!m.control("b_Guardar")->isEnabled());
        QCOMPARE(m.grilla()->CantidadFilas(), 1);
        QVERIFY(!m.grilla()->EstaVacio());
    }

    void mismoArticuloDosVecesQuedaUnaFila()
    {
        MovimDePrueba m;
        m.nuevoArticulo("000042", "Tornillo");
        m.comprobanteNuevo("EN", QStringLiteral("42"), QStringLiteral("5"));
        m.linea(QStringLiteral("42"), QStringLiteral("3"));
        QCOMPARE(lineas(m, "00000001"), QStringLiteral("000042:EN:3.0:0.0:1.0"));
        QCOMPARE(stock(m, "000042"), QStringLiteral("3"));
        QCOMPARE(m.grilla()->CantidadFilas(), 1);
    }

    void valoresDeLaLinea_data()
    {
        QTest::addColumn<QString>("cantidad");
        QTest::addColumn<QString>("costo");
        QTest::addColumn<QString>("linea");
        QTest::newRow("coma decimal") << "2,5" << "1" << "000001:EN:2.0:0.0:1.0";
        QTest::newRow("sin número") << "abc" << "1" << "000001:EN:0.0:0.0:1.0";
        QTest::newRow("costo par hacia abajo") << "1" << "0.125" << "000001:EN:1.0:0.0:0.12";
        QTest::newRow("costo impar hacia arriba") << "1" << "0.375" << "000001:EN:1.0:0.0:0.38";
        QTest::newRow("costo vacío") << "1" << "" << "000001:EN:1.0:0.0:0.0";
        QTest::newRow("cantidad a dos decimales") << "1.005" << "2.675" << "000001:EN:1.0:0.0:2.68";
        QTest::newRow("entrada negativa") << "-5" << "1" << "000001:EN:-5.0:0.0:1.0";
    }
    void valoresDeLaLinea()
    {
        QFETCH(QString, cantidad);
        QFETCH(QString, costo);
        QFETCH(QString, linea);
        MovimDePrueba m;
        m.nuevoArticulo("000001", "Tornillo");
        m.clic("op_Entra");
        m.linea(QStringLiteral("1"), cantidad, costo);
        QCOMPARE(m.mensajes.mostrados().size(), 0);
        QCOMPARE(lineas(m, "00000001"), linea);
    }

    void stockSumaTodosLosComprobantesYDepositos()
    {
        MovimDePrueba m;
        m.nuevoArticulo("000005", "Pincel", 99);
        m.movimiento(QStringLiteral("00000001"), QStringLiteral("EN"), QStringLiteral("000005"), 10, QStringLiteral("N"),
                     QStringLiteral("02"));
        m.movimiento(QStringLiteral("00000002"), QStringLiteral("SA"), QStringLiteral("000005"), 3, QStringLiteral("S"));
        m.comprobanteNuevo("EN", QStringLiteral("5"), QStringLiteral("4"));
        QCOMPARE(stock(m, "000005"), QStringLiteral("11"));
        // A sum written with 15 significant digits: 0.1 + 0.2 is 0.3.
        m.linea(QStringLiteral("5"), QStringLiteral("0.1"));
        m.clic("b_NuevoComprobante");
        m.clic("op_Entra");
        m.linea(QStringLiteral("5"), QStringLiteral("0.2"));
        QCOMPARE(stock(m, "000005"), QStringLiteral("7.3"));
    }

    void repostearEscribeLaCabeceraActual()
    {
        MovimDePrueba m;
        m.nuevoArticulo("000003", "Cable", 20);
        // The first line is unprinted, so the voucher loads open for posting.
        m.movimiento(QStringLiteral("00000004"), QStringLiteral("SA"), QStringLiteral("000001"), 1);
        m.movimiento(QStringLiteral("00000004"), QStringLiteral("SA"), QStringLiteral("000003"), 2, QStringLiteral("S"));
        m.cargar(QStringLiteral("4"));
        m.escribir("t_detalle", QStringLiteral("Entrega a O'Brien"));
        m.fijarFecha(QStringLiteral("15-12-2026"));
        m.linea(QStringLiteral("3"), QStringLiteral("1.5"));
        QCOMPARE(m.valor("select impreso||' '||fecha||' '||detalle||' '||Salida from movstk where numero='000003'"),
                 QStringLiteral("N 2026-12-15 Entrega a O'Brien 1.5"));
        QCOMPARE(m.valor("select detalle from movstk where numero='000001'"), QStringLiteral("Nota 00000004"));
    }

    // A short voucher number typed without loading is stored with its eight digits.
    void comprobanteTecleadoSeGuardaConOchoCifras()
    {
        MovimDePrueba m;
        m.nuevoArticulo("000001", "Tornillo");
        m.escribir("t_Comprobante", QStringLiteral("5"));
        m.clic("op_Entra");
        m.linea(QStringLiteral("1"), QStringLiteral("2"));
        QCOMPARE(m.valor("select comprobante from movstk"), QStringLiteral("00000005"));
        QCOMPARE(m.texto("t_Comprobante"), QStringLiteral("00000005"));
    }

    // When the stock cannot be written, the row is not kept either.
    void filaYStockJuntosONada()
    {
        MovimDePrueba m;
        m.nuevoArticulo("000001", "Tornillo", 4);
        m.base.ejecutar("CREATE TRIGGER sin_stock BEFORE UPDATE OF stock ON articulo BEGIN "
                        "SELECT RAISE(ABORT, 'stock bloqueado'); END");
        m.comprobanteNuevo("EN", QStringLiteral("1"), QStringLiteral("6"));
        QCOMPARE(m.mensajes.mostrados().size(), 1);
        QVERIFY(m.mensajes.mostrados()[0].texto.contains(QStringLiteral("stock bloqueado")));
        QCOMPARE(m.mensajes.mostrados()[0].icono, QMessageBox::Critical);
        QCOMPARE(m.valor("select count(*) from movstk"), QStringLiteral("0"));
        QCOMPARE(stock(m, "000001"), QStringLiteral("4"));
        // The form stays usable: the line is still there to post again.
        m.base.ejecutar("DROP TRIGGER sin_stock");
        m.clic("b_Guardar");
        QCOMPARE(stock(m, "000001"), QStringLiteral("6"));
    }

    // Random entries and exits over several vouchers and both storage places,
    // through the controls: afterwards every stock equals its movements.
    void rafagaDeMilLineas()
    {
        MovimDePrueba m(BaseDePrueba::Demo);
        QRandomGenerator azar(20261206);
        const QStringList abiertos{"1", "2", "4", "5", "6", "8"};
        int salidasRechazadas = 0;
        for (int i = 0; i < 1000; ++i) {
            if (i % 25 == 0) {
                if (azar.bounded(2) == 0) {
                    m.cargar(abiertos[azar.bounded(int(abiertos.size()))]);
                } else {
                    m.clic("b_NuevoComprobante");
                    m.clic(azar.bounded(3) == 0 ? "op_sale" : "op_Entra");
                }
            }
            m.mensajes.limpiar();
            const QString articulo = QString::number(azar.bounded(1, 37));
            const QString cantidad = QString::number(azar.bounded(1, 4000) / 100.0);
            m.linea(articulo, cantidad);
            if (!m.mensajes.mostrados().isEmpty()) {
                QCOMPARE(m.mensajes.textos(), QStringList{"La cantidad de Salida debe ser menor o igual al Stock"});
                ++salidasRechazadas;
            }
        }
        QVERIFY(salidasRechazadas < 500);
        QVERIFY(m.valor("select count(distinct deposito) from movstk").toInt() >= 2);
        QVERIFY(m.valor("select count(*) from movstk").toInt() > 100);
        QCOMPARE(datos::comprobar(m.base.archivo()), QStringList{});
    }
};

QUENDRA_TEST(TestPosting)
#include "tst_posting.moc"
