#include "frm_busqueda.h"
#include "grid_fixture.h"
#include "quendra_error.h"

#include <QTimer>

// The lookup dialog as the forms use it: sqlBusqueda in, codigoBusqueda out.
class TestFrmBusqueda : public QObject
{
    Q_OBJECT
private slots:
    void eleccion_data()
    {
        // acciones: "c3" clicks row 3, "d2" double-clicks row 2, anything else are keys
        pruebas::columnas<QString, QString, QString>("consulta", "acciones", "codigo");
        const QString familias = QStringLiteral("select codigo, familia from familia order by codigo");
        QTest::newRow("nada encontrado") << "select codigo, familia from familia where familia like '%zzz%'" << "c1" << "";
        QTest::newRow("sin elegir") << familias << "" << "";
        QTest::newRow("fila 3 y luego 5") << familias << "c3 c5" << "0005";
        QTest::newRow("flechas como clics") << familias << "c1 Down Down" << "0003";
        QTest::newRow("doble clic") << familias << "d2" << "0002";
        QTest::newRow("Delete no borra") << familias << "c2 Del" << "0002";
        QTest::newRow("F5 no guarda") << familias << "c2 x Enter Up F5" << "0002";
    }
    void eleccion()
    {
        const auto [consulta, acciones] = pruebas::fila<QString, QString>("consulta", "acciones");
        BaseDePrueba base(BaseDePrueba::Demo);
        RegistroMensajes mensajes;
        const QString familiasAntes = base.valor("select group_concat(familia) from familia");
        mPrincipal::sqlBusqueda = consulta;
        QTimer::singleShot(0, [acciones] {
            QVERIFY(FrmBusqueda::instancia().isModal() && FrmBusqueda::instancia().isVisible());
            auto *vista = pruebas::control<QTableView>(&FrmBusqueda::instancia(), "grilla");
            for (const QString &a : acciones.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                if (QRegularExpression(QStringLiteral("^[cd]\\d$")).match(a).hasMatch())
                    pruebas::clicFila(vista, a.mid(1).toInt(), a[0] == QLatin1Char('d'));
                else
                    pruebas::teclear(a);
            }
            FrmBusqueda::instancia().close();
        });
        FrmBusqueda::buscar();
        mPrincipal::sqlBusqueda.clear();
        QTEST(std::exchange(mPrincipal::codigoBusqueda, QString()), "codigo");
        QCOMPARE(mensajes.mostrados().size(), 0);
        QCOMPARE(base.valor("select group_concat(familia) from familia"), familiasAntes);
    }

    void consultaFallidaVaAlQueAbre()
    {
        mPrincipal::sqlBusqueda = QStringLiteral("select nada from ningunlado");
        QVERIFY_THROWS_EXCEPTION(QuendraError, FrmBusqueda::buscar());
        QVERIFY(!FrmBusqueda::instancia().isVisible());
        mPrincipal::sqlBusqueda.clear();
    }
};

QUENDRA_TEST(TestFrmBusqueda)
#include "tst_frm_busqueda.moc"
