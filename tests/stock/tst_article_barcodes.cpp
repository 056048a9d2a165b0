#include "article_barcodes.h"
#include "mprincipal.h"
#include "test_database.h"
#include "test_main.h"

namespace {

// Articles 000007 "Tuerca" and 000008 "Arandela", 000007 holding an EAN-13 and a Code 128.
struct ConCodigos
{
    BaseDePrueba base;

    ConCodigos()
    {
        base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ('000007','0001','Tuerca',1,0)");
        base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ('000008','0001','Arandela',1,0)");
        for (const char *codigo : {"4006381333931", "TU-7 M8"})
            QCOMPARE(codigosBarras::agregar(mPrincipal::conexion(), "000007", codigo), QString());
    }
    // What an article box reads: "numero" for an article number, "código numero" for a code ("-" when unknown).
    static QString leido(const QString &texto)
    {
        const auto l = codigosBarras::leer(mPrincipal::conexion(), texto);
        return l.esCodigo ? "código " + (l.numero.isEmpty() ? "-" : l.numero) : l.numero;
    }
};

} // namespace

class TestCodigosDeArticulos : public QObject
{
    Q_OBJECT
private slots:
    // A code added to an article, and why it was refused.
    void agregar_data()
    {
        pruebas::columnas<QString, QString, QString>("numero", "codigo", "rechazo");
        QTest::newRow("de otro artículo") << "000008"
                                          << "4006381333931"
                                          << "El código 4006381333931 ya es del artículo 000007 Tuerca";
        QTest::newRow("del mismo") << "000007"
                                   << " TU-7 M8 "
                                   << "El artículo 000007 ya tiene el código TU-7 M8";
        QTest::newRow("dígito de control") << "000008"
                                           << "96385075"
                                           << "El código 96385075 no es un EAN-8 válido: su dígito de control "
                                              "debería ser 4";
        QTest::newRow("artículo sin guardar") << "000009"
                                              << "96385074"
                                              << "Guarde el artículo antes de darle códigos de barras";
        QTest::newRow("EAN-8 a otro") << "000008"
                                      << "96385074"
                                      << "";
    }
    void agregar()
    {
        const auto [numero, codigo] = pruebas::fila<QString, QString>("numero", "codigo");
        ConCodigos c;
        QTEST(codigosBarras::agregar(mPrincipal::conexion(), numero, codigo), "rechazo");
        QCOMPARE(codigosBarras::delArticulo(mPrincipal::conexion(), "000007"),
                 (QStringList{"4006381333931", "TU-7 M8"}));
    }

    // What a text typed or scanned into an article box names, before and after the article changes.
    void leer_data()
    {
        pruebas::columnas<QString, QString, QString>("cambio", "texto", "leido");
        QTest::newRow("EAN-13") << ""
                                << "4006381333931"
                                << "código 000007";
        QTest::newRow("Code 128 con blancos") << ""
                                              << " TU-7 M8 "
                                              << "código 000007";
        QTest::newRow("desconocido") << ""
                                     << "96385074"
                                     << "código -";
        QTest::newRow("número") << ""
                                << " 42 "
                                << " 42 ";
        QTest::newRow("artículo borrado") << "delete from articulo where numero='000007'"
                                          << "TU-7 M8"
                                          << "código -";
        QTest::newRow("artículo renumerado") << "update articulo set numero='000017' where numero='000007'"
                                             << "TU-7 M8"
                                             << "código 000017";
    }
    void leer()
    {
        const auto [cambio, texto] = pruebas::fila<QString, QString>("cambio", "texto");
        ConCodigos c;
        if (!cambio.isEmpty())
            c.base.ejecutar(cambio);
        QTEST(ConCodigos::leido(texto), "leido");
    }

    // Articles without a code get their in-store EAN-13, which then scans; one held elsewhere stops them all.
    void internos()
    {
        ConCodigos c;
        QCOMPARE(codigosBarras::asignarInternos(mPrincipal::conexion(), {"000008"}), QString());
        QCOMPARE(ConCodigos::leido("2000000000084"), QString("código 000008"));
        QCOMPARE(codigosBarras::asignarInternos(mPrincipal::conexion(), {"000008"}), QString());
        c.base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ('000009','0001','Perno',1,0)");
        codigosBarras::quitar(mPrincipal::conexion(), "000007", "TU-7 M8");
        QCOMPARE(codigosBarras::agregar(mPrincipal::conexion(), "000007", "2000000000091"), QString());
        QCOMPARE(codigosBarras::asignarInternos(mPrincipal::conexion(), {"000010", "000009"}),
                 QString("El código 2000000000091 ya es del artículo 000007 Tuerca"));
        QCOMPARE(codigosBarras::asignarInternos(mPrincipal::conexion(), {"A-0009"}),
                 QString("El artículo A-0009 no tiene un número de seis dígitos del que hacer su código interno"));
        QCOMPARE(c.base.valor("select count(*) from codigo_barras"), QString("3"));
    }
};
QUENDRA_TEST(TestCodigosDeArticulos)
#include "tst_article_barcodes.moc"
