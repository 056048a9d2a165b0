#include "count_layouts.h"
#include "database_check.h"
#include "form_driver.h"
#include "frm_recuento.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report.h"
#include "report_preview.h"
#include "test_main.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>

namespace {

// The count window over a fresh database, on 06-12-2026. Place 01 holds 10 of 000001 "Tuerca" (family 0001,
// cost 1.5) and 5 of 000002 "Arandela" (family 0001, cost 2); 000003 "Perno" of family 0002 has none. 000001
// carries the code 7790001000011.
struct RecuentoDePrueba : pruebas::FormularioDePrueba<FrmRecuento>
{
    RecuentoDePrueba() : FormularioDePrueba(BaseDePrueba::Vacia, QDate(2026, 12, 6))
    {
        mPrincipal::depositoDefecto = QStringLiteral("01");
        base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ('000001','0001','Tuerca',1.5,10),"
                      "('000002','0001','Arandela',2,5),('000003','0002','Perno',3,0)");
        base.ejecutar("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,Entrada,"
                      "Salida,codigo) VALUES ('00000001','EN','2026-12-01','000001',1.5,'','N','01',10,0,'0001'),"
                      "('00000001','EN','2026-12-01','000002',2,'','N','01',5,0,'0001')");
        base.ejecutar("INSERT INTO codigo_barras(numero,codigo) VALUES ('000001','7790001000011')");
        mostrar();
    }
    // A new count of place 01 on the day, the article range given ("desde hasta").
    void nuevo(const QString &articulos = QString())
    {
        if (!articulos.isEmpty()) {
            escribir("t_DesdeNumero", articulos.section(' ', 0, 0));
            escribir("T_HastaNumero", articulos.section(' ', 1));
        }
        clic("b_Nuevo");
    }
    // Each "numero cantidad" typed with Enter after each, as a counter does.
    void contar(const QStringList &lineas)
    {
        for (const QString &l : lineas) {
            control("t_numero")->setFocus();
            pruebas::teclear(l.section(' ', 0, 0) + " Enter");
            pruebas::teclear(l.section(' ', 1) + " Enter");
        }
    }
    QStringList grilla() const
    {
        auto *g = control<QTableWidget>("grilla");
        QStringList filas;
        for (int f = 0; f < g->rowCount(); ++f)
            filas << g->item(f, 0)->text() + ' ' + g->item(f, 1)->text() + ' ' + g->item(f, 2)->text();
        return filas;
    }
};

} // namespace

// The count window driven through its controls, on the file and on the server.
class TestFrmRecuento : public QObject
{
    Q_OBJECT

private slots:
    // Lines typed ("numero cantidad"), the answers to the questions asked, then the grid and the messages.
    void lineas_data()
    {
        pruebas::columnas<QString, QStringList, QList<int>, QStringList, QStringList>("rango", "lineas", "respuestas",
                                                                                      "grilla", "mensajes");
        QTest::newRow("cantidad con coma y con punto")
            << "" << QStringList{"1 4", "2 2,5", "3 0.5"} << QList<int>{}
            << QStringList{"000001 Tuerca 4", "000002 Arandela 2.5", "000003 Perno 0.5"} << QStringList{};
        const QString dosVeces =
            "Quendra|pregunta|El artículo 000001 ya fue contado: 4.\n¿Suma 3 a lo contado? (No: lo "
            "reemplaza)";
        QTest::newRow("contado dos veces y sumado") << "" << QStringList{"1 4", "1 3"} << QList<int>{QMessageBox::Yes}
                                                    << QStringList{"000001 Tuerca 7"} << QStringList{dosVeces};
        QTest::newRow("contado dos veces y reemplazado")
            << "" << QStringList{"1 4", "1 3"} << QList<int>{QMessageBox::No} << QStringList{"000001 Tuerca 3"}
            << QStringList{dosVeces};
        QTest::newRow("un código leído con el lector")
            << "" << QStringList{"7790001000011 2"} << QList<int>{} << QStringList{"000001 Tuerca 2"} << QStringList{};
        const QString fuera = "Quendra|pregunta|El artículo 000003 no está en los rangos del recuento. ¿Lo agrega?";
        QTest::newRow("fuera de los rangos, agregado") << "1 2" << QStringList{"3 1"} << QList<int>{QMessageBox::Yes}
                                                       << QStringList{"000003 Perno 1"} << QStringList{fuera};
        QTest::newRow("fuera de los rangos, no agregado")
            << "1 2" << QStringList{"3 1"} << QList<int>{QMessageBox::No} << QStringList{} << QStringList{fuera};
        QTest::newRow("artículo que no existe") << "" << QStringList{"9 1"} << QList<int>{} << QStringList{}
                                                << QStringList{"Quendra|info|Articulo incorrecto"};
        QTest::newRow("cantidad que no es un número") << "" << QStringList{"1 1,2,3"} << QList<int>{} << QStringList{}
                                                      << QStringList{"Quendra|info|Falta ingresar la cantidad"};
        QTest::newRow("cantidad negativa")
            << "" << QStringList{"1 -1"} << QList<int>{} << QStringList{}
            << QStringList{"Atención|error|La cantidad contada debe ser 0 o más, hasta 999999999,99"};
    }
    void lineas()
    {
        const auto [rango, lineas, respuestas] =
            pruebas::fila<QString, QStringList, QList<int>>("rango", "lineas", "respuestas");
        RecuentoDePrueba p;
        p.nuevo(rango);
        for (int r : respuestas)
            p.mensajes.responder(QMessageBox::StandardButton(r));
        p.contar(lineas);
        QTEST(p.grilla(), "grilla");
        QTEST(p.mensajes.cajas(), "mensajes");
    }

