#include "catalogue_sql.h"
#include "connection.h"
#include "movim_sql.h"
#include "mprincipal.h"
#include "stock_reports.h"
#include "stock_sql.h"
#include "test_database.h"
#include "test_main.h"

// Each statement the work forms build gives on the server the columns, type codes and rows it gives on
// the file, in the same order unless it is a join that names none.
class TestSentenciasEnAmbosMotores : public QObject
{
    Q_OBJECT

    BaseDePrueba base{BaseDePrueba::Demo};
    Connection servidor;

    static QStringList leer(Connection &c, const QString &sql, bool enOrden = true)
    {
        auto rs = c.execute(sql);
        QStringList filas = filasComoTexto(*rs), columnas;
        if (!enOrden)
            filas.sort();
        for (int i = 0; i < rs->fieldCount(); ++i)
            columnas << rs->name(i).toLower() + ':' + QString::number(int(rs->type(i)));
        return QStringList{columnas.join(' ')} + filas;
    }

private slots:
    void initTestCase()
    {
        // Nulls where the two engines could order apart: an article without name or family, a movement without place.
        base.ejecutar("INSERT INTO articulo(numero,costo,stock) VALUES ('000090',1.25,0)");
        base.ejecutar("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,impreso,Entrada,Salida) "
                      "VALUES ('00000099','EN',#02-03-2026#,'000001',1,'N',3,0)");
        servidor.open(base.copiarAlServidor());
        // Rows written after the copy move on the server's pages, as a grid's save does.
        for (Connection *c : {&mPrincipal::conexion(), &servidor})
            for (const char *sql : {"UPDATE articulo SET costo=costo+1 WHERE numero='000001'",
                                    "UPDATE familia SET familia=familia WHERE id=1",
                                    "UPDATE movstk SET detalle='x' WHERE comprobante='00000004'"})
                c->execute(sql);
    }

    void mismasFilas_data()
    {
        pruebas::columnas<QString, bool>("sentencia", "enOrden");
        const FiltroStock s{"31-12-2026", "0", "99999999", "0", "99999999"};
        const QString linea = sqlStock::condicionLinea("00000004", "000008");
        for (const QString &sql : {sqlStock::ultimoComprobante(), sqlStock::lineasDelComprobante("00000004"),
                                   sqlMovim::articulosPorNumero("1", "000001"), sqlMovim::articulo("000010"),
                                   sqlStock::lineaExistente(linea), sqlStock::lineasSinImprimir("00000004"),
                                   sqlStock::totalSalida("00000004"), sqlStock::suma("000001"), sentenciaDepositos(s),
                                   sentenciaStockPorDeposito(s, {QString(), "01", "02"}), sentenciaValorizacion(s),
                                   sqlCatalogo::grillaArticulos(), sqlCatalogo::articulosPorNombre("o"),
                                   sqlCatalogo::articulo("000001"), sqlCatalogo::familia("0001"),
                                   sqlCatalogo::grillaFamilias(), sqlCatalogo::familiaExistente("codigo='0002'"),
                                   sqlCatalogo::listaArticulos(), sqlCatalogo::busquedaFamilias("a")})
            QTest::newRow(qPrintable(sql.left(90))) << sql << true;
        for (const QString &sql : {sqlMovim::busquedaPorNombre("o"), sqlStock::filasTicket("00000004"),
                                   sqlCatalogo::articuloConFamilia("000001")})
            QTest::newRow(qPrintable(sql.left(90))) << sql << false;
    }
    void mismasFilas()
    {
        const auto [sentencia, enOrden] = pruebas::fila<QString, bool>("sentencia", "enOrden");
        QCOMPARE(leer(servidor, sentencia, enOrden), leer(mPrincipal::conexion(), sentencia, enOrden));
    }
};

QUENDRA_TEST(TestSentenciasEnAmbosMotores)
#include "tst_form_statements.moc"
