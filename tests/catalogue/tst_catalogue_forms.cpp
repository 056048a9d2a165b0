#include "editable_grid.h"
#include "form_driver.h"
#include "frm_articulo.h"
#include "frm_familia.h"
#include "mprincipal.h"
#include "report_pages.h"
#include "report_pdf.h"
#include "report_preview.h"
#include "sql_text.h"
#include "test_main.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>

using pruebas::vistaPrevia;

// A catalogue form over the demo database (or an empty one), today 14-05-2026.
template <class Formulario> struct CatalogoDePrueba : pruebas::FormularioDePrueba<Formulario>
{
    explicit CatalogoDePrueba(BaseDePrueba::Contenido contenido = BaseDePrueba::Demo)
        : pruebas::FormularioDePrueba<Formulario>(contenido, QDate(2026, 5, 14))
    {
        this->mostrar();
    }

    // The grid's table view, a click or double click on a row (from 1), and a column's texts.
    QTableView *vista() const { return pruebas::control<QTableView>(this->form->grilla(), "grilla"); }
    void clicFila(int fila, bool doble = false) { pruebas::clicFila(vista(), fila, doble); }
    QStringList columnaGrilla(int columna) const
    {
        QStringList t;
        for (int f = 1; f <= this->form->grilla()->CantidadFilas(); ++f)
            t << this->form->grilla()->Celda(f, columna);
        return t;
    }
};

// The article form and the list its "&Imprimir" shows, over the demo database.
class TestFrmArticulo : public QObject
{
    Q_OBJECT

    using Prueba = CatalogoDePrueba<frmArticulo>;
    std::unique_ptr<Prueba> p;

    QString fila(const QString &numero) const
    {
        return p->base.valor("select numero||'|'||codigo||'|'||nombre||'|'||coalesce(detalle,'')||'|'||alta||'|'||"
                             "costo||'|'||stock from articulo where numero='"
                             + numero + "'");
    }
    QString detalle() const { return p->control<QPlainTextEdit>("t_detalle")->toPlainText(); }
    void cargar(const QString &numero) { p->escribirYSalir("t_numero", numero); }
    // Picks the first family whose name holds the text.
    void elegirFamilia(const QString &parte)
    {
        p->escribir("t_Familia", parte);
        pruebas::elegirEnBusqueda(p->control("b_BuscarFamilia"));
    }

private slots:
    void init() { p = std::make_unique<Prueba>(); }
    void cleanup()
    {
        p.reset();
        if (ReportPreview *v = vistaPrevia())
            v->close();
    }

    void alAbrirDobleClicYBorrar()
    {
        QCOMPARE(p->texto("t_alta"), QStringLiteral("14-05-2026"));
        const QStringList numeros = p->columnaGrilla(0);
        QCOMPARE(QString::number(numeros.size()) + ' ' + numeros.first() + ' ' + numeros.last(), "36 000001 000036");
        p->clicFila(14, true);
        const QStringList cargado{p->texto("t_numero"), p->texto("t_Nombre"), p->texto("t_Familia"), detalle(),
                                  p->texto("t_alta")};
        QCOMPARE(cargado.join('|'),
                 "000014|Cable unipolar 2,5 mm rollo 100 m|Electricidad|Normalizado IRAM|13-02-2026");
        p->clicFila(4);
        QTest::keyClick(p->vista(), Qt::Key_Delete);
        QCOMPARE(p->base.valor("select count(*) || ' ' || sum(numero = '000004') from articulo"),
                 QStringLiteral("35 0"));
        QCOMPARE(p->base.filas("select tipo||'|'||numero from registro_cambios"), QStringList{"articulo-baja|000004"});
    }

