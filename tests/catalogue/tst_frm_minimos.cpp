#include "editable_grid.h"
#include "form_driver.h"
#include "frm_minimos.h"
#include "lista_depositos.h"
#include "test_main.h"

#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <algorithm>

namespace {

// The minimums window over a fresh database: articles 000001 (family 0001) and 000002 (0002), places 01 and 02,
// and a minimum of article 000001 for all places.
struct MinimosDePrueba : pruebas::FormularioDePrueba<FrmMinimos>
{
    MinimosDePrueba() : FormularioDePrueba(BaseDePrueba::Vacia, QDate(2026, 5, 14))
    {
        base.ejecutar("INSERT INTO deposito(codigo, nombre) VALUES ('02', 'Sucursal')");
        base.ejecutar("INSERT INTO articulo(numero, codigo, nombre) VALUES ('000001', '0001', 'Tornillo'), "
                      "('000002', '0002', 'Tuerca')");
        base.ejecutar("INSERT INTO minimo(numero, deposito, minimo, reponer, proveedor) VALUES "
                      "('000001', '', 4, 10, 'Acme')");
        mostrar();
    }
    QTableView *vista() const { return pruebas::control<QTableView>(form->grilla(), "grilla"); }
    QStringList filas() const
    {
        QStringList t;
        for (int f = 1; f <= form->grilla()->CantidadFilas(); ++f) {
            QStringList celdas;
            for (int c = 0; c < 5; ++c)
                celdas << form->grilla()->Celda(f, c);
            t << celdas.join('|');
        }
        return t;
    }
};

} // namespace

// The window's grid shows each article with its place's minimum, and F5 saves a cell through the minimums'
// own save: the row made when the article had none for the place, amounts read with either decimal mark.
class TestFrmMinimos : public QObject
{
    Q_OBJECT

private slots:
    void grilla_data()
    {
        pruebas::columnas<QString, QString, QString, QStringList, QString, QStringList>(
            "deposito", "hasta", "celda", "antes", "mensaje", "guardadas");
        const QStringList soloTodos{"000001  4 10 Acme"};
        QTest::newRow("todos, otro mínimo")
            << "Todos"
            << "99999999"
            << "1 2 2,5" << QStringList{"000001|Tornillo|4|10|Acme", "000002|Tuerca|||"}
            << "Quendra|info|El dato:2.5 fue guardado" << QStringList{"000001  2.5 10 Acme"};
        QTest::newRow("un depósito, fila nueva")
            << "02"
            << "99999999"
            << "2 4 Tuercas" << QStringList{"000001|Tornillo|||", "000002|Tuerca|||"}
            << "Quendra|info|El dato:Tuercas fue guardado" << QStringList{"000001  4 10 Acme", "000002 02   Tuercas"};
        QTest::newRow("rango de familias")
            << "Todos"
            << "0001"
            << "1 3 12.5" << QStringList{"000001|Tornillo|4|10|Acme"} << "Quendra|info|El dato:12.5 fue guardado"
            << QStringList{"000001  4 12.5 Acme"};
        QTest::newRow("número rechazado") << "Todos"
                                          << "99999999"
                                          << "1 2 -3" << QStringList{"000001|Tornillo|4|10|Acme", "000002|Tuerca|||"}
                                          << "Quendra|error|Mínimo no puede ser negativo" << soloTodos;
    }
    void grilla()
    {
        const auto [deposito, hasta, celda, antes, mensaje, guardadas] =
            pruebas::fila<QString, QString, QString, QStringList, QString, QStringList>(
                "deposito", "hasta", "celda", "antes", "mensaje", "guardadas");
        MinimosDePrueba p;
        p.escribir("T_HastaFamilia", hasta);
        pruebas::elegirEnLista(p.control<ListaDepositos>("cbo_Deposito"), deposito);
        p.clic("b_Mostrar");
        QCOMPARE(p.filas(), antes);
        const QStringList c = celda.split(' ');
        p.form->grilla()->irACelda(c[0].toInt(), c[1].toInt());
        pruebas::teclear(c.mid(2).join(' ') + " Enter", p.vista());
        p.form->grilla()->irACelda(c[0].toInt(), c[1].toInt());
        pruebas::teclear("F5", p.vista());
        QCOMPARE(p.mensajes.cajas(), QStringList{mensaje});
        QCOMPARE(p.base.filas("select numero, deposito, minimo, reponer, proveedor from minimo order by numero"),
                 guardadas);
    }

