#include "change_record.h"
#include "connection.h"
#include "line_text.h"
#include "mprincipal.h"
#include "numbers.h"
#include "quendra_error.h"
#include "schema_version.h"
#include "stock_counts.h"
#include "stock_operations.h"
#include "test_database.h"
#include "test_main.h"
#include "transfer_operations.h"

#include <QCoreApplication>

namespace {

// Article 000007 with 10 in place 01 (voucher 00000001), article 000008 with none; places 01 and 02.
struct ConRegistro
{
    BaseDePrueba base;

    ConRegistro()
    {
        base.ejecutar("INSERT INTO deposito(codigo, nombre) VALUES ('02','Trastienda')");
        base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ('000007','0001','Tuerca',1,10)");
        base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ('000008','0001','Arandela',1,0)");
        base.ejecutar("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,Entrada,"
                      "Salida,codigo) VALUES ('00000001','EN','2026-11-02','000007',1,'','N','01',10,0,'0001')");
    }
    // Each row of the record: kind|article|voucher|what|before|after.
    QStringList registro() const
    {
        return base.filas("select tipo || '|' || coalesce(numero,'') || '|' || coalesce(comprobante,'') || '|' || "
                          "coalesce(objeto,'') || '|' || coalesce(anterior,'') || '|' || coalesce(nuevo,'') "
                          "from registro_cambios order by id");
    }
};

using pruebas::linea;

// "origen destino numero:cantidad", dated 06-12-2026.
transferencias::Transferencia transferencia(const QString &texto, int numero = 0)
{
    const QStringList p = texto.split(' ');
    transferencias::Transferencia t;
    t.numero = numero;
    t.fecha = QDate(2026, 12, 6);
    t.origen = p[0];
    t.destino = p[1];
    for (const QString &l : p.mid(2))
        t.lineas.append({l.section(':', 0, 0), "0001", numeros::valor(l.section(':', 1)), 1});
    return t;
}

// One step: "linea ...", "elimina C", "imprime C", "transfiere ...", "retransfiere N ...", "remito N",
// "anula N", "recuenta numero:cantidad", "descarta numero:cantidad".
void paso(const QString &texto)
{
    Connection &c = mPrincipal::conexion();
    const QString orden = texto.section(' ', 0, 0);
    const QString resto = texto.section(' ', 1);
    if (orden == "linea")
        operacionesStock::registrarLinea(c, linea(resto));
    else if (orden == "elimina")
        operacionesStock::eliminarComprobante(c, resto);
    else if (orden == "imprime")
        operacionesStock::marcarImpreso(c, resto);
    else if (orden == "transfiere")
        transferencias::registrar(c, transferencia(resto));
    else if (orden == "retransfiere")
        transferencias::registrar(c, transferencia(resto.section(' ', 1), resto.section(' ', 0, 0).toInt()));
    else if (orden == "remito")
        transferencias::marcarImpresa(c, resto.toInt());
    else if (orden == "anula")
        transferencias::eliminar(c, resto.toInt());
    else if (orden == "recuenta" || orden == "descarta") {
        // A count of place 01 on 06-12-2026 with one article counted, "numero:cantidad".
        const int n = recuentos::abrir(c, "01", QDate(2026, 12, 6), {}, "ana");
        recuentos::anotar(c, n, resto.section(':', 0, 0), numeros::valor(resto.section(':', 1)),
                          recuentos::Modo::Reemplazar);
        if (orden == "recuenta")
            recuentos::aplicar(c, n, "ana");
        else
            recuentos::descartar(c, n, "ana");
    } else
        QFAIL(qPrintable("paso desconocido " + texto));
}

} // namespace

