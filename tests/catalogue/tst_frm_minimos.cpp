#include "editable_grid.h"
#include "form_driver.h"
#include "frm_minimos.h"
#include "lista_depositos.h"
#include "test_main.h"

#include <QMenu>
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