    // Typed over and saved with F5 in the article grid: the cost is the operator's, the stock the movements'.
    void grillaDeArticulos_data()
    {
        pruebas::columnas<int, QString, QString>("columna", "teclas", "guardado");
        QTest::newRow("costo") << 2 << "9 Enter Left F5"
                               << "9.0|40.0";
        QTest::newRow("stock, de sus movimientos") << 3 << "9 Enter Up F5"
                                                   << "1.8|40.0";
    }
    void grillaDeArticulos()
    {
        const auto [columna, teclas] = pruebas::fila<int, QString>("columna", "teclas");
        p->form->grilla()->irACelda(3, columna);
        pruebas::teclear(teclas, p->vista());
        QTEST(p->base.valor("select costo||'|'||stock from articulo where numero='000003'"), "guardado");
    }

    void numeroExistenteSobrescribeLasSieteColumnas()
    {
        p->base.ejecutar("update articulo set costo = 12.5, stock = 3.25 where numero='000003'");
        cargar("000003");
        // The stock moves behind the form; the save writes the cost it shows and the stock of the movements.
        p->base.ejecutar("update articulo set stock = 999 where numero='000003'");
        p->escribir("t_Nombre", "Arandela grower 3/8");
        elegirFamilia("Plom");
        p->escribir("t_detalle", "Bolsa de 20");
        p->escribir("t_alta", "02032026");
        p->clic("b_Guardar");
        QCOMPARE(fila("000003"), QStringLiteral("000003|0004|Arandela grower 3/8|Bolsa de 20|2026-03-02|12.5|40.0"));
        // The record names the columns that changed, with the values they had and have.
        const QStringList registro = p->base.filas("select tipo||'|'||numero||'|'||nuevo from registro_cambios");
        QCOMPARE(registro.size(), 1);
        QVERIFY2(registro[0].startsWith("articulo-cambio|000003|")
                     && registro[0].contains("nombre: Arandela grower 3/8") && registro[0].contains("alta: 02-03-2026")
                     && !registro[0].contains("costo"),
                 qPrintable(registro[0]));
        QCOMPARE(p->base.valor("select count(*) from articulo"), QStringLiteral("36"));
    }

    void nuevoLimpiaYElNumeroSeRellena()
    {
        cargar("000007");
        p->escribir("t_alta", "01012020");
        p->clic("BT_Nuevo");
        for (const char *campo : {"t_numero", "t_Nombre", "t_codigo", "t_Familia", "t_Costo", "t_stock"})
            QCOMPARE(p->texto(campo), QString());
        QCOMPARE(detalle(), QString());
        QCOMPARE(p->texto("t_alta"), QStringLiteral("14-05-2026"));
        p->escribir("t_numero", "37");
        p->escribir("t_Nombre", "Espátula");
        elegirFamilia("Pint");
        p->escribir("t_Costo", "0.125"); // half a cent goes to the even one
        p->clic("b_Guardar");
        QCOMPARE(p->mensajes.textos(), QStringList());
        QCOMPARE(fila("000037"), QStringLiteral("000037|0002|Espátula||2026-05-14|0.12|0.0"));
        QCOMPARE(p->base.filas("select tipo||'|'||numero||'|'||nuevo from registro_cambios"),
                 QStringList{"articulo-alta|000037|numero: 000037; codigo: 0002; nombre: Espátula; detalle: ; "
                             "alta: 14-05-2026; costo: 0.12; stock: 0"});
        QCOMPARE(p->texto("t_numero"), QString());
    }

    void salirDelNumeroCargaElArticulo()
    {
        const QString antes = fila("000002");
        cargar(" 2"); // as short as the save takes it
        QCOMPARE(p->texto("t_numero"), QStringLiteral("000002"));
        p->escribir("t_Nombre", "Cambiado sin guardar");
        p->escribir("t_Costo", "99");
        // Back into the number and straight to "&Guardar": the stored article is loaded first.
        QTest::mouseClick(p->control("t_numero"), Qt::LeftButton);
        p->clic("b_Guardar");
        QCOMPARE(fila("000002"), antes);
        // An unknown number keeps the fields: saving files the shown article under it,
        // with the stock of its own movements.
        p->base.ejecutar("insert into movstk(comprobante,tipomov,fecha,numero,costo,impreso,deposito,Entrada,Salida,"
                         "codigo) values ('00000011','EN','2026-01-02','999999',1,'N','01',8,0,'0001'),"
                         "('00000012','SA','2026-01-03','999999',1,'N','01',0,3,'0001')");
        cargar("000002");
        cargar("999999");
        p->clic("b_Guardar");
        QCOMPARE(fila("999999"), "999999" + antes.mid(6).section('|', 0, -2) + "|5.0");
        QCOMPARE(fila("000002"), antes);
    }

