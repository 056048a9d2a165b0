#include "catalogue_fixture.h"
#include "frm_articulo.h"
#include "masked_date_box.h"

#include <QPlainTextEdit>

// The article form driven through its controls over the demo database.
class TestFrmArticulo : public QObject
{
    Q_OBJECT

    using Prueba = FormularioDePrueba<frmArticulo>;
    std::unique_ptr<Prueba> p;

    QString fila(const QString &numero) const
    {
        return p->base.valor("select numero||'|'||codigo||'|'||nombre||'|'||coalesce(detalle,'')||'|'||alta||'|'||"
                             "costo||'|'||stock from articulo where numero='" + QString(numero).replace("'", "''") + "'");
    }
    int articulos() const { return p->base.valor("select count(*) from articulo").toInt(); }
    QString detalle() const { return p->control<QPlainTextEdit>("t_detalle")->toPlainText(); }
    QString alta() const { return p->control<MaskedDateBox>("t_alta")->texto(); }

    // Types a number and leaves the field with Tab, which loads that article.
    void cargar(const QString &numero)
    {
        p->escribir("t_numero", numero);
        QTest::keyClick(p->campo("t_numero"), Qt::Key_Tab);
    }
    // Picks the first family whose name holds the text.
    void elegirFamilia(const QString &parte)
    {
        p->escribir("t_Familia", parte);
        buscarEnDialogo(p->control("b_BuscarFamilia"), 1);
    }

private slots:
    void init() { p = std::make_unique<Prueba>(); }
    void cleanup() { p.reset(); }

