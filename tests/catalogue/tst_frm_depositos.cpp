#include "database_settings.h"
#include "editable_grid.h"
#include "form_driver.h"
#include "frm_depositos.h"
#include "lista_depositos.h"
#include "mprincipal.h"
#include "test_main.h"
#include "test_settings.h"

#include <QApplication>
#include <QMenu>

namespace {

// The places window over a fresh database: place 01 from its creation, 02 "Sucursal" with one movement,
// 03 "Galpón" with three, 04 "Vacío" with none. This computer works in 01; its settings file is the test's.
struct DepositosDePrueba : pruebas::FormularioDePrueba<FrmDepositos>
{
    AjustesDePrueba ajustes;

    explicit DepositosDePrueba(const QString &carpetaAjustes = QString())
        : FormularioDePrueba(BaseDePrueba::Vacia, QDate(2026, 5, 14)), ajustes(carpetaAjustes)
    {
        mPrincipal::depositoDefecto = QStringLiteral("01");
        base.ejecutar("INSERT INTO deposito(codigo, nombre) VALUES ('02', 'Sucursal'), ('03', 'Galpón'), "
                      "('04', 'Vacío')");
        base.ejecutar("INSERT INTO movstk(comprobante, tipomov, fecha, numero, impreso, deposito, Entrada, Salida) "
                      "VALUES ('00000001', 'EN', '2026-01-02', '000001', 'N', '02', 1, 0), "
                      "('00000002', 'EN', '2026-01-02', '000001', 'N', '03', 1, 0), "
                      "('00000002', 'EN', '2026-01-02', '000002', 'N', '03', 1, 0), "
                      "('00000003', 'SA', '2026-01-03', '000001', 'N', '03', 0, 1)");
        mostrar();
    }

    QStringList lugares() const { return base.filas("select codigo, nombre from deposito order by codigo"); }
    ListaDepositos *puesto() const { return control<ListaDepositos>("cbo_Puesto"); }
    QStringList listaDelPuesto() const
    {
        QStringList t;
        for (int i = 0; i < puesto()->count(); ++i)
            t << puesto()->itemText(i);
        return t;
    }
    // The grid's places as the list of the computer's place shows them.
    QStringList grilla() const
    {
        QStringList t;
        for (int f = 1; f <= form->grilla()->CantidadFilas(); ++f)
            t << form->grilla()->Celda(f, 1) + " — " + form->grilla()->Celda(f, 2);
        return t;
    }
    QTableView *vista() const { return pruebas::control<QTableView>(form->grilla(), "grilla"); }
};

const QStringList iniciales{"01 Depósito 01", "02 Sucursal", "03 Galpón", "04 Vacío"};

} // namespace

// The places window driven through its controls, on the file and on the server.
class TestFrmDepositos : public QObject
{
    Q_OBJECT

    std::unique_ptr<DepositosDePrueba> p;

private slots:
    void cleanup() { p.reset(); }

    // One change through the window: code and name typed, then "&Guardar" ("guardar código|nombre"); a cell
    // of row 02 typed over and saved with F5 ("celda columna|teclas"); Delete on a row, the question answered
    // ("borrar fila"). Then the boxes shown, the places stored, the grid and the list of the computer's place
    // showing them, and the focus on the field to mend after a refusal.
    void cambios_data()
    {
        pruebas::columnas<QString, QMessageBox::StandardButton, QStringList, QStringList, QString>(
            "accion", "respuesta", "mensajes", "lugares", "foco");
        const auto fila = [](const char *caso, const QString &accion, const QString &mensaje,
                             const QStringList &lugares, const QString &foco = {},
                             QMessageBox::StandardButton respuesta = QMessageBox::Yes) {
            QTest::newRow(caso) << accion << respuesta << (mensaje.isEmpty() ? QStringList() : QStringList{mensaje})
                                << lugares << foco;
        };
        const QString info = "Quendra|info|", no = info + "No se puede eliminar el depósito ";
        const QString pregunta = "Quendra||Esta seguro de eliminar a : 04";
        const auto con02 = [](const QString &nombre) {
            return QStringList(iniciales).replaceInStrings("Sucursal", nombre);
        };
        fila("código usado: renombra", "guardar 02|Casa central", "", con02("Casa central"));
        fila("nuevo, blancos fuera", "guardar  06 |  Playa  ", "", iniciales + QStringList{"06 Playa"});
        fila("comillas, cuatro caracteres", "guardar O'10|D'Angelo", "", iniciales + QStringList{"O'10 D'Angelo"});
        fila("cinco caracteres", "guardar A-100|Letras", info + "El código de depósito debe tener hasta 4 caracteres",
             iniciales, "t_codigo");
        fila("sin código", "guardar    |Varios", info + "Falta Código", iniciales, "t_codigo");
        fila("sin nombre", "guardar 07|  ", info + "Falta Nombre", iniciales, "t_Nombre");
        // The code is the place's key, never changed in the grid.
        fila("celda del nombre", "celda 2|Central", info + "El dato:Central fue guardado", con02("Central"));
        fila("celda del código", "celda 1|09", "", iniciales);
        fila("borrar sin movimientos", "borrar 4", pregunta, iniciales.mid(0, 3));
        fila("borrar, respuesta No", "borrar 4", pregunta, iniciales, "", QMessageBox::No);
        fila("borrar con un movimiento", "borrar 2", no + "02 (Sucursal): lo usa 1 movimiento.", iniciales);
        fila("borrar con tres", "borrar 3", no + "03 (Galpón): lo usan 3 movimientos.", iniciales);
        fila("borrar el de este puesto", "borrar 1",
             no + "01 (Depósito 01): es el de este puesto. Elija antes otro en «Este puesto trabaja en».", iniciales);
    }
    void cambios()
    {
        const auto [accion, respuesta, foco] =
            pruebas::fila<QString, QMessageBox::StandardButton, QString>("accion", "respuesta", "foco");
        const QString verbo = accion.section(' ', 0, 0);
        const QStringList d = accion.section(' ', 1).split('|');
        p = std::make_unique<DepositosDePrueba>();
        p->mensajes.responder(respuesta);
        if (verbo == "guardar") {
            p->escribir("t_codigo", d[0]);
            p->escribir("t_Nombre", d[1]);
            p->clic("b_Guardar");
        } else if (verbo == "celda") {
            for (const QString &teclas : {d[1] + " Enter", QString("F5")}) {
                p->form->grilla()->irACelda(2, d[0].toInt());
                pruebas::teclear(teclas, p->vista());
            }
        } else {
            pruebas::clicFila(p->vista(), d[0].toInt());
            QTest::keyClick(p->vista(), Qt::Key_Delete);
        }
        QTEST(p->mensajes.cajas(), "mensajes");
        QTEST(p->lugares(), "lugares");
        QCOMPARE(p->grilla(), p->listaDelPuesto());
        QCOMPARE(p->puesto()->codigo(), QStringLiteral("01"));
        QCOMPARE(p->base.valor("select count(*) from movstk"), QStringLiteral("4"));
        if (!foco.isEmpty())
            QCOMPARE(QApplication::focusWidget()->objectName(), foco);
        else if (verbo == "guardar")
            QCOMPARE(p->texto("t_codigo") + '|' + p->texto("t_Nombre"), d[0].trimmed() + '|' + d[1].trimmed());
    }