    void busquedaPorNombre_data()
    {
        pruebas::columnas<QString, int>("nombre", "filas");
        QTest::newRow("vacío lista todos") << "" << 37;
        QTest::newRow("parte sin importar mayúsculas ni blancos") << "  CINTA " << 3;
        QTest::newRow("comilla") << "d'ang" << 1;
    }
    void busquedaPorNombre()
    {
        QFETCH(QString, nombre);
        p->base.ejecutar("insert into articulo(numero,codigo,nombre,alta,costo,stock) "
                         "values ('000077','0006','Sierra D''Angelo','2026-01-02',1,0)");
        p->escribir("t_Nombre", nombre);
        p->clic("Bt_Consulta");
        const QStringList nombres = p->columnaGrilla(1);
        QTEST(int(nombres.size()), "filas");
        QCOMPARE(nombres, p->base.filas("select nombre from articulo where nombre like '%" + sqlTexto(nombre.trimmed())
                                        + "%' order by nombre"));
        QCOMPARE(p->texto("t_Nombre"), nombre);
        // The found rows load as the whole list's do.
        p->clicFila(1, true);
        QCOMPARE(p->texto("t_Nombre"), nombres.first());
    }

    // A family search that finds nothing changes nothing and leaves the shared texts empty.
    void busquedaDeFamiliaSinResultado()
    {
        cargar("000001");
        const QString codigo = p->texto("t_codigo");
        p->escribir("t_Familia", "D'A");
        pruebas::elegirEnBusqueda(p->control("b_BuscarFamilia"));
        QCOMPARE(p->texto("t_codigo"), codigo);
        QCOMPARE(p->texto("t_Familia"), QStringLiteral("D'A"));
        QCOMPARE(mPrincipal::sqlBusqueda + mPrincipal::codigoBusqueda, QString());
    }

    void listaDeLaBaseDemo()
    {
        if (!pruebas::hayPdftotext())
            QSKIP("pdftotext (poppler-utils) is not installed");
        // An article whose family is gone is listed all the same, and a quote prints as typed.
        p->base.ejecutar("insert into articulo(numero,codigo,nombre,alta,costo,stock) "
                         "values ('000099','0099','Adaptador D''Angelo','2026-01-02',1,2.5)");
        p->clic("B_Imprimir");
        QCOMPARE(p->mensajes.textos(), QStringList());
        ReportPreview *vista = vistaPrevia();
        QVERIFY(vista);
        QTemporaryDir carpeta;
        const QString pdf = carpeta.filePath(QStringLiteral("lista.pdf"));
        writeReportPdf(*vista->pages(), pdf);
        const QStringList lineas = pruebas::paginasPdf(pdf).value(0).split(QLatin1Char('\n'));
        const QString encabezado = lineas.mid(0, 6).join(QLatin1Char(' ')).simplified();
        for (const char *t : {"Velmarina", "Pagina: 1(1)", "Lista de Articulos", "Codigo Descripción", "Stock"})
            QVERIFY2(encabezado.contains(QString::fromUtf8(t)), qPrintable(encabezado));
        QStringList filas = lineas.filter(QRegularExpression(QStringLiteral("^\\s*\\d{6}\\s")));
        std::transform(filas.begin(), filas.end(), filas.begin(), [](const QString &l) { return l.simplified(); });
        const QStringList esperadas = p->base.filas("select numero, nombre, stock from articulo order by nombre");
        QCOMPARE(esperadas.first(), QStringLiteral("000099 Adaptador D'Angelo 2.5"));
        QCOMPARE(filas, esperadas);
    }