// Every change the stock operations make leaves one row in the record, in the
// same transaction: a refused change leaves none.
class TestRegistroCambios : public QObject
{
    Q_OBJECT

private slots:
    void unaFilaPorCambio_data()
    {
        pruebas::columnas<QStringList, QStringList>("pasos", "registro");
        const QString alta = "tipo: EN; cantidad: 3; costo: 2; depósito: 01; fecha: 06-12-2026; detalle: Nota";
        QTest::newRow("línea nueva") << QStringList{"linea 00000002 EN 000008 3 2"}
                                     << QStringList{"linea-alta|000008|00000002|||" + alta};
        QTest::newRow("línea cambiada: sólo lo que cambió")
            << QStringList{"linea 00000002 EN 000008 3 2", "linea 00000002 EN 000008 5 2"}
            << QStringList{"linea-alta|000008|00000002|||" + alta,
                           "linea-cambio|000008|00000002||cantidad: 3|cantidad: 5"};
        QTest::newRow("línea guardada antes, cambiada")
            << QStringList{"linea 00000001 EN 000007 12 1"}
            << QStringList{"linea-cambio|000007|00000001||cantidad: 10; fecha: 02-11-2026; detalle: |cantidad: 12; "
                           "fecha: 06-12-2026; detalle: Nota"};
        QTest::newRow("salida sin stock: nada") << QStringList{"linea 00000002 SA 000008 1 1"} << QStringList{};
        QTest::newRow("comprobante eliminado")
            << QStringList{"elimina 00000001"} << QStringList{"comprobante-baja||00000001||artículos: 000007|"};
        QTest::newRow("comprobante impreso")
            << QStringList{"imprime 00000001"} << QStringList{"comprobante-impreso||00000001|||líneas marcadas: 1"};
        QTest::newRow("impreso no se elimina: nada más")
            << QStringList{"imprime 00000001", "elimina 00000001"}
            << QStringList{"comprobante-impreso||00000001|||líneas marcadas: 1"};
        const QString deLaTransferencia = "Transferencia 1 (salida 00000002, entrada 00000003)";
        QTest::newRow("transferencia registrada, cambiada y anulada: una fila cada vez")
            << QStringList{"transfiere 01 02 000007:4", "retransfiere 1 01 02 000007:6", "anula 1"}
            << QStringList{"transferencia||00000002|" + deLaTransferencia + "||de 01 a 02, 1 líneas",
                           "transferencia-cambio||00000002|" + deLaTransferencia + "||de 01 a 02, 1 líneas",
                           "transferencia-baja||00000002|" + deLaTransferencia + "|artículos: 000007|"};
        QTest::newRow("remito de una transferencia")
            << QStringList{"transfiere 01 02 000007:4", "remito 1"}
            << QStringList{"transferencia||00000002|" + deLaTransferencia + "||de 01 a 02, 1 líneas",
                           "comprobante-impreso||00000002|" + deLaTransferencia + "||remito"};
        QTest::newRow("recuento aplicado: una fila por todo el recuento")
            << QStringList{"recuenta 000007:7"}
            << QStringList{"conteo|||Recuento 1, depósito 01||artículos: 1; comprobante de entrada: ; "
                           "comprobante de salida: 00000002"};
        QTest::newRow("recuento descartado: nada") << QStringList{"descarta 000007:7"} << QStringList{};
        QTest::newRow("transferencia sin stock: nada") << QStringList{"transfiere 01 02 000007:11"} << QStringList{};
    }
    void unaFilaPorCambio()
    {
        const auto [pasos, registro] = pruebas::fila<QStringList, QStringList>("pasos", "registro");
        ConRegistro d;
        for (const QString &p : pasos)
            paso(p);
        QCOMPARE(d.registro(), registro);
    }

    // Who and when: the computer's user and name; on a server also its role, and the day is the database's.
    void quienYCuando()
    {
        ConRegistro d;
        paso("imprime 00000001");
        const QString rol = BaseDePrueba::enServidor() ? d.base.valor("select current_user") : QString();
        const QString dia = d.base.filas("select fecha from registro_cambios").value(0);
        const QStringList esperado{rol, registroCambios::usuarioDelSistema(), registroCambios::equipo(), dia};
        QCOMPARE(d.base.filas("select coalesce(rol,''), usuario, equipo, fecha from registro_cambios"),
                 QStringList{esperado.join(' ')});
        QCOMPARE(QDate::fromString(dia, "dd-MM-yyyy"), QDate::currentDate());
    }