    // "Este puesto trabaja en": the place picked becomes the computer's at once and is kept in the settings
    // file beside what the file held; a file that cannot be written is told, and the place stays.
    void puesto_data()
    {
        pruebas::columnas<QString, QString, QString, QStringList>("carpeta", "elegido", "puesto", "mensajes");
        QTest::newRow("guardado") << QString() << QString("03") << QString("03") << QStringList();
        QTest::newRow("carpeta imposible")
            << QString("/dev/null") << QString("02") << QString("01")
            << QStringList{"Quendra|error|Error 10005 (No se pudo guardar el depósito de este puesto en "
                           "«/dev/null/Quendra/quendra.conf»)"};
    }
    void puesto()
    {
        const auto [carpeta, elegido, puesto] =
            pruebas::fila<QString, QString, QString>("carpeta", "elegido", "puesto");
        p = std::make_unique<DepositosDePrueba>(carpeta);
        if (carpeta.isEmpty())
            p->ajustes.escribir("[base]\nservidor=\n");
        pruebas::elegirEnLista(p->puesto(), elegido);
        QTEST(p->mensajes.cajas(), "mensajes");
        QCOMPARE(mPrincipal::depositoDefecto, puesto);
        QCOMPARE(p->puesto()->codigo(), puesto);
        if (!carpeta.isEmpty())
            return;
        QCOMPARE(ajustesBase::depositoDelPuesto(), puesto);
        QVERIFY2(p->ajustes.texto().contains("servidor="), qPrintable(p->ajustes.texto()));
        // The window opened again shows it.
        p->mostrar();
        QCOMPARE(p->puesto()->currentText(), QStringLiteral("03 — Galpón"));
    }

    // From the menu, after the given maintenance items: nothing overlapping or cut, the code takes the
    // typing, Alt+S closes the window and not the program.
    void desdeElMenu()
    {
        mPrincipal::depositoDefecto = QStringLiteral("01");
        pruebas::PrincipalDePrueba m;
        QStringList items;
        for (QAction *a : m.principal.findChild<QMenu *>("mnuMantenimiento")->actions())
            items << a->objectName() + ' ' + a->text();
        // Items added later come after these.
        QCOMPARE(items.mid(0, 3),
                 (QStringList{"mnuArticulo &Articulo", "mnuSeccion &Familias", "mnuDepositos &Depósitos"}));
        QWidget *form = m.abrir("mnuDepositos", [] { return new FrmDepositos; });
        QCOMPARE(form->windowTitle(), QStringLiteral("Mantenimiento de Depósitos"));
        QCOMPARE(pruebas::solapes(form), QString());
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("t_codigo"));
        QCOMPARE(pruebas::control<ListaDepositos>(form, "cbo_Puesto")->currentText(),
                 QStringLiteral("01 — Depósito 01"));
        QVERIFY(m.pulsarAlt('s'));
        QTRY_VERIFY(!m.principal.formularioAbierto("mnuDepositos"));
        QCOMPARE(m.mensajes.textos(), QStringList());
    }
};

QUENDRA_TEST(TestFrmDepositos)
#include "tst_frm_depositos.moc"
