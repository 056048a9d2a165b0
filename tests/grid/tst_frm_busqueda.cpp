#include "form_driver.h"
#include "frm_busqueda.h"
#include "grid_fixture.h"
#include "quendra_error.h"

#include <QTimer>

// The lookup dialog as the forms use it: sqlBusqueda in, codigoBusqueda out.
class TestFrmBusqueda : public QObject
{
    Q_OBJECT

    std::optional<BaseDePrueba> base;
    std::optional<RegistroMensajes> mensajes;

    static QTableView *vista() { return pruebas::control<QTableView>(&FrmBusqueda::instancia(), "grilla"); }

    // Opens the dialog as a form does; `operador` acts while it is open, then it closes.
    static QString buscar(const QString &sql, const std::function<void()> &operador)
    {
        mPrincipal::sqlBusqueda = sql;
        QTimer::singleShot(0, [operador] {
            operador();
            FrmBusqueda::instancia().close();
        });
        FrmBusqueda::buscar();
        QString codigo = mPrincipal::codigoBusqueda;
        mPrincipal::sqlBusqueda.clear();
        mPrincipal::codigoBusqueda.clear();
        return codigo;
    }

private slots:
    void init() { base.emplace(BaseDePrueba::Demo); mensajes.emplace(); }
    void cleanup() { mensajes.reset(); base.reset(); }

    void eleccion_data()
    {
        QTest::addColumn<QString>("consulta");
        QTest::addColumn<QString>("acciones"); // "c3" clicks row 3, "d" presses Down, "2x" double-clicks row 2
        QTest::addColumn<QString>("codigo");
        const QString familias = QStringLiteral("select codigo, familia from familia order by codigo");
        QTest::newRow("nada encontrado") << "select codigo, familia from familia where familia like '%zzz%'" << "c1" << "";
        QTest::newRow("sin elegir") << familias << "" << "";
        QTest::newRow("fila 3 y luego 5") << familias << "c3 c5" << "0005";
        QTest::newRow("flechas como clics") << familias << "c1 d d" << "0003";
        QTest::newRow("doble clic") << familias << "2x" << "0002";
        QTest::newRow("Delete no borra") << familias << "c2 Del" << "0002";
        QTest::newRow("F5 no guarda") << familias << "c2 x Enter Up F5" << "0002";
    }
    void eleccion()
    {
        QFETCH(QString, consulta);
        QFETCH(QString, acciones);
        const QString familiasAntes = base->valor("select group_concat(familia) from familia");
        const QString elegido = buscar(consulta, [&] {
            QVERIFY(FrmBusqueda::instancia().isModal() && FrmBusqueda::instancia().isVisible());
            static const QHash<QString, Qt::Key> teclas = {{"d", Qt::Key_Down},   {"Up", Qt::Key_Up},
                                                           {"Del", Qt::Key_Delete}, {"F5", Qt::Key_F5},
                                                           {"Enter", Qt::Key_Return}};
            for (const QString &a : acciones.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                if (a.startsWith(QLatin1Char('c')))
                    pruebas::clicFila(vista(), a.mid(1).toInt());
                else if (a.endsWith(QLatin1Char('x')) && a.size() == 2)
                    pruebas::clicFila(vista(), a.left(1).toInt(), true);
                else if (teclas.contains(a))
                    QTest::keyClick(QApplication::focusWidget(), teclas[a]);
                else
                    QTest::keyClicks(QApplication::focusWidget(), a);
            }
        });
        QTEST(elegido, "codigo");
        QCOMPARE(mensajes->mostrados().size(), 0);
        QCOMPARE(base->valor("select group_concat(familia) from familia"), familiasAntes);
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