    void ordenDeTabulacion()
    {
        p->campo("t_numero")->setFocus();
        QStringList recorrido;
        for (int i = 0; i < 13; ++i) {
            QWidget *foco = QApplication::focusWidget();
            while (foco && foco->parentWidget() != p->form.get())
                foco = foco->parentWidget();
            recorrido << (foco ? foco->objectName() : QString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(recorrido, QStringList({"t_numero", "t_Nombre", "t_Familia", "t_detalle", "t_Costo", "b_Guardar",
                                         "cmdSalir", "B_Imprimir", "Bt_Consulta", "t_alta", "b_BuscarFamilia",
                                         "grilla", "BT_Nuevo"}));
    }

    void alAbrir()
    {
        QCOMPARE(p->form->windowTitle(), QStringLiteral("Articulos"));
        QCOMPARE(p->form->size(), QSize(651, 429));
        QCOMPARE(alta(), QStringLiteral("14-05-2026"));
        QCOMPARE(p->form->grilla()->CantidadFilas(), 36);
        QCOMPARE(p->form->grilla()->Celda(0, 1), QStringLiteral("NOMBRE"));
        QCOMPARE(p->columnaGrilla(0).first(), QStringLiteral("000001"));
        QCOMPARE(p->columnaGrilla(0).last(), QStringLiteral("000036"));
    }

    void costoRedondeado_data()
    {
        QTest::addColumn<QString>("costo");
        QTest::addColumn<QString>("guardado");
        QTest::newRow("medio a par hacia abajo") << "0.125" << "0.12";
        QTest::newRow("medio a par hacia arriba") << "0.375" << "0.38";
        QTest::newRow("coma corta la lectura") << "12,5" << "12";
        QTest::newRow("sin número") << "abc" << "0";
    }
    void costoRedondeado()
    {
        QFETCH(QString, costo);
        QFETCH(QString, guardado);
        cargar("000002");
        p->escribir("t_Costo", costo);
        p->clic("b_Guardar");
        QCOMPARE(p->base.valor("select costo from articulo where numero='000002'"), guardado);
    }

    void numeroExistenteSobrescribeLasSieteColumnas()
    {
        cargar("000003");
        QCOMPARE(p->texto("t_Nombre"), QStringLiteral("Arandela plana 3/8"));
        const QString stock = p->texto("t_stock");
        QVERIFY(!stock.isEmpty());
        // The stock moves behind the form; the save writes back the one it shows.
        p->base.ejecutar("update articulo set stock = 999 where numero='000003'");
        p->escribir("t_Nombre", "Arandela grower 3/8");
        elegirFamilia("Plom");
        p->escribir("t_detalle", "Bolsa de 20");
        p->escribir("t_alta", "02032026");
        p->escribir("t_Costo", "2.25");
        p->clic("b_Guardar");
        QCOMPARE(fila("000003"), QStringLiteral("000003|0004|Arandela grower 3/8|Bolsa de 20|2026-03-02|2.25|")
                                     + QString::number(stock.toDouble(), 'f', 1));
        QCOMPARE(articulos(), 36);
    }

    void cargarYGuardarSinCambiosConservaLosImportes()
    {
        p->base.ejecutar("update articulo set costo = 12.5, stock = 3.25 where numero='000005'");
        const QString antes = fila("000005");
        cargar("000005");
        QCOMPARE(p->texto("t_Costo"), QStringLiteral("12.5"));
        QCOMPARE(p->texto("t_stock"), QStringLiteral("3.25"));
        p->clic("b_Guardar");
        QCOMPARE(fila("000005"), antes);
    }

    void nuevoLimpiaYElNumeroSeRellena()
    {
        cargar("000007");
        p->escribir("t_alta", "01012020");
        p->clic("BT_Nuevo");
        for (const char *campo : {"t_numero", "t_Nombre", "t_codigo", "t_Familia", "t_Costo", "t_stock"})
            QCOMPARE(p->texto(campo), QString());
        QCOMPARE(detalle(), QString());
        QCOMPARE(alta(), QStringLiteral("14-05-2026"));

        p->escribir("t_numero", "12");
        p->escribir("t_Nombre", "Espátula");
        elegirFamilia("Pint");
        p->clic("b_Guardar");
        QCOMPARE(p->mensajes.textos(), QStringList());
        QCOMPARE(fila("000012"), QStringLiteral("000012|0002|Espátula||2026-05-14|0.0|0.0"));
        QCOMPARE(p->texto("t_numero"), QString());
        QCOMPARE(alta(), QStringLiteral("14-05-2026"));
    }

    void numeroDesconocidoConservaLosCampos()
    {
        cargar("000002");
        cargar("999999");
        QCOMPARE(p->texto("t_Nombre"), QStringLiteral("Tuerca hexagonal M8"));
        QCOMPARE(p->texto("t_codigo"), QStringLiteral("0001"));
        // Saving now files the shown article under the new number.
        p->clic("b_Guardar");
        QCOMPARE(fila("999999").section('|', 1, 3), QStringLiteral("0001|Tuerca hexagonal M8|Acero cincado"));
        QCOMPARE(fila("000002").section('|', 2, 2), QStringLiteral("Tuerca hexagonal M8"));
    }

    void salirDelNumeroRecargaSobreLosCambios()
    {
        cargar("000002");
        p->escribir("t_Nombre", "Cambiado sin guardar");
        p->escribir("t_Costo", "99");
        // Back into the number and straight to "&Guardar": the stored article is loaded first.
        QTest::mouseClick(p->campo("t_numero"), Qt::LeftButton);
        p->clic("b_Guardar");
        QCOMPARE(fila("000002").section('|', 2, 2), QStringLiteral("Tuerca hexagonal M8"));
        QCOMPARE(p->base.valor("select costo from articulo where numero='000002'"), QStringLiteral("0.12"));
    }

    void datosQueFaltan_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<bool>("conFamilia");
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("sin número") << "" << "Lija al agua" << true << "14052026" << "Debe completar los datos";
        QTest::newRow("nombre en blanco") << "50" << "   " << true << "14052026" << "Debe completar los datos";
        QTest::newRow("sin familia") << "50" << "Lija al agua" << false << "14052026" << "Debe completar los datos";
        QTest::newRow("fecha incompleta") << "50" << "Lija al agua" << true << "1405" << "Fecha incorrecta";
        QTest::newRow("fecha imposible") << "50" << "Lija al agua" << true << "31022026" << "Fecha incorrecta";
    }
    void datosQueFaltan()
    {
        QFETCH(QString, numero);
        QFETCH(QString, nombre);
        QFETCH(bool, conFamilia);
        QFETCH(QString, fecha);
        QFETCH(QString, mensaje);
        p->escribir("t_numero", numero);
        p->escribir("t_Nombre", nombre);
        if (conFamilia)
            elegirFamilia("Jard");
        p->escribir("t_alta", fecha);
        p->clic("b_Guardar");
        QCOMPARE(p->mensajes.textos(), QStringList{mensaje});
        QCOMPARE(p->mensajes.mostrados().first().icono, QMessageBox::Warning);
        QCOMPARE(p->mensajes.mostrados().first().titulo, QStringLiteral("Articulos"));
        QCOMPARE(articulos(), 36);
        QCOMPARE(p->texto("t_numero"), numero);
    }

    void busquedaPorNombre_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("filas");
        QTest::newRow("vacío lista todos") << "" << 36;
        QTest::newRow("parte sin importar mayúsculas ni blancos") << "  CINTA " << 3;
    }
    void busquedaPorNombre()
    {
        QFETCH(QString, nombre);
        QFETCH(int, filas);
        p->escribir("t_Nombre", nombre);
        p->clic("Bt_Consulta");
        QStringList nombres = p->columnaGrilla(1);
        QCOMPARE(nombres.size(), filas);
        QStringList ordenados = p->base.valor("select group_concat(nombre, '|') from (select nombre from articulo "
                                              "where nombre like '%" + nombre.trimmed() + "%' order by nombre)")
                                    .split('|');
        QCOMPARE(nombres, ordenados);
        QCOMPARE(p->texto("t_Nombre"), nombre);
    }

