#include "database_check.h"
#include "mprincipal.h"
#include "recordset.h"
#include "stock_reports.h"
#include "test_database.h"
#include "test_main.h"
#include "transfer_operations.h"

// "Stock por depósito" before and after a transfer: the quantities move from one column to the other, the total
// and the stored stock stay, and no mark appears.
class TestTransferenciaEnStock : public QObject
{
    Q_OBJECT

    static QStringList informe()
    {
        const StockPorDeposito s = armarStockPorDeposito({"31-12-2026", "0", "999999", "0", "9999"});
        return QStringList{s.depositos.join(' ')} + filasComoTexto(*s.filas);
    }

private slots:
    void antesYDespues()
    {
        BaseDePrueba base;
        base.ejecutar("INSERT INTO deposito(codigo, nombre) VALUES ('02', 'Trastienda')");
        base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ('000001','0001','Tuerca',1,12),"
                      "('000002','0001','Arandela',1,5)");
        base.ejecutar("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,Entrada,"
                      "Salida,codigo) VALUES ('00000001','EN','2026-12-01','000001',1,'','N','01',10,0,'0001'),"
                      "('00000001','EN','2026-12-01','000002',1,'','N','01',5,0,'0001'),"
                      "('00000002','EN','2026-12-01','000001',1,'','N','02',2,0,'0001')");
        QCOMPARE(informe(),
                 QStringList({"01 02", "000001 Tuerca 10 2 12  ", "000002 Arandela 5  5  ", " Total 15 2 17  NR"}));
        transferencias::Transferencia t;
        t.fecha = QDate(2026, 12, 6);
        t.origen = "01";
        t.destino = "02";
        t.lineas = {{"000001", "0001", 7.5, 1}, {"000002", "0001", 5, 1}};
        QCOMPARE(int(transferencias::registrar(mPrincipal::conexion(), t).rechazo),
                 int(transferencias::Rechazo::Ninguno));
        QCOMPARE(informe(), QStringList({"01 02", "000001 Tuerca 2.5 9.5 12  ", "000002 Arandela 0 5 5  ",
                                         " Total 2.5 14.5 17  NR"}));
        QCOMPARE(datos::comprobar(base.archivo()), QStringList());
    }
};

QUENDRA_TEST(TestTransferenciaEnStock)
#include "tst_transfer_stock.moc"
