#include "catalogue_fixture.h"
#include "frm_articulo.h"
#include "report_pages.h"
#include "report_pdf.h"

#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>

// The article form, and the article list its "&Imprimir" shows, driven through
// the controls over the demo database.
class TestFrmArticulo : public QObject
{
    Q_OBJECT

    using Prueba = CatalogoDePrueba<frmArticulo>;
    std::unique_ptr<Prueba> p;

    QString fila(const QString &numero) const
    {
        return p->base.valor("select numero||'|'||codigo||'|'||nombre||'|'||coalesce(detalle,'')||'|'||alta||'|'||"
                             "costo||'|'||stock from articulo where numero='" + numero + "'");
    }
    int articulos() const { return p->base.valor("select count(*) from articulo").toInt(); }
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

    void alAbrirYDobleClic()
    {
        QCOMPARE(p->texto("t_alta"), QStringLiteral("14-05-2026"));
        const QStringList numeros = p->columnaGrilla(0);
        QCOMPARE(QString::number(numeros.size()) + ' ' + numeros.first() + ' ' + numeros.last(), "36 000001 000036");
        p->clicFila(14, true);
        QCOMPARE(QStringList({p->texto("t_numero"), p->texto("t_Nombre"), p->texto("t_Familia"), detalle(), p->texto("t_alta")}),
                 QStringList({"000014", "Cable unipolar 2,5 mm rollo 100 m", "Electricidad", "Normalizado IRAM",
                              "13-02-2026"}));
    }

    void numeroExistenteSobrescribeLasSieteColumnas()
    {
        p->base.ejecutar("update articulo set costo = 12.5, stock = 3.25 where numero='000003'");
        cargar("000003");
        QCOMPARE(p->texto("t_Costo"), QStringLiteral("12.5"));
        QCOMPARE(p->texto("t_stock"), QStringLiteral("3.25"));
        // The stock moves behind the form; the save writes back the one it shows.
        p->base.ejecutar("update articulo set stock = 999 where numero='000003'");
        p->escribir("t_Nombre", "Arandela grower 3/8");
        elegirFamilia("Plom");
        p->escribir("t_detalle", "Bolsa de 20");
        p->escribir("t_alta", "02032026");
        p->clic("b_Guardar");
        QCOMPARE(fila("000003"), QStringLiteral("000003|0004|Arandela grower 3/8|Bolsa de 20|2026-03-02|12.5|3.25"));
        QCOMPARE(articulos(), 36);
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
        p->escribir("t_numero", "12");
        p->escribir("t_Nombre", "Espátula");
        elegirFamilia("Pint");
        p->escribir("t_Costo", "0.125"); // half a cent goes to the even one
        p->clic("b_Guardar");
        QCOMPARE(p->mensajes.textos(), QStringList());
        QCOMPARE(fila("000012"), QStringLiteral("000012|0002|Espátula||2026-05-14|0.12|0.0"));
        QCOMPARE(p->texto("t_numero"), QString());
    }

    void salirDelNumeroCargaElArticulo()
    {
        const QString antes = fila("000002");
        cargar("000002");
        p->escribir("t_Nombre", "Cambiado sin guardar");
        p->escribir("t_Costo", "99");
        // Back into the number and straight to "&Guardar": the stored article is loaded first.
        QTest::mouseClick(p->control("t_numero"), Qt::LeftButton);
        p->clic("b_Guardar");
        QCOMPARE(fila("000002"), antes);
        // An unknown number keeps the fields: saving files the shown article under it,
        // with the stock of its own movements.
        cargar("000002");
        cargar("999999");
        p->clic("b_Guardar");
        QCOMPARE(fila("999999"), "999999" + antes.mid(6).section('|', 0, -2) + "|0.0");
        QCOMPARE(fila("000002"), antes);
    }

