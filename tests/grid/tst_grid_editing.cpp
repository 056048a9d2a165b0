#include "frm_busqueda.h"
#include "grid_fixture.h"
#include "quendra_error.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QTimer>
#include <cmath>

// Columns of the article grid: 0 NUMERO (key), 1 NOMBRE, 2 ALTA, 3 COSTO; rows 1 to 4.
class TestEdicionGrilla : public QObject
{
    Q_OBJECT
private slots:
    void teclas_data()
    {
        // afterwards: the current cell, the starting cell's text, whether the editor is open
        pruebas::columnas<int, int, QString, QString, QString, bool>("fila", "columna", "teclas", "celdaFinal",
                                                                     "textoInicial", "editorAbierto");
        const auto fila = [](const char *caso, int f, int c, const char *teclas, const char *final, const char *texto,
                             bool abierto) { QTest::newRow(caso) << f << c << teclas << final << texto << abierto; };
        fila("letra reemplaza", 1, 1, "x", "1,1", "x", true);
        fila("F2 conserva, la coma agrega", 1, 1, "F2 ,s", "1,1", "Tornillo,s", true);
        fila("Backspace acorta", 1, 1, "Back", "1,1", "Tornill", true);
        fila("Enter avanza y baja", 1, 2, "Enter F2 9 Enter", "2,3", "05-03-2024", false);
        fila("Enter en la última celda", 4, 3, "F2 1 Enter", "4,3", "1", false);
        fila("Escape devuelve el texto", 1, 1, "abc Esc", "1,1", "Tornillo", true);
        fila("coma en número es punto", 1, 3, ",5 F2 Back Back 2,5", "1,3", "2.5", true);
        fila("clave no se edita", 1, 0, "x F2 Back Enter", "1,0", "000001", false);
        fila("izquierda y arriba en la primera", 1, 1, "F2 Home Left Up", "1,1", "Tornillo", true);
        fila("izquierda dos veces", 2, 2, "F2 Home Left F2 Home Left", "1,3", "10-01-2024", false);
        fila("izquierda con el cursor en medio", 1, 2, "F2 Left Left", "1,2", "05-03-2024", true);
        fila("derecha al final pasa a la fila de abajo", 3, 3, "F2 Right", "4,1", "41.5", false);
        fila("derecha y abajo en la última", 4, 3, "F2 7 Right Down", "4,3", "7", true);
        fila("abajo deja lo escrito, arriba", 1, 1, "Perno Down F2 Up", "1,1", "Perno", false);
    }
    void teclas()
    {
        const auto [fila, columna, teclas, textoInicial, editorAbierto] =
            pruebas::fila<int, int, QString, QString, bool>("fila", "columna", "teclas", "textoInicial",
                                                            "editorAbierto");
        GrillaDePrueba g;
        g.cargar();
        g.clic(fila, columna);
        g.teclear(teclas);
        QTEST(g.celdaActual(), "celdaFinal");
        QCOMPARE(g.grid->Celda(fila, columna), textoInicial);
        QCOMPARE(g.t1->isVisible(), editorAbierto);
        if (editorAbierto) {
            QCOMPARE(g.t1->text(), textoInicial);
            QCOMPARE(QApplication::focusWidget(), g.t1);
            QCOMPARE(g.t1->geometry(), g.rectEditor(fila, columna));
        } else {
            QCOMPARE(QApplication::focusWidget(), g.vista);
        }
        QCOMPARE(g.base.valor("select nombre from articulo where numero='000001'"), QStringLiteral("Tornillo"));
    }

