// Codes and amounts that would reach another record or break the sums are
// refused before anything is written; the messages name the cause.
#include "database_check.h"
#include "mprincipal.h"
#include "test_main.h"
#include "work_forms.h"

class TestRechazos : public QObject
{
    Q_OBJECT
private slots:
    void codigosEImportes_data()
    {
        // an empty mensaje: taken, and the new record reads `escrito`
        pruebas::columnas<QString, QString, QString, QString, QString>("forma", "campo", "valor", "mensaje", "escrito");
        const QString fam = "FrmFamilia", art = "frmArticulo", mov = "FrmMovim";
        const QString familia = "El código de familia debe tener hasta 4 dígitos";
        const QString articulo = "El número de artículo debe tener hasta 6 dígitos";
        const QString comprobante = "El número de comprobante debe tener hasta 8 dígitos";
        QTest::newRow("familia de cinco cifras") << fam << "t_codigo" << "12345" << familia << "";
        QTest::newRow("familia con ceros de más") << fam << "t_codigo" << " 000050 " << "" << "0050|Prueba";
        QTest::newRow("artículo con letra") << art << "t_numero" << "23456a" << articulo << "";
        QTest::newRow("artículo corto") << art << "t_numero" << " 50 " << "" << "000050|Prueba|Nota|12.5|0.0";
        QTest::newRow("costo enorme") << art << "t_Costo" << "1e308" << "Costo fuera de rango" << "";
        QTest::newRow("costo límite") << art << "t_Costo" << "-999999999.99" << "" << "000050|Prueba|Nota|-999999999.99|0.0";
        QTest::newRow("comprobante de nueve cifras") << mov << "t_Comprobante" << "123456789" << comprobante << "";
        QTest::newRow("comprobante con ceros") << mov << "t_Comprobante" << "0000000050" << "" << "000001|Nota|4.35|3.0";
        QTest::newRow("artículo de siete cifras") << mov << "t_numero" << "1234567" << articulo << "";
        const QString cantidad = "Cantidad fuera de rango";
        QTest::newRow("cantidad que no cabe en un número") << mov << "t_Cantidad" << "1e309" << cantidad << "";
        QTest::newRow("cantidad negativa enorme") << mov << "t_Cantidad" << "-99999999999999999999" << cantidad << "";
        QTest::newRow("cantidad negativa") << mov << "t_Cantidad" << "-5" << "" << "000001|Nota|4.35|-5.0";
    }
    void codigosEImportes()
    {
        const auto [forma, campo, valor] = pruebas::fila<QString, QString, QString>("forma", "campo", "valor");
        FormaDeTrabajo t(forma);
        const QString antes = t.demas();
        t.mensajes.limpiar();
        t.poner(campo.toLatin1().constData(), valor);
        t.pulsar("b_Guardar");
        QTEST(t.mensajes.textos().join('\n'), "mensaje");
        QTEST(t.nuevo(), "escrito");
        QCOMPARE(t.demas(), antes);
        QCOMPARE(datos::comprobar(t.base.archivo()), QStringList());
    }

    // A number not stored yet takes the stock of the movements that carry it,
    // never the stock shown from the article loaded before.
    void stockDelArticuloNuevo_data()
    {
        pruebas::columnas<QString, QString>("numero", "stock");
        QTest::newRow("con movimientos") << "000777" << "5";
        QTest::newRow("sin movimientos") << "000778" << "0";
    }
    void stockDelArticuloNuevo()
    {
        const auto [numero, stock] = pruebas::fila<QString, QString>("numero", "stock");
        FormaDeTrabajo t("frmArticulo");
        t.base.ejecutar("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,impreso,deposito,Entrada,Salida,codigo) "
                        "VALUES ('00000011','EN','2026-01-02','000777',1,'N','01',8,0,'0001'),"
                        "('00000012','SA','2026-01-03','000777',1,'N','01',0,3,'0001')");
        for (const QString &n : {QStringLiteral("000001"), numero})
            t.escribirYSalir("t_numero", n);
        QCOMPARE(t.texto("t_stock"), QStringLiteral("25"));
        t.pulsar("b_Guardar");
        QCOMPARE(t.valor("select stock from articulo where numero='" + numero + "'"), stock);
        QCOMPARE(t.valor("select nombre from articulo where numero='" + numero + "'"),
                 t.valor("select nombre from articulo where numero='000001'"));
        QCOMPARE(datos::comprobar(t.base.archivo()), QStringList());
    }

    // With no database open, a lookup and the posting after it say so, once each.
    void sinBaseDeDatos()
    {
        FormaDeTrabajo t("FrmMovim");
        const QString archivo = mPrincipal::conexion().archivo();
        mPrincipal::conexion().close();
        t.mensajes.limpiar();
        const QString sinConexion = "Error 10001 (La conexión con la base de datos «" + archivo + "» no está abierta)";
        t.escribirYSalir("t_numero", "2");
        QCOMPARE(t.mensajes.textos(), QStringList{sinConexion});
        t.pulsar("b_Guardar");
        QCOMPARE(t.mensajes.textos(), (QStringList{sinConexion, sinConexion}));
        mPrincipal::conexion().open(archivo);
    }
};

QUENDRA_TEST(TestRechazos)
#include "tst_refusals.moc"
