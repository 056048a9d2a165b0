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

    // Code and name typed, then "&Guardar": the places stored, the grid and the list of the computer's
    // place showing them; or the message that stops it, the focus on the field to mend.
    void guardar_data()
    {
        pruebas::columnas<QString, QString, QStringList, QString, QString>("codigo", "nombre", "lugares", "mensaje",
                                                                           "foco");
        const auto fila = [](const char *caso, const QString &codigo, const QString &nombre, const QStringList &lugares,
                             const QString &mensaje = {}, const QString &foco = {}) {
            QTest::newRow(caso) << codigo << nombre << lugares << mensaje << foco;
        };
        fila("código usado: renombra", "02", "Casa central",
             {"01 Depósito 01", "02 Casa central", "03 Galpón", "04 Vacío"});
        fila("nuevo, blancos fuera", " 06 ", "  Playa  ", iniciales + QStringList{"06 Playa"});
        fila("comillas, cuatro caracteres", "O'10", "D'Angelo", iniciales + QStringList{"O'10 D'Angelo"});
        fila("cinco caracteres", "A-100", "Letras", iniciales, "El código de depósito debe tener hasta 4 caracteres",
             "t_codigo");
        fila("sin código", "   ", "Varios", iniciales, "Falta Código", "t_codigo");
        fila("sin nombre", "07", "  ", iniciales, "Falta Nombre", "t_Nombre");
    }
    void guardar()
    {
        const auto [codigo, nombre, mensaje] = pruebas::fila<QString, QString, QString>("codigo", "nombre", "mensaje");
        p = std::make_unique<DepositosDePrueba>();
        p->escribir("t_codigo", codigo);
        p->escribir("t_Nombre", nombre);
        p->clic("b_Guardar");
        QCOMPARE(p->mensajes.cajas(), mensaje.isEmpty() ? QStringList() : QStringList{"Quendra|info|" + mensaje});
        QTEST(p->lugares(), "lugares");
        QCOMPARE(p->grilla(), p->listaDelPuesto());
        QCOMPARE(p->puesto()->codigo(), QStringLiteral("01"));
        if (mensaje.isEmpty())
            QCOMPARE(p->texto("t_codigo") + '|' + p->texto("t_Nombre"), codigo.trimmed() + '|' + nombre.trimmed());
        else
            QTEST(QApplication::focusWidget()->objectName(), "foco");
    }

    // A cell of row 02 typed over and saved with F5: the name is stored and told; the code is the place's
    // key, never changed in the grid.
    void editarEnLaGrilla_data()
    {
        pruebas::columnas<int, QString, QStringList, QStringList>("columna", "teclas", "lugares", "mensajes");
        QTest::newRow("nombre") << 2 << "Central"
                                << QStringList{"01 Depósito 01", "02 Central", "03 Galpón", "04 Vacío"}
                                << QStringList{"Quendra|info|El dato:Central fue guardado"};
        QTest::newRow("código") << 1 << "09" << iniciales << QStringList();
    }
    void editarEnLaGrilla()
    {
        const auto [columna, teclas] = pruebas::fila<int, QString>("columna", "teclas");
        p = std::make_unique<DepositosDePrueba>();
        EditableGrid *g = p->form->grilla();
        g->irACelda(2, columna);
        pruebas::teclear(teclas + " Enter", p->vista());
        g->irACelda(2, columna);
        pruebas::teclear("F5", p->vista());
        QTEST(p->mensajes.cajas(), "mensajes");
        QTEST(p->lugares(), "lugares");
        QCOMPARE(p->grilla(), p->listaDelPuesto());
    }

    // Delete on a row: a place no movement names goes once the operator confirms; one in use, or the one
    // this computer works in, stays, and the operator is told why.
    void eliminar_data()
    {
        pruebas::columnas<int, QMessageBox::StandardButton, QStringList, QStringList>("fila", "respuesta", "mensajes",
                                                                                      "lugares");
        const QString pregunta = "Quendra||Esta seguro de eliminar a : 04";
        const auto no = [](const QString &porque) {
            return QStringList{"Quendra|info|No se puede eliminar el depósito " + porque};
        };
        QTest::newRow("sin movimientos") << 4 << QMessageBox::Yes << QStringList{pregunta} << iniciales.mid(0, 3);
        QTest::newRow("sin movimientos, respuesta No") << 4 << QMessageBox::No << QStringList{pregunta} << iniciales;
        QTest::newRow("un movimiento") << 2 << QMessageBox::Yes << no("02 (Sucursal): lo usa 1 movimiento.")
                                       << iniciales;
        QTest::newRow("tres movimientos")
            << 3 << QMessageBox::Yes << no("03 (Galpón): lo usan 3 movimientos.") << iniciales;
        QTest::newRow("el de este puesto")
            << 1 << QMessageBox::Yes
            << no("01 (Depósito 01): es el de este puesto. Elija antes otro en «Este puesto trabaja en».") << iniciales;
    }
    void eliminar()
    {
        const auto [fila, respuesta] = pruebas::fila<int, QMessageBox::StandardButton>("fila", "respuesta");
        p = std::make_unique<DepositosDePrueba>();
        p->mensajes.responder(respuesta);
        pruebas::clicFila(p->vista(), fila);
        QTest::keyClick(p->vista(), Qt::Key_Delete);
        QTEST(p->mensajes.cajas(), "mensajes");
        QTEST(p->lugares(), "lugares");
        QCOMPARE(p->grilla(), p->listaDelPuesto());
        QCOMPARE(p->base.valor("select count(*) from movstk"), QStringLiteral("4"));
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
        QCOMPARE(p->listaDelPuesto(), p->grilla());
        pruebas::elegirEnLista(p->puesto(), elegido);
        QTEST(p->mensajes.cajas(), "mensajes");
        QCOMPARE(mPrincipal::depositoDefecto, puesto);
        QCOMPARE(p->puesto()->codigo(), puesto);
        if (!carpeta.isEmpty())
            return;
        QCOMPARE(ajustesBase::depositoDelPuesto(), puesto);
        QCOMPARE(ajustesBase::servidor(), QString());
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
        QCOMPARE(items, (QStringList{"mnuArticulo &Articulo", "mnuSeccion &Familias", "mnuDepositos &Depósitos"}));
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
