#include "movim_fixture.h"
#include "test_main.h"
#include "transfer_operations.h"

#include <QPlainTextEdit>

// Either voucher of a transfer in the voucher form: shown read-only with the transfer named, and no line
// posted into it by number alone.
class TestMitadDeTransferencia : public QObject
{
    Q_OBJECT

    // Transfer 1 moves 4 of 000001 from 01 to 02: its exit is voucher 00000002, its entry 00000003.
    static void transferir(MovimDePrueba &m)
    {
        m.nuevoArticulo("000001", "Tuerca", 10);
        m.nuevoArticulo("000002", "Arandela", 0);
        m.movimiento("00000001", "EN", "000001", 10);
        transferencias::Transferencia t;
        t.fecha = QDate(2026, 12, 6);
        t.origen = "01";
        t.destino = "02";
        t.lineas = {{"000001", "0001", 4, 1}};
        m.base.ejecutar("INSERT INTO deposito(codigo, nombre) VALUES ('02', 'Trastienda')");
        QCOMPARE(transferencias::registrar(mPrincipal::conexion(), t).entrada, QStringLiteral("00000003"));
    }

private slots:
    void cargada_data()
    {
        pruebas::columnas<QString, QString>("comprobante", "detalle");
        QTest::newRow("la salida") << "00000002"
                                   << "Transferencia 1 de 01 a 02";
        QTest::newRow("la entrada") << "00000003"
                                    << "Transferencia 1 de 01 a 02";
    }
    void cargada()
    {
        QFETCH(QString, comprobante);
        MovimDePrueba m;
        transferir(m);
        m.cargar(comprobante);
        QCOMPARE(m.mensajes.textos(), QStringList{QStringLiteral("El comprobante %1 es parte de la transferencia 1: "
                                                                 "solo se cambia o elimina entera, desde "
                                                                 "«Transferencia entre depósitos».")
                                                      .arg(comprobante)});
        for (const char *nombre : {"t_detalle", "t_numero", "b_Guardar", "b_Nuevo", "t_Cantidad", "b_Eliminar"})
            QVERIFY2(!m.activo(nombre), nombre);
        QTEST(m.control<QPlainTextEdit>("t_detalle")->toPlainText(), "detalle");
        // A voucher of no transfer loads as before.
        m.mensajes.limpiar();
        m.cargar("00000001");
        QCOMPARE(m.mensajes.textos(), QStringList());
        QVERIFY(m.activo("b_Eliminar"));
    }

    // The number typed, not loaded: the posting refuses the line and writes nothing.
    void lineaRechazada()
    {
        MovimDePrueba m;
        transferir(m);
        m.escribir("t_Comprobante", "00000003");
        m.tipo("EN");
        m.linea("000002", "1");
        QCOMPARE(
            m.mensajes.textos(),
            QStringList{"El comprobante 00000003 es parte de una transferencia: solo se cambia o elimina entera, desde "
                        "«Transferencia entre depósitos»."});
        QCOMPARE(m.valor("select count(*) from movstk where numero='000002'"), QStringLiteral("0"));
    }
};

QUENDRA_TEST(TestMitadDeTransferencia)
#include "tst_movim_transfer.moc"
