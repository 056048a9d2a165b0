#include "form_driver.h"
#include "informe_ventas.h"
#include "mprincipal.h"
#include "test_main.h"

#include <QLabel>

// The movement report's filter window names the storage place whose code its box holds.
class TestNombreDelDeposito : public QObject
{
    Q_OBJECT
private slots:
    void alEscribirElCodigo_data()
    {
        pruebas::columnas<QString, QString>("codigo", "nombre");
        QTest::newRow("entre blancos, como lo usa el informe") << QString(" 02 ") << QString("Sucursal");
        QTest::newRow("parte de un código") << QString("0") << QString();
        QTest::newRow("comilla") << QString("0'2") << QString("Con comilla");
        QTest::newRow("vacío") << QString() << QString();
    }
    void alEscribirElCodigo()
    {
        QFETCH(QString, codigo);
        pruebas::FormularioDePrueba<InformeVentas> f(BaseDePrueba::Vacia, QDate(2026, 6, 15));
        f.base.ejecutar("INSERT INTO deposito(codigo, nombre) VALUES ('02', 'Sucursal'), ('0''2', 'Con comilla')");
        mPrincipal::depositoDefecto = QStringLiteral("01");
        f.mostrar();
        QCOMPARE(f.control<QLabel>("lbl_NombreDeposito")->text(), QStringLiteral("Depósito 01"));
        f.escribir("t_Deposito", codigo);
        QTEST(f.control<QLabel>("lbl_NombreDeposito")->text(), "nombre");
        QCOMPARE(f.mensajes.textos(), QStringList());
    }
};

QUENDRA_TEST(TestNombreDelDeposito)
#include "tst_place_name.moc"