    // Applied from the window: asked first, the vouchers told, the final differences shown, the count read-only
    // and the minimum reminder told that the stock changed.
    void aplicar()
    {
        RecuentoDePrueba p;
        p.nuevo();
        p.contar({"1 12", "2 4,5"});
        QSignalSpy cambio(p.form.get(), &FrmRecuento::stockCambiado);
        p.mensajes.responder(QMessageBox::No);
        p.clic("b_Aplicar");
        QCOMPARE(p.valor("select count(*) from movstk"), QStringLiteral("2"));
        p.clic("b_Aplicar");
        QCOMPARE(p.mensajes.textos().last(),
                 QStringLiteral("Se aplicó el recuento 1: entrada 00000002, salida 00000003"));
        QCOMPARE(cambio.count(), 1);
        QVERIFY(pruebas::vistaPrevia());
        pruebas::vistaPrevia()->close();
        Report &r = rptDiferencias();
        QCOMPARE(filasComoTexto(*r.dataSource()),
                 QStringList({"000001 Tuerca 10 12 2 1.5 3", "000002 Arandela 5 4.5 -0.5 2 -1"}));
        ReportSection &pie = r.section("PieInforme");
        QStringList totales;
        for (const char *c : {"tCantidadSobrante", "tValorSobrante", "tCantidadFaltante", "tValorFaltante"})
            totales << pie.control(c).caption();
        QCOMPARE(totales, QStringList({"2", "3.00", "-0.5", "-1.00"}));
        for (const char *nombre : {"t_numero", "b_Aplicar", "b_Descartar", "b_Quitar", "chk_NoContados"})
            QVERIFY2(!p.activo(nombre), nombre);
        QVERIFY(p.control<QLabel>("l_Estado")->text().startsWith("Recuento 1 aplicado por "));
        QCOMPARE(p.valor("select stock from articulo where numero='000002'"), QStringLiteral("4.5"));
        QCOMPARE(datos::comprobar(p.base.archivo()), QStringList());
    }

    // The sheet lists the articles of the ranges by family, the stock column only when asked for.
    void planilla_data()
    {
        pruebas::columnas<bool, QStringList>("conStock", "filas");
        QTest::newRow("sin stock") << false
                                   << QStringList{"000001 Tuerca 0001 ", "000002 Arandela 0001 ", "000003 Perno 0002 "};
        QTest::newRow("con stock") << true
                                   << QStringList{"000001 Tuerca 0001 10 ", "000002 Arandela 0001 5 ",
                                                  "000003 Perno 0002 0 "};
    }
    void planilla()
    {
        const auto [conStock] = pruebas::fila<bool>("conStock");
        RecuentoDePrueba p;
        p.nuevo();
        p.control<QCheckBox>("chk_ConStock")->setChecked(conStock);
        p.clic("b_Planilla");
        QVERIFY(pruebas::vistaPrevia());
        pruebas::vistaPrevia()->close();
        QTEST(filasComoTexto(*rptPlanilla().dataSource()), "filas");
    }

    // Quantities read from a sheet: each row checked, the good ones counted, rows of one article added.
    void leerPlanilla()
    {
        RecuentoDePrueba p;
        p.nuevo();
        const QString archivo = p.base.carpeta_.filePath("contado.csv");
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Numero;Nombre;Contado\n1;Tuerca;4,5\n2;Arandela;\n1;Tuerca;1\n9;Nada;1\n7790001000011;;2\n"
                "3;Perno;muchos\n3;Perno;-2\n");
        f.close();
        p.form->leerPlanilla(archivo);
        QCOMPARE(p.grilla(), QStringList{"000001 Tuerca 7.5"});
        QCOMPARE(p.mensajes.textos().first(),
                 QStringLiteral("La planilla trae 1 artículos contados y 3 filas que no se toman:\nFila 5: el artículo "
                                "000009 no existe\nFila 7: la cantidad «muchos» no es un número\nFila 8: la cantidad "
                                "-2 debe ser 0 o más, hasta 999999999,99\n¿Anota los artículos contados?"));
    }
};

QUENDRA_TEST(TestFrmRecuento)
#include "tst_frm_recuento.moc"