    void datosQueFaltan_data()
    {
        pruebas::columnas<QString, QString, QString, QString, QString>("numero", "nombre", "familia", "fecha", "mensaje");
        QTest::newRow("sin número") << "" << "Lija al agua" << "Jard" << "14052026" << "Debe completar los datos";
        QTest::newRow("nombre en blanco") << "50" << "   " << "Jard" << "14052026" << "Debe completar los datos";
        QTest::newRow("sin familia") << "50" << "Lija al agua" << "" << "14052026" << "Debe completar los datos";
        QTest::newRow("fecha imposible") << "50" << "Lija al agua" << "Jard" << "31022026" << "Fecha incorrecta";
    }
    void datosQueFaltan()
    {
        const auto [numero, nombre, familia, fecha, mensaje] =
            pruebas::fila<QString, QString, QString, QString, QString>("numero", "nombre", "familia", "fecha", "mensaje");
        p->escribir("t_numero", numero);
        p->escribir("t_Nombre", nombre);
        if (!familia.isEmpty())
            elegirFamilia(familia);
        p->escribir("t_alta", fecha);
        p->clic("b_Guardar");
        QCOMPARE(p->mensajes.cajas(), QStringList{"Articulos|aviso|" + mensaje});
        QCOMPARE(articulos(), 36);
        QCOMPARE(p->texto("t_numero"), numero);
    }

    void busquedaPorNombre_data()
    {
        pruebas::columnas<QString, int>("nombre", "filas");
        QTest::newRow("vacío lista todos") << "" << 36;
        QTest::newRow("parte sin importar mayúsculas ni blancos") << "  CINTA " << 3;
    }
    void busquedaPorNombre()
    {
        QFETCH(QString, nombre);
        p->escribir("t_Nombre", nombre);
        p->clic("Bt_Consulta");
        const QStringList nombres = p->columnaGrilla(1);
        QTEST(int(nombres.size()), "filas");
        QCOMPARE(nombres, p->base.valor("select group_concat(nombre, '|') from (select nombre from articulo where "
                                        "nombre like '%" + nombre.trimmed() + "%' order by nombre)").split('|'));
        QCOMPARE(p->texto("t_Nombre"), nombre);
    }

    void comillasYBusquedaDeFamiliaSinResultado()
    {
        p->escribir("t_numero", "77");
        p->escribir("t_Nombre", "Sierra D'Angelo");
        elegirFamilia("Herr");
        p->clic("b_Guardar");
        p->escribir("t_Nombre", "d'ang");
        p->clic("Bt_Consulta");
        QCOMPARE(p->columnaGrilla(1), QStringList{"Sierra D'Angelo"});
        p->clicFila(1, true);
        QCOMPARE(p->texto("t_numero") + ' ' + p->texto("t_Nombre"), QStringLiteral("000077 Sierra D'Angelo"));
        // A family search that finds nothing changes nothing and leaves the shared texts empty.
        const QString codigo = p->texto("t_codigo");
        p->escribir("t_Familia", "D'A");
        pruebas::elegirEnBusqueda(p->control("b_BuscarFamilia"));
        QCOMPARE(p->texto("t_codigo"), codigo);
        QCOMPARE(p->texto("t_Familia"), QStringLiteral("D'A"));
        QCOMPARE(mPrincipal::sqlBusqueda + mPrincipal::codigoBusqueda, QString());
    }

    void borrarEnLaGrillaSiempreSePermite()
    {
        p->clicFila(4);
        QTest::keyClick(p->vista(), Qt::Key_Delete);
        QCOMPARE(p->base.valor("select count(*) || ' ' || sum(numero = '000004') from articulo"), QStringLiteral("35 0"));
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
        QCOMPARE(vista->pages()->pageCount(), 1);

        QTemporaryDir carpeta;
        const QString pdf = carpeta.filePath(QStringLiteral("lista.pdf"));
        writeReportPdf(*vista->pages(), pdf);
        const QStringList lineas = pruebas::paginasPdf(pdf).value(0).split(QLatin1Char('\n'));
        const QString encabezado = lineas.mid(0, 6).join(QLatin1Char(' ')).simplified();
        for (const char *t : {"Velmarina", "Pagina: 1(1)", "Lista de Articulos", "Codigo Descripción", "Stock"})
            QVERIFY2(encabezado.contains(QString::fromUtf8(t)), qPrintable(encabezado));
        QStringList filas, esperadas;
        for (const QString &l : lineas)
            if (QRegularExpression(QStringLiteral("^\\s*\\d{6}\\s")).match(l).hasMatch())
                filas << l.simplified();
        auto rs = mPrincipal::abrirConsulta("select numero, nombre, stock from articulo order by nombre");
        for (; !rs->eof(); rs->moveNext())
            esperadas << QStringLiteral("%1 %2 %3").arg(rs->field(0).text(), rs->field(1).text(), rs->field(2).text());
        QCOMPARE(esperadas.size(), 37);
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

QUENDRA_TEST(TestFrmArticulo)
#include "tst_frm_articulo.moc"
