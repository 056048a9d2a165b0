#include "article_barcodes.h"
#include "form_driver.h"
#include "frm_articulo.h"
#include "mprincipal.h"
#include "test_main.h"

#include <QApplication>
#include <QTableWidget>

// The barcodes beside the article form's fields, over the demo database.
class TestCodigosEnArticulo : public QObject
{
    Q_OBJECT

    // The codes the form lists for the article shown, "code kind" each.
    static QString listados(const pruebas::FormularioDePrueba<frmArticulo> &p)
    {
        const auto *g = p.control<QTableWidget>("grillaCodigos");
        QStringList filas;
        for (int f = 0; f < g->rowCount(); ++f)
            filas << g->item(f, 0)->text() + ' ' + g->item(f, 1)->text();
        return filas.join(", ");
    }

private slots:
    // Codes scanned into the box (each ends with Enter) for article 000003, which holds 2000000000039 beforehand
    // while 000002 holds 96385074: what the form lists then and what it said.
    void escanearCodigos_data()
    {
        pruebas::columnas<QString, QString, QStringList>("teclas", "listados", "mensajes");
        const QString antes = "2000000000039 EAN-13";
        QTest::newRow("EAN-13 y Code 128")
            << "4006381333931 Enter ab-9 Enter" << antes + ", 4006381333931 EAN-13, ab-9 Code 128" << QStringList();
        QTest::newRow("de otro artículo")
            << "96385074 Enter" << antes
            << QStringList{"El código 96385074 ya es del artículo 000002 Tuerca hexagonal M8"};
        QTest::newRow("dígito de control")
            << "036000291462 Enter" << antes
            << QStringList{"El código 036000291462 no es un UPC-A válido: su dígito de control debería ser 9"};
    }
    void escanearCodigos()
    {
        const auto [teclas] = pruebas::fila<QString>("teclas");
        pruebas::FormularioDePrueba<frmArticulo> p(BaseDePrueba::Demo, QDate(2026, 5, 14));
        p.mostrar();
        QCOMPARE(codigosBarras::agregar(mPrincipal::conexion(), "000003", "2000000000039"), QString());
        QCOMPARE(codigosBarras::agregar(mPrincipal::conexion(), "000002", "96385074"), QString());
        p.escribirYSalir("t_numero", "3");
        QCOMPARE(listados(p), QString("2000000000039 EAN-13"));
        p.control("t_codigoBarras")->setFocus();
        pruebas::teclear(teclas);
        QTEST(listados(p), "listados");
        QTEST(p.mensajes.textos(), "mensajes");
    }

    // Removing the selected code; a new article shows none.
    void quitarYLimpiar()
    {
        pruebas::FormularioDePrueba<frmArticulo> p(BaseDePrueba::Demo, QDate(2026, 5, 14));
        p.mostrar();
        for (const char *codigo : {"2000000000039", "ab-9"})
            QCOMPARE(codigosBarras::agregar(mPrincipal::conexion(), "000003", codigo), QString());
        p.escribirYSalir("t_numero", "3");
        p.control<QTableWidget>("grillaCodigos")->selectRow(0);
        p.clic("b_QuitarCodigo");
        QCOMPARE(listados(p), QString("ab-9 Code 128"));
        QCOMPARE(p.valor("select count(*) from codigo_barras"), QString("1"));
        p.clic("BT_Nuevo");
        QCOMPARE(listados(p), QString());
        QCOMPARE(p.mensajes.textos(), QStringList());
    }
};

QUENDRA_TEST(TestCodigosEnArticulo)
#include "tst_article_codes.moc"
