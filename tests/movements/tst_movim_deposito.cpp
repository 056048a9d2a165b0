#include "lista_depositos.h"
#include "movim_fixture.h"
#include "test_main.h"

// The storage place of a voucher: the computer's or one picked from the list for a new voucher until its
// first line is posted; a loaded voucher's own. Place 02 is "Sucursal"; articles 000001 and 000002 are in stock.
class TestDepositoDelComprobante : public QObject
{
    Q_OBJECT

    std::unique_ptr<MovimDePrueba> m;

    ListaDepositos *lista() const { return m->control<ListaDepositos>("cbo_Deposito"); }
    // The box and the list: "01 = 01 — Depósito 01 (abierta)".
    QString lugar() const
    {
        return m->texto("t_Deposito") + " = " + lista()->currentText()
               + (lista()->isEnabled() ? " (abierta)" : " (cerrada)");
    }

private slots:
    void init()
    {
        m = std::make_unique<MovimDePrueba>();
        m->base.ejecutar("INSERT INTO deposito(codigo, nombre) VALUES ('02', 'Sucursal')");
        m->nuevoArticulo("000001", "Tornillo", 50);
        m->nuevoArticulo("000002", "Tuerca", 50);
    }
    void cleanup() { m.reset(); }

    // The computer's place when the form opens, the place picked (if any) and the other then tried after
    // the first line: the place the lines are posted in.
    void comprobanteNuevo_data()
    {
        pruebas::columnas<QString, QString, QString>("puesto", "elegido", "despues");
        QTest::newRow("el del puesto") << QString("01") << QString() << QString("02");
        QTest::newRow("otro de la lista") << QString("01") << QString("02") << QString("01");
        QTest::newRow("otro puesto") << QString("02") << QString() << QString("01");
    }
    void comprobanteNuevo()
    {
        const auto [puesto, elegido, despues] =
            pruebas::fila<QString, QString, QString>("puesto", "elegido", "despues");
        mPrincipal::depositoDefecto = puesto;
        m->mostrar();
        const QString nombre = puesto == "01" ? "Depósito 01" : "Sucursal";
        QCOMPARE(lugar(), puesto + " = " + puesto + " — " + nombre + " (abierta)");
        QCOMPARE(lista()->count(), 2);
        const QString usado = elegido.isEmpty() ? puesto : elegido;
        if (!elegido.isEmpty())
            pruebas::elegirEnLista(lista(), elegido);
        QCOMPARE(m->texto("t_Deposito"), usado);
        m->tipo("EN");
        m->linea("1", "2");
        // The voucher's place is settled: the list shows it and takes no other.
        QVERIFY(lugar().startsWith(usado + " = " + usado + " — ") && lugar().endsWith("(cerrada)"));
        pruebas::elegirEnLista(lista(), despues);
        m->linea("2", "3");
        QCOMPARE(m->base.filas("select comprobante, deposito, Entrada from movstk order by Entrada"),
                 (QStringList{"00000001 " + usado + " 2", "00000001 " + usado + " 3"}));
        QVERIFY(!m->activo("t_Deposito"));
        // A new voucher may choose again, from the place shown.
        m->clic("b_NuevoComprobante");
        QVERIFY(lugar().startsWith(usado + " = ") && lugar().endsWith("(abierta)"));
        QCOMPARE(m->mensajes.textos(), QStringList());
    }

    // A loaded voucher shows its own place, also one that has no row among the places, and no other can be
    // picked for it; a new voucher opens the list again.
    void comprobanteCargado_data()
    {
        pruebas::columnas<QString, QString, QString>("deposito", "impreso", "lugar");
        const QString sucursal = "02 = 02 — Sucursal (cerrada)";
        QTest::newRow("de otro depósito") << QString("02") << QString("N") << sucursal;
        QTest::newRow("impreso") << QString("02") << QString("S") << sucursal;
        QTest::newRow("depósito sin fila") << QString("07") << QString("N") << QString("07 = 07 (cerrada)");
    }
    void comprobanteCargado()
    {
        const auto [deposito, impreso] = pruebas::fila<QString, QString>("deposito", "impreso");
        m->movimiento("00000005", "EN", "000001", 4, impreso, deposito);
        m->cargar("5");
        QTEST(lugar(), "lugar");
        pruebas::elegirEnLista(lista(), "01");
        QTEST(lugar(), "lugar");
        m->linea("1", "1");
        QCOMPARE(m->base.filas("select distinct deposito from movstk"), QStringList{deposito});
        m->clic("b_NuevoComprobante");
        QVERIFY(lugar().endsWith("(abierta)"));
        pruebas::elegirEnLista(lista(), "01");
        QCOMPARE(lugar(), QStringLiteral("01 = 01 — Depósito 01 (abierta)"));
    }
};

QUENDRA_TEST(TestDepositoDelComprobante)
#include "tst_movim_deposito.moc"