    void listaSinArticulosAvisaYMuestraIgual()
    {
        p.reset();
        p = std::make_unique<Prueba>(BaseDePrueba::Vacia);
        p->clic("B_Imprimir");
        QCOMPARE(p->mensajes.cajas(), QStringList{"Articulos|error|No existe articulos para imprimir"});
        ReportPreview *vista = vistaPrevia();
        QVERIFY(vista);
        QCOMPARE(vista->pages()->rowCount(), 0);
        QCOMPARE(vista->pages()->pageCount(), 1);
    }
};

// The family form driven through its controls over the demo database.
class TestFrmFamilia : public QObject
{
    Q_OBJECT

    std::unique_ptr<CatalogoDePrueba<FrmFamilia>> p;

    QString familias() const
    {
        return p->base.valor("select group_concat(codigo||'='||familia, ' ') from (select * from familia order by id)");
    }

private slots:
    void init() { p = std::make_unique<CatalogoDePrueba<FrmFamilia>>(); }
    void cleanup() { p.reset(); }

    void guardar_data()
    {
        // pasos: code, name, code, name ... saved in turn; foco: the field focused when a message shows
        pruebas::columnas<QStringList, QString, QString, int, QString, QString, QStringList>(
            "pasos", "codigo", "familia", "total", "mensaje", "foco", "registro");
        const QString cuatro = "El código de familia debe tener hasta 4 dígitos";
        QTest::newRow("nuevo código") << QStringList{"7", "Bulonería"} << "0007"
                                      << "Bulonería" << 7 << ""
                                      << "" << QStringList{"familia-alta|0007||codigo: 0007; familia: Bulonería"};
        QTest::newRow("renombrar") << QStringList{"7", "Bulonería", " 7 ", "Bulones"} << "0007"
                                   << "Bulones" << 7 << ""
                                   << ""
                                   << QStringList{"familia-alta|0007||codigo: 0007; familia: Bulonería",
                                                  "familia-cambio|0007|familia: Bulonería|familia: Bulones"};
        QTest::newRow("código en blanco") << QStringList{"   ", "Varios"} << "0000"
                                          << "Varios" << 7 << ""
                                          << "" << QStringList{"familia-alta|0000||codigo: 0000; familia: Varios"};
        QTest::newRow("comillas") << QStringList{"8'", "D'Angelo"} << "8'"
                                  << "D'Angelo" << 6 << cuatro << "t_codigo" << QStringList{};
        QTest::newRow("ambos vacíos") << QStringList{"", ""} << ""
                                      << "" << 6 << "Falta Codigo"
                                      << "t_codigo" << QStringList{};
        QTest::newRow("sin nombre") << QStringList{"9", ""} << "9"
                                    << "" << 6 << "Falta Familia"
                                    << "t_Familia" << QStringList{};
    }
    void guardar()
    {
        const auto [pasos, codigo, familia, total, mensaje] =
            pruebas::fila<QStringList, QString, QString, int, QString>("pasos", "codigo", "familia", "total",
                                                                       "mensaje");
        const QString antes = familias();
        for (qsizetype i = 0; i < pasos.size(); i += 2) {
            p->escribir("t_codigo", pasos[i]);
            p->escribir("t_Familia", pasos[i + 1]);
            p->clic("b_Guardar");
        }
        QCOMPARE(p->mensajes.cajas(), mensaje.isEmpty() ? QStringList() : QStringList{"Quendra|info|" + mensaje});
        QCOMPARE(p->base.valor("select count(*) from familia").toInt(), total);
        // The fields keep what was typed, the code padded once saved; the grid shows the table.
        QCOMPARE(p->texto("t_codigo") + '=' + p->texto("t_Familia"), codigo + '=' + familia);
        QCOMPARE(p->form->grilla()->CantidadFilas(), total);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QTEST(p->base.filas("select tipo||'|'||objeto||'|'||coalesce(anterior,'')||'|'||nuevo from registro_cambios "
                            "order by id"),
              "registro");
        if (mensaje.isEmpty()) {
            QCOMPARE(p->base.valor("select group_concat(familia) from familia where codigo='" + codigo + "'"), familia);
        } else {
            QTEST(QApplication::focusWidget()->objectName(), "foco");
            QCOMPARE(familias(), antes);
        }
    }