    // A sheet fills the minimums only when every row passes; the rows that fail are told by the sheet's row.
    void hoja_data()
    {
        pruebas::columnas<QString, QString, QString, QStringList>("deposito", "csv", "mensaje", "guardadas");
        const QStringList sinCambio{"000001  4 10 Acme"};
        const QString nada = "Quendra|error|No se guardó ningún mínimo:\n";
        QTest::newRow("columnas en otro orden, lugar de la hoja o de la ventana")
            << "Todos"
            << "Depósito;Proveedor;Número;Mínimo;Reponer\n02;Sur;1;2,5;8\n;Norte;000002;3;\n2;;2;1;\n"
            << "Quendra|info|Se guardaron 3 mínimos"
            << QStringList{"000001  4 10 Acme", "000001 02 2.5 8 Sur", "000002  3  Norte", "000002 02 1  "};
        QTest::newRow("una fila sobre el mínimo que había, en el lugar de la ventana")
            << "Todos"
            << "numero;minimo\n1;6\n"
            << "Quendra|info|Se guardaron 1 mínimos" << QStringList{"000001  6  "};
        QTest::newRow("sin la columna del mínimo") << "Todos"
                                                   << "numero;reponer\n1;6\n"
                                                   << nada + "La hoja no tiene la columna «minimo»" << sinCambio;
        QTest::newRow("filas con errores")
            << "02"
            << "numero;minimo;deposito;reponer\n1;6;;\nA1;1;;\n9;1;;\n2;1;07;\n2;-1;;\n1;2;02;\n2;1;01;x\n"
            << nada
                   + "Fila 3: número con letras\nFila 4: no existe el artículo 000009\nFila 5: no existe el "
                     "depósito 07\nFila 6: Mínimo no puede ser negativo\nFila 7: número repetido en la fila 2\n"
                     "Fila 8: Reponer hasta incorrecto: x"
            << sinCambio;
    }
    void hoja()
    {
        const auto [deposito, csv, mensaje, guardadas] =
            pruebas::fila<QString, QString, QString, QStringList>("deposito", "csv", "mensaje", "guardadas");
        MinimosDePrueba p;
        pruebas::elegirEnLista(p.control<ListaDepositos>("cbo_Deposito"), deposito);
        QTemporaryDir carpeta;
        QFile f(carpeta.filePath("minimos.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(csv.toUtf8());
        f.close();
        QSignalSpy guardados(p.form.get(), &FrmMinimos::minimosGuardados);
        p.mensajes.limpiar();
        p.form->cargarHoja(f.fileName());
        QCOMPARE(p.mensajes.cajas(), QStringList{mensaje});
        QCOMPARE(p.base.filas("select numero, deposito, minimo, reponer, proveedor from minimo order by numero, "
                              "deposito"),
                 guardadas);
        QCOMPARE(guardados.count(), mensaje.contains("|info|") ? 1 : 0);
    }

    // From the menu, after the storage places: nothing overlapping or cut.
    void desdeElMenu()
    {
        pruebas::PrincipalDePrueba m;
        const QList<QAction *> items = m.principal.findChild<QMenu *>("mnuMantenimiento")->actions();
        const auto lugar = [&](const char *item) {
            return std::find_if(items.begin(), items.end(), [&](QAction *a) { return a->objectName() == item; })
                   - items.begin();
        };
        QVERIFY(lugar("mnuMinimos") > lugar("mnuDepositos"));
        QVERIFY(lugar("mnuMinimos") < items.size());
        QWidget *form = m.abrir("mnuMinimos", [] { return new FrmMinimos; });
        QCOMPARE(form->windowTitle(), QStringLiteral("Mínimos de stock"));
        QCOMPARE(pruebas::solapes(form), QString());
    }
};

QUENDRA_TEST(TestFrmMinimos)
#include "tst_frm_minimos.moc"