    // A row written inside a transaction that is rolled back is gone with it.
    void seDeshaceConLaTransaccion()
    {
        ConRegistro d;
        {
            Transaction t(mPrincipal::conexion());
            registroCambios::anotar(mPrincipal::conexion(), {registroCambios::Tipo::Conteo, "000007", {}, {}, {}, "x"});
        }
        QCOMPARE(d.registro(), QStringList{});
    }

    // Texts with quotes and day-first dates are stored as given, not read as statements or dates.
    void textosTalCual()
    {
        ConRegistro d;
        Transaction t(mPrincipal::conexion());
        registroCambios::anotar(
            mPrincipal::conexion(),
            {registroCambios::Tipo::ArticuloCambio, "000007", {}, {}, "nombre: O'Brien", "02-03-2026"});
        t.commit();
        QCOMPARE(d.registro(), QStringList{"articulo-cambio|000007|||nombre: O'Brien|02-03-2026"});
    }

    // A server's operator roles, given their rights as an upgrade gives them, may add rows but never change or
    // delete them.
    void operadorNoBorra()
    {
        if (!BaseDePrueba::enServidor())
            QSKIP("los roles son del servidor");
        ConRegistro d;
        paso("linea 00000002 EN 000008 3 2");
        const QString rol = QStringLiteral("operador_registro_%1").arg(QCoreApplication::applicationPid());
        d.base.ejecutar("CREATE ROLE " + rol + " NOLOGIN");
        const auto quitar = qScopeGuard([&] {
            d.base.ejecutar("RESET ROLE");
            d.base.ejecutar("DROP OWNED BY " + rol);
            d.base.ejecutar("DROP ROLE " + rol);
        });
        d.base.ejecutar("GRANT USAGE ON SCHEMA " + d.base.valor("select current_schema()") + " TO " + rol);
        d.base.ejecutar("GRANT SELECT, INSERT, UPDATE, DELETE ON movstk TO " + rol);
        mPrincipal::conexion().ejecutarGuion(versionEsquema::guionPermisosServidor());
        d.base.ejecutar("SET ROLE " + rol);
        for (const char *sql : {"DELETE FROM registro_cambios", "UPDATE registro_cambios SET nuevo = 'otro'",
                                "TRUNCATE registro_cambios"}) {
            try {
                d.base.ejecutar(QString::fromLatin1(sql));
                QFAIL(sql);
            } catch (const QuendraError &e) {
                QVERIFY2(e.descripcion().contains("registro_cambios"), qPrintable(e.descripcion()));
            }
        }
        paso("imprime 00000001");
        QCOMPARE(d.base.valor("select count(*) from registro_cambios where rol = '" + rol + "'"), "1");
        QCOMPARE(d.base.valor("select count(*) from registro_cambios"), "2");
    }

    void diferencias_data()
    {
        pruebas::columnas<QStringList, QStringList, QString, QString>("antes", "despues", "anterior", "nuevo");
        QTest::newRow("igual") << QStringList{"Tuerca", "2"} << QStringList{"Tuerca", "2"} << ""
                               << "";
        QTest::newRow("un número igual escrito de otro modo")
            << QStringList{"Tuerca", "2.50"} << QStringList{"Tuerca ", "2,5"} << ""
            << "";
        QTest::newRow("dos columnas") << QStringList{"Tuerca", "2"} << QStringList{"Tornillo", "3"}
                                      << "nombre: Tuerca; costo: 2"
                                      << "nombre: Tornillo; costo: 3";
        QTest::newRow("vacía y cero no son lo mismo")
            << QStringList{"Tuerca", ""} << QStringList{"Tuerca", "0"} << "costo: "
            << "costo: 0";
    }
    void diferencias()
    {
        const auto [antes, despues, anterior, nuevo] =
            pruebas::fila<QStringList, QStringList, QString, QString>("antes", "despues", "anterior", "nuevo");
        const auto d = registroCambios::diferencias({"nombre", "costo"}, antes, despues);
        QCOMPARE(d.anterior, anterior);
        QCOMPARE(d.nuevo, nuevo);
    }
};
QUENDRA_TEST(TestRegistroCambios)

#include "tst_change_record.moc"
