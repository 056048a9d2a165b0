// Every text field of the four work forms takes unusual input and its buttons
// are pressed: the file stays sound, every table is there, no other row changes,
// a free text that is stored is stored whole, and stocks still match movements.
#include "database_check.h"
#include "test_main.h"
#include "work_forms.h"

namespace {

struct Campo
{
    const char *forma, *campo;
    QList<const char *> botones;
    const char *guardado; // the query that reads the field back from the new record, when it holds one
};

const QList<Campo> campos{
    {"frmArticulo", "t_numero", {"b_Guardar"}, nullptr},
    {"frmArticulo", "t_Nombre", {"Bt_Consulta", "b_Guardar"}, "select nombre from articulo where numero='000050'"},
    {"frmArticulo", "t_Familia", {"b_BuscarFamilia", "b_Guardar"}, nullptr},
    {"frmArticulo", "t_detalle", {"b_Guardar"}, "select detalle from articulo where numero='000050'"},
    {"frmArticulo", "t_alta", {"b_Guardar"}, nullptr},
    {"frmArticulo", "t_Costo", {"b_Guardar"}, nullptr},
    {"FrmFamilia", "t_codigo", {"b_Guardar"}, nullptr},
    {"FrmFamilia", "t_Familia", {"b_Guardar"}, "select familia from familia where codigo='0050'"},
    {"FrmMovim", "t_Comprobante", {"b_Guardar", "b_Cargar"}, nullptr},
    {"FrmMovim", "t_fecha", {"b_Guardar"}, nullptr},
    {"FrmMovim", "t_detalle", {"b_Guardar"}, "select detalle from movstk where comprobante='00000050'"},
    {"FrmMovim", "t_numero", {"b_Guardar"}, nullptr},
    {"FrmMovim", "t_Nombre", {"b_Consulta", "b_Guardar"}, nullptr},
    {"FrmMovim", "t_Cantidad", {"b_Guardar"}, nullptr},
    {"FrmMovim", "t_Costo", {"b_Guardar"}, nullptr},
    {"InformeVentas", "f_desde", {"b_Imprimir"}, nullptr},
    {"InformeVentas", "f_hasta", {"b_Imprimir"}, nullptr},
    {"InformeVentas", "t_DesdeNumero", {"b_Imprimir"}, nullptr},
    {"InformeVentas", "T_HastaNumero", {"b_Imprimir"}, nullptr},
    {"InformeVentas", "T_DesdeFamilia", {"b_Imprimir"}, nullptr},
    {"InformeVentas", "T_HastaFamilia", {"b_Imprimir"}, nullptr},
    {"InformeVentas", "t_Deposito", {"b_Imprimir"}, nullptr},
};

} // namespace

class TestBarrido : public QObject
{
    Q_OBJECT
private slots:
    void cadaCampo_data()
    {
        QTest::addColumn<QString>("entrada");
        QTest::newRow("comillas") << "O'Brien \"el\" '' `x`";
        QTest::newRow("10.000 caracteres") << QString("Ab'1").repeated(2500);
        QTest::newRow("acentos") << "Ñandú Ácido";
        QTest::newRow("caracteres de control") << QString("a\tb\x01\x1b\x7f") + QChar(0) + "fin";
        QTest::newRow("inyección") << "x'); DROP TABLE familia; -- ' OR '1'='1";
        QTest::newRow("fecha imposible") << "31-02-2024";
        QTest::newRow("número enorme") << "-99999999999999999999";
        QTest::newRow("exponente enorme") << "1e308";
    }
    void cadaCampo()
    {
        QFETCH(QString, entrada);
        for (const Campo &c : campos) {
            const QString donde = QStringLiteral("%1.%2").arg(c.forma, c.campo);
            FormaDeTrabajo t(c.forma);
            const QString antes = t.demas();
            const QString puesto = t.poner(c.campo, entrada);
            for (const char *boton : c.botones)
                t.pulsar(boton);
            QVERIFY2(t.valor("select (select group_concat(integrity_check) from pragma_integrity_check)||(select "
                             "count(*) from sqlite_master where name in ('articulo','familia','movstk'))") == "ok3",
                     qPrintable(donde));
            QVERIFY2(t.demas() == antes, qPrintable(donde));
            QVERIFY2(!c.guardado || t.nuevo().isEmpty() || t.valor(c.guardado) == puesto, qPrintable(donde));
            QVERIFY2(datos::comprobar(t.base.archivo()).isEmpty(), qPrintable(donde));
        }
    }
};

QUENDRA_TEST(TestBarrido)
#include "tst_input_sweep.moc"