    void comillasEnLosTextos()
    {
        p->escribir("t_numero", "77");
        p->escribir("t_Nombre", "Sierra D'Angelo");
        elegirFamilia("Herr");
        p->clic("b_Guardar");
        p->escribir("t_Nombre", "d'ang");
        p->clic("Bt_Consulta");
        QCOMPARE(p->columnaGrilla(1), QStringList{"Sierra D'Angelo"});
        p->dobleClicFila(1);
        QCOMPARE(p->texto("t_numero"), QStringLiteral("000077"));
        QCOMPARE(p->texto("t_Nombre"), QStringLiteral("Sierra D'Angelo"));
        // A quote in the family search and in the number finds nothing and fails nothing.
        p->escribir("t_Familia", "D'A");
        buscarEnDialogo(p->control("b_BuscarFamilia"), 1);
        cargar("0'7");
        p->clic("b_Guardar");
        QCOMPARE(p->mensajes.textos(), QStringList());
        QCOMPARE(fila("0000'7").section('|', 2, 2), QStringLiteral("Sierra D'Angelo"));
    }

    void busquedaDeFamiliaSinElegirNoCambiaNada()
    {
        cargar("000010");
        p->escribir("t_Familia", "zzz");
        buscarEnDialogo(p->control("b_BuscarFamilia"), 0);
        QCOMPARE(p->texto("t_codigo"), QStringLiteral("0002"));
        QCOMPARE(p->texto("t_Familia"), QStringLiteral("zzz"));
        QCOMPARE(mPrincipal::sqlBusqueda, QString());
        QCOMPARE(mPrincipal::codigoBusqueda, QString());
    }

    void dobleClicCargaLaFila()
    {
        p->dobleClicFila(14);
        QCOMPARE(p->texto("t_numero"), QStringLiteral("000014"));
        QCOMPARE(p->texto("t_Nombre"), QStringLiteral("Cable unipolar 2,5 mm rollo 100 m"));
        QCOMPARE(p->texto("t_Familia"), QStringLiteral("Electricidad"));
        QCOMPARE(detalle(), QStringLiteral("Normalizado IRAM"));
        QCOMPARE(alta(), QStringLiteral("13-02-2026"));
    }

    void borrarEnLaGrillaSiempreSePermite()
    {
        p->clicFila(4);
        QTest::keyClick(p->vista(), Qt::Key_Delete);
        QCOMPARE(articulos(), 35);
        QCOMPARE(p->base.valor("select count(*) from articulo where numero='000004'"), QStringLiteral("0"));
    }

};

QUENDRA_TEST(TestFrmArticulo)
#include "tst_frm_articulo.moc"