    // Moving past the visible rows brings the cell into view, editor and all.
    void seTraeALaVista()
    {
        GrillaDePrueba g;
        for (int i = 5; i <= 60; ++i)
            g.base.ejecutar(QStringLiteral("INSERT INTO articulo(numero,nombre) VALUES ('%1','N%1')")
                                .arg(i, 6, 10, QLatin1Char('0')));
        g.cargar();
        g.clic(1, 3);
        g.teclear(QStringLiteral("Enter ").repeated(40) + QStringLiteral("F2"));
        QCOMPARE(g.celdaActual(), QStringLiteral("41,3"));
        QVERIFY(g.vista->viewport()->rect().contains(g.rectCelda(41, 3)));
        QCOMPARE(g.t1->geometry(), g.rectEditor(41, 3));
    }
};

class TestCargaGrilla : public QObject
{
    Q_OBJECT
private slots:
    // A load chooses no row; a failed one leaves the grid as it was; one without rows shows one empty row.
    void cargas()
    {
        GrillaDePrueba g;
        int clics = 0;
        QObject::connect(g.grid, &EditableGrid::ClicMouse, [&] { ++clics; });
        g.cargar();
        QCOMPARE(g.grid->CantidadFilas(), 4);
        QCOMPARE(g.grid->EstaVacio(), false);
        // The header, a date, a number and a null as the grid shows them.
        QCOMPARE(QStringList({g.grid->Celda(0, 1), g.grid->Celda(1, 2), g.grid->Celda(2, 3), g.grid->Celda(4, 2)}),
                 QStringList({"NOMBRE", "05-03-2024", "0.12", ""}));
        QCOMPARE(g.celdaActual(), QStringLiteral("1,0"));
        QCOMPARE(g.vista->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 192));
        QCOMPARE(clics, 0); // nothing is chosen by loading
        QVERIFY_THROWS_EXCEPTION(QuendraError, g.grid->Celda(5, 0));
        QVERIFY_THROWS_EXCEPTION(QuendraError, g.cargar(QStringLiteral("select nada from ningunlado")));
        QCOMPARE(g.grid->CantidadFilas(), 4);
        QCOMPARE(g.grid->Celda(1, 1), QStringLiteral("Tornillo"));
        g.cargar(QStringLiteral("select codigo, familia from familia"));
        QCOMPARE(g.grid->CantidadFilas(), 1);
        QCOMPARE(g.grid->EstaVacio(), true);
        QCOMPARE(g.grid->Celda(0, 1), QStringLiteral("FAMILIA"));
        QCOMPARE(g.grid->Celda(1, 0), QString());
        g.grid->setEliminarOK(true); // the blank row is no row of the table
        g.teclear("Del");
        QCOMPARE(g.mensajes.mostrados().size(), 0);
    }

    // Texts whose letters kern: the quick measure finds the widest as a full layout does, plus 8.
    void anchoExactoConMuchasFilas()
    {
        GrillaDePrueba g;
        const QFontMetricsF fm(g.vista->font());
        qreal mayor = fm.horizontalAdvance(QStringLiteral("NOMBRE"));
        const QStringList piezas{"AV", "To", "WA", "ll", "MM", "Ty", "ii", "Ñá", "Yo", "LT"};
        QStringList filas;
        for (int i = 0; i < 3000; ++i) {
            QString t;
            for (int k = 0, v = i; k < 6; ++k, v = v * 7 + 3)
                t += piezas[(v + k) % piezas.size()];
            mayor = qMax(mayor, fm.horizontalAdvance(t));
            filas << QStringLiteral("('%1','%2')").arg(i).arg(t);
        }
        g.base.ejecutar("INSERT INTO familia(codigo,familia) VALUES " + filas.join(','));
        g.cargar(QStringLiteral("select familia from familia"), std::nullopt, QString());
        QCOMPARE(g.vista->columnWidth(0), int(std::ceil(mayor)) + 8);
    }
};

