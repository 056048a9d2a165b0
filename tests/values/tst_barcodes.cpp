#include "barcode_values.h"
#include "test_main.h"

class TestCodigosDeBarras : public QObject
{
    Q_OBJECT
private slots:
    // A code as typed, the kind it prints as, and why it cannot be stored ("" when it can).
    void codigos_data()
    {
        pruebas::columnas<QString, int, QString>("codigo", "tipo", "rechazo");
        const int ean13 = int(codigoBarras::Tipo::Ean13), ean8 = int(codigoBarras::Tipo::Ean8),
                  upc = int(codigoBarras::Tipo::UpcA), c128 = int(codigoBarras::Tipo::Code128);
        const auto fila = [](const char *caso, const char *codigo, int tipo, const char *rechazo) {
            QTest::newRow(caso) << codigo << tipo << QString::fromUtf8(rechazo);
        };
        fila("EAN-13", "4006381333931", ean13, "");
        fila("EAN-13 un dígito cambiado", "4006381333941", ean13,
             "El código 4006381333941 no es un EAN-13 válido: su dígito de control debería ser 8");
        fila("EAN-13 control cero", "2000000000220", ean13, "");
        fila("EAN-8", "96385074", ean8, "");
        fila("EAN-8 un dígito cambiado", "96385075", ean8,
             "El código 96385075 no es un EAN-8 válido: su dígito de control debería ser 4");
        fila("UPC-A", "036000291452", upc, "");
        fila("UPC-A un dígito cambiado", "036000291462", upc,
             "El código 036000291462 no es un UPC-A válido: su dígito de control debería ser 9");
        fila("Code 128 numérico", "1234567", c128, "");
        fila("Code 128 con letras", "ABC-123 x", c128, "");
        fila("seis dígitos", "123456", c128,
             "El código 123456 se leería como un número de artículo: un código debe tener más de seis caracteres o "
             "alguno que no sea un dígito");
        fila("letra acentuada", "CAFÉ-01", c128,
             "El código CAFÉ-01 tiene caracteres que un lector de códigos no escribe");
        fila("vacío", "", c128, "Falta el código de barras");
    }
    void codigos()
    {
        const auto [codigo] = pruebas::fila<QString>("codigo");
        QTEST(int(codigoBarras::tipo(codigo)), "tipo");
        QTEST(codigoBarras::rechazo(codigo), "rechazo");
    }

    // What an article box does with a text: an article number, or a code to look up.
    void numeroOCodigo_data()
    {
        pruebas::columnas<QString, bool>("texto", "numero");
        QTest::newRow("seis dígitos") << "000042" << true;
        QTest::newRow("corto con blancos") << " 42 " << true;
        QTest::newRow("vacío") << "" << true;
        QTest::newRow("siete dígitos") << "1234567" << false;
        QTest::newRow("letras") << "A1" << false;
    }
    void numeroOCodigo()
    {
        const auto [texto] = pruebas::fila<QString>("texto");
        QTEST(codigoBarras::esNumeroArticulo(texto), "numero");
    }

    // The in-store code scans as a valid EAN-13 and tells the article by its number.
    void interno()
    {
        QCOMPARE(codigoBarras::interno(QStringLiteral("000042")), QStringLiteral("2000000000428"));
        QCOMPARE(codigoBarras::rechazo(codigoBarras::interno(QStringLiteral("123456"))), QString());
    }
};
QUENDRA_TEST(TestCodigosDeBarras)
#include "tst_barcodes.moc"
