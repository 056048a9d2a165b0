#include "catalogue_fixture.h"
#include "frm_familia.h"

// The family form driven through its controls over the demo database.
class TestFrmFamilia : public QObject
{
    Q_OBJECT

    std::unique_ptr<CatalogoDePrueba<FrmFamilia>> p;

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
    void init() { p = std::make_unique<CatalogoDePrueba<FrmFamilia>>(); }
    void cleanup() { p.reset(); }

    void guardar_data()
    {
        // pasos: code, name, code, name ... saved in turn; foco: the field focused when a message shows
        pruebas::columnas<QStringList, QString, QString, int, QString, QString>(
            "pasos", "codigo", "familia", "total", "mensaje", "foco");
        const QString cuatro = "El código de familia debe tener hasta 4 dígitos";
        QTest::newRow("código rellenado") << QStringList{"5", "Jardín y vivero"} << "0005" << "Jardín y vivero" << 6 << "" << "";
        QTest::newRow("nuevo código") << QStringList{"7", "Bulonería"} << "0007" << "Bulonería" << 7 << "" << "";
        QTest::newRow("renombrar") << QStringList{"7", "Bulonería", " 7 ", "Bulones"} << "0007" << "Bulones" << 7 << "" << "";
        QTest::newRow("código en blanco") << QStringList{"   ", "Varios"} << "0000" << "Varios" << 7 << "" << "";
        QTest::newRow("comillas") << QStringList{"8'", "D'Angelo"} << "8'" << "D'Angelo" << 6 << cuatro << "t_codigo";
        QTest::newRow("ambos vacíos") << QStringList{"", ""} << "" << "" << 6 << "Falta Codigo" << "t_codigo";
        QTest::newRow("sin nombre") << QStringList{"9", ""} << "9" << "" << 6 << "Falta Familia" << "t_Familia";
    }
    void guardar()
    {
        const auto [pasos, codigo, familia, total, mensaje] =
            pruebas::fila<QStringList, QString, QString, int, QString>("pasos", "codigo", "familia", "total", "mensaje");
        const QString antes = familias();
        for (qsizetype i = 0; i < pasos.size(); i += 2)
            guardar(pasos[i], pasos[i + 1]);
        QCOMPARE(p->mensajes.cajas(), mensaje.isEmpty() ? QStringList() : QStringList{"Quendra|info|" + mensaje});
        QCOMPARE(p->base.valor("select count(*) from familia").toInt(), total);
        // The fields keep what was typed, the code padded once saved; the grid shows the table.
        QCOMPARE(p->texto("t_codigo") + '=' + p->texto("t_Familia"), codigo + '=' + familia);
        QCOMPARE(p->form->grilla()->CantidadFilas(), total);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        if (mensaje.isEmpty()) {
            QCOMPARE(p->base.valor("select group_concat(familia) from familia where codigo='" + codigo + "'"), familia);
        } else {
            QTEST(QApplication::focusWidget()->objectName(), "foco");
            QCOMPARE(familias(), antes);
        }
    }

    void alAbrirYDobleClic()
    {
        QCOMPARE(p->columnaGrilla(2).join(','),
                 QStringLiteral("Ferretería,Pinturas,Electricidad,Plomería,Jardín,Herramientas"));
        const QString antes = familias();
        p->clicFila(3, true);
        QCOMPARE(p->texto("t_codigo") + '=' + p->texto("t_Familia"), QStringLiteral("0003=Electricidad"));
        p->clic("b_Guardar");
        QCOMPARE(familias(), antes);
    }

    void borrarEnLaGrillaSiempreSePermite()
    {
        p->clicFila(1);
        QTest::keyClick(p->vista(), Qt::Key_Delete);
        QCOMPARE(p->base.valor("select count(*) from familia where codigo='0001'"), QStringLiteral("0"));
    }
};

QUENDRA_TEST(TestFrmFamilia)
#include "tst_frm_familia.moc"