// The lookup dialog as the forms use it: sqlBusqueda in, codigoBusqueda out.
class TestFrmBusqueda : public QObject
{
    Q_OBJECT
private slots:
    void eleccion_data()
    {
        // acciones: "c3" clicks row 3, anything else are keys
        // cerrada: the keys closed the dialog before the test's own close
        pruebas::columnas<QString, QString, QString, bool>("consulta", "acciones", "codigo", "cerrada");
        const QString familias = QStringLiteral("select codigo, familia from familia order by codigo");
        QTest::newRow("sin elegir") << familias << ""
                                    << "" << false;
        QTest::newRow("fila 3 y luego 5") << familias << "c3 c5"
                                          << "0005" << false;
        QTest::newRow("flechas como clics") << familias << "c1 Down Down"
                                            << "0003" << false;
        QTest::newRow("Delete no borra, F5 no guarda") << familias << "c2 Del x Enter Up F5"
                                                       << "0002" << false;
        QTest::newRow("Intro devuelve la fila actual y cierra") << familias << "c1 Down Enter"
                                                                << "0002" << true;
        QTest::newRow("Esc cierra como el botón de cerrar") << familias << "c4 Esc"
                                                            << "0004" << true;
        QTest::newRow("Intro sin coincidencias") << familias + " limit 0"
                                                 << "Enter"
                                                 << "" << true;
    }
    void eleccion()
    {
        const auto [consulta, acciones, cerrada] =
            pruebas::fila<QString, QString, bool>("consulta", "acciones", "cerrada");
        BaseDePrueba base(BaseDePrueba::Demo);
        RegistroMensajes mensajes;
        const QString familiasAntes = base.valor("select group_concat(familia) from familia");
        mPrincipal::sqlBusqueda = consulta;
        QTimer::singleShot(0, [acciones, cerrada] {
            QVERIFY(FrmBusqueda::instancia().isModal() && FrmBusqueda::instancia().isVisible());
            auto *vista = pruebas::control<QTableView>(&FrmBusqueda::instancia(), "grilla");
            for (const QString &a : acciones.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                if (QRegularExpression(QStringLiteral("^c\\d$")).match(a).hasMatch())
                    pruebas::clicFila(vista, a.mid(1).toInt());
                else
                    pruebas::teclear(a);
            }
            QCOMPARE(!FrmBusqueda::instancia().isVisible(), cerrada);
            FrmBusqueda::instancia().close();
        });
        FrmBusqueda::buscar();
        mPrincipal::sqlBusqueda.clear();
        QTEST(std::exchange(mPrincipal::codigoBusqueda, QString()), "codigo");
        QCOMPARE(mensajes.mostrados().size(), 0);
        QCOMPARE(base.valor("select group_concat(familia) from familia"), familiasAntes);
    }

    // The dialog says when nothing matches, and only then.
    void sinCoincidencias_data()
    {
        pruebas::columnas<QString, bool>("consulta", "aviso");
        QTest::newRow("nada") << "select codigo, familia from familia where codigo='no existe'" << true;
        QTest::newRow("algo") << "select codigo, familia from familia" << false;
    }
    void sinCoincidencias()
    {
        QFETCH(QString, consulta);
        BaseDePrueba base(BaseDePrueba::Demo);
        mPrincipal::sqlBusqueda = consulta;
        FrmBusqueda::instancia().cargar();
        mPrincipal::sqlBusqueda.clear();
        QTEST(
            pruebas::control<QLabel>(&FrmBusqueda::instancia(), "lblSinFilas")->isVisibleTo(&FrmBusqueda::instancia()),
            "aviso");
    }

    void consultaFallidaVaAlQueAbre()
    {
        mPrincipal::sqlBusqueda = QStringLiteral("select nada from ningunlado");
        QVERIFY_THROWS_EXCEPTION(QuendraError, FrmBusqueda::buscar());
        QVERIFY(!FrmBusqueda::instancia().isVisible());
        mPrincipal::sqlBusqueda.clear();
    }
};

QUENDRA_TEST(TestEdicionGrilla)
QUENDRA_TEST(TestCargaGrilla)
QUENDRA_TEST(TestFrmBusqueda)
#include "tst_grid_editing.moc"