    void alAbrirDobleClicYBorrar()
    {
        QCOMPARE(p->columnaGrilla(2).join(','), "Ferretería,Pinturas,Electricidad,Plomería,Jardín,Herramientas");
        p->clicFila(3, true);
        QCOMPARE(p->texto("t_codigo") + '=' + p->texto("t_Familia"), QStringLiteral("0003=Electricidad"));
        p->clicFila(1);
        QTest::keyClick(p->vista(), Qt::Key_Delete);
        QCOMPARE(p->base.valor("select count(*) from familia where codigo='0001'"), QStringLiteral("0"));
        QCOMPARE(p->base.filas("select tipo||'|'||objeto from registro_cambios"), QStringList{"familia-baja|0001"});
    }
};

// The catalogue forms as the main window's menu opens them over the demo database.
class TestMenuCatalogo : public QObject
{
    Q_OBJECT
private slots:
    // The first field takes the typing, and the forms' access keys come before
    // the menu's ("&Salir", "&Informes").
    void primerCampoYTeclasDeAcceso_data()
    {
        pruebas::columnas<QString, QString, char, QString>("item", "primerCampo", "tecla", "efecto");
        QTest::newRow("Alt+S cierra artículos") << "mnuArticulo"
                                                << "t_numero" << 's' << "cerrado";
        QTest::newRow("Alt+S cierra familias") << "mnuSeccion"
                                               << "t_codigo" << 's' << "cerrado";
        QTest::newRow("Alt+I imprime la lista") << "mnuArticulo"
                                                << "t_numero" << 'i' << "lista";
        QTest::newRow("Alt+N limpia") << "mnuArticulo"
                                      << "t_numero" << 'n' << "vacío";
    }
    void primerCampoYTeclasDeAcceso()
    {
        const auto [item, tecla, efecto] = pruebas::fila<QString, char, QString>("item", "tecla", "efecto");
        pruebas::PrincipalDePrueba m;
        // Another child first, so the area would cascade the next one: the family window still opens top left.
        m.principal.areaTrabajo()->addSubWindow(new QWidget)->show();
        m.abrir(item, [item]() -> QWidget * {
            return item == "mnuArticulo" ? static_cast<QWidget *>(new frmArticulo) : new FrmFamilia;
        });
        if (item == "mnuSeccion")
            QCOMPARE(m.principal.formularioAbierto(item)->parentWidget()->pos(), QPoint(0, 0));
        auto *primero = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(primero);
        QTEST(primero->objectName(), "primerCampo");
        QTest::keyClicks(primero, QStringLiteral("12"));
        QCOMPARE(primero->text(), QStringLiteral("12"));
        QVERIFY(m.pulsarAlt(tecla));
        if (efecto == "cerrado") { // the field goes with its form
            QTRY_VERIFY(!m.principal.formularioAbierto(item));
        } else {
            QVERIFY(m.principal.formularioAbierto(item)->isVisible());
            QCOMPARE(primero->text().isEmpty(), efecto == "vacío");
        }
        if (efecto == "lista") {
            QVERIFY(vistaPrevia());
            vistaPrevia()->close();
        }
        QCOMPARE(m.mensajes.textos(), QStringList());
    }
};

QUENDRA_TEST(TestFrmArticulo)
QUENDRA_TEST(TestFrmFamilia)
QUENDRA_TEST(TestMenuCatalogo)
#include "tst_catalogue_forms.moc"
