#include "article_barcodes.h"
#include "movim_fixture.h"
#include "test_main.h"

#include <QApplication>

// A scanner at the voucher form: the keys of a code and Enter into the article number box.
class TestEscaneo : public QObject
{
    Q_OBJECT
private slots:
    // The keys scanned, then "3" and b_Guardar on an entry voucher: the line fields and the focus after the
    // scan, the messages, and the lines stored.
    void escanear_data()
    {
        pruebas::columnas<QString, QString, QString, QStringList, QStringList>("teclas", "mostrado", "foco", "mensajes",
                                                                               "filas");
        const QStringList ninguno;
        QTest::newRow("EAN-13") << "4006381333931"
                                << "000042 Exacto 1 0001 7.5"
                                << "t_Cantidad" << ninguno << QStringList{"000042 3"};
        QTest::newRow("Code 128") << "EX-42/B"
                                  << "000042 Exacto 1 0001 7.5"
                                  << "t_Cantidad" << ninguno << QStringList{"000042 3"};
        QTest::newRow("desconocido, con comilla")
            << "4'2-unknown"
            << "4'2-unknown antes   "
            << "t_numero" << QStringList{"Ningún artículo tiene el código 4'2-unknown"} << ninguno;
    }
    void escanear()
    {
        const auto [teclas] = pruebas::fila<QString>("teclas");
        MovimDePrueba m;
        m.nuevoArticulo("000042", "Exacto", 7.5);
        m.nuevoArticulo("004200", "Contiene 42", 1);
        for (const char *codigo : {"4006381333931", "EX-42/B"})
            QCOMPARE(codigosBarras::agregar(mPrincipal::conexion(), "000042", codigo), QString());
        m.tipo("EN");
        m.escribir("t_Nombre", "antes");
        m.control("t_numero")->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), teclas);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

        QStringList campos;
        for (const char *c : {"t_numero", "t_Nombre", "t_Costo", "t_Familia", "t_stock"})
            campos << m.texto(c);
        QTEST(campos.join(' '), "mostrado");
        QTEST(QApplication::focusWidget()->objectName(), "foco");
        // The operator types the quantity where the focus is and posts.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_3);
        m.clic("b_Guardar");
        QTEST(m.mensajes.textos(), "mensajes");
        QTEST(m.base.filas("select numero, Entrada from movstk"), "filas");
    }
};

QUENDRA_TEST(TestEscaneo)
#include "tst_scanning.moc"
