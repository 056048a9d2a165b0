#include "catalogue_fixture.h"
#include "frm_familia.h"
#include "frm_iniciar.h"

#include <QMdiArea>
#include <QMdiSubWindow>

// The family form driven through its controls over the demo database.
class TestFrmFamilia : public QObject
{
    Q_OBJECT

    using Prueba = FormularioDePrueba<FrmFamilia>;
    std::unique_ptr<Prueba> p;

    QString familias() const
    {
        return p->base.valor("select group_concat(codigo||'='||familia, ' ') from (select * from familia order by id)");
    }
    void guardar(const QString &codigo, const QString &nombre)
    {
        p->escribir("t_codigo", codigo);
        p->escribir("t_Familia", nombre);
        p->clic("b_Guardar");
    }

private slots:
    void init() { p = std::make_unique<Prueba>(); }
    void cleanup() { p.reset(); }

    void alAbrir()
    {
        QCOMPARE(p->form->windowTitle(), QStringLiteral("Mantenimiento de Familias"));
        QCOMPARE(p->form->size(), QSize(384, 344));
        QCOMPARE(p->columnaGrilla(2).join(','),
                 QStringLiteral("Ferretería,Pinturas,Electricidad,Plomería,Jardín,Herramientas"));
    }

    void guardar_data()
    {
        QTest::addColumn<QStringList>("pasos"); // code, name, code, name ... saved in turn
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("familia");
        QTest::addColumn<int>("total");
        QTest::newRow("código rellenado") << QStringList{"5", "Jardín y vivero"} << "0005" << "Jardín y vivero" << 6;
        QTest::newRow("nuevo código") << QStringList{"7", "Bulonería"} << "0007" << "Bulonería" << 7;
        QTest::newRow("renombrar sin duplicar") << QStringList{"7", "Bulonería", " 7 ", "Bulones"} << "0007" << "Bulones" << 7;
        QTest::newRow("código en blanco") << QStringList{"   ", "Varios"} << "0000" << "Varios" << 7;
        QTest::newRow("comillas") << QStringList{"8'", "D'Angelo", "8'", "D'Angelo e hijos"} << "008'"
                                  << "D'Angelo e hijos" << 7;
    }
    void guardar()
    {
        QFETCH(QStringList, pasos);
        QFETCH(QString, codigo);
        QFETCH(QString, familia);
        QFETCH(int, total);
        for (qsizetype i = 0; i < pasos.size(); i += 2)
            guardar(pasos[i], pasos[i + 1]);
        QCOMPARE(p->mensajes.textos(), QStringList());
        QCOMPARE(p->base.valor("select count(*) from familia").toInt(), total);
        QCOMPARE(p->base.valor("select group_concat(familia) from familia where codigo='" + QString(codigo).replace("'", "''") + "'"),
                 familia);
        // The fields keep what was saved, the code padded; the grid shows the table.
        QCOMPARE(p->texto("t_codigo"), codigo);
        QCOMPARE(p->texto("t_Familia"), familia);
        QCOMPARE(p->form->grilla()->CantidadFilas(), total);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void faltanDatos_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("foco");
        QTest::newRow("ambos vacíos") << "" << "" << "Falta Codigo" << "t_codigo";
        QTest::newRow("sin código") << "" << "Varios" << "Falta Codigo" << "t_codigo";
        QTest::newRow("sin nombre") << "9" << "" << "Falta Familia" << "t_Familia";
    }
    void faltanDatos()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, nombre);
        QFETCH(QString, mensaje);
        QFETCH(QString, foco);
        const QString antes = familias();
        guardar(codigo, nombre);
        QCOMPARE(p->mensajes.textos(), QStringList{mensaje});
        QCOMPARE(p->mensajes.mostrados().first().icono, QMessageBox::Information);
        QCOMPARE(QApplication::focusWidget()->objectName(), foco);
        QCOMPARE(p->texto("t_codigo"), codigo);
        QCOMPARE(familias(), antes);
    }

    void dobleClicLlenaLosCampos()
    {
        p->dobleClicFila(3);
        QCOMPARE(p->texto("t_codigo"), QStringLiteral("0003"));
        QCOMPARE(p->texto("t_Familia"), QStringLiteral("Electricidad"));
        const QString antes = familias();
        p->clic("b_Guardar");
        QCOMPARE(familias(), antes);
    }

    void borrarEnLaGrillaSiempreSePermite()
    {
        p->clicFila(1);
        QTest::keyClick(p->vista(), Qt::Key_Delete);
        QCOMPARE(p->base.valor("select count(*) from familia where codigo='0001'"), QStringLiteral("0"));
    }

    void seAbreArribaALaIzquierda()
    {
        frmIniciar principal;
        principal.registrarFormulario(QStringLiteral("mnuSeccion"), [] { return new FrmFamilia; });
        principal.show();
        // Another child first, so the area would cascade the next one.
        auto *otra = principal.areaTrabajo()->addSubWindow(new QWidget);
        otra->resize(200, 150);
        otra->show();
        QWidget *form = principal.mostrarFormulario(QStringLiteral("mnuSeccion"));
        auto *ventana = qobject_cast<QMdiSubWindow *>(form->parentWidget());
        QVERIFY(ventana);
        QCOMPARE(ventana->pos(), QPoint(0, 0));
    }
};

QUENDRA_TEST(TestFrmFamilia)
#include "tst_frm_familia.moc"
