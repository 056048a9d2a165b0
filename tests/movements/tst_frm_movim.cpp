#include "movim_fixture.h"

#include <QRadioButton>
#include <functional>

class TestFrmMovim : public QObject
{
    Q_OBJECT

    // b_Guardar, the edit fields (one figure when all agree), the type options
    // (enabled, then E, S or - for the one selected), b_Eliminar.
    static QString estado(const MovimDePrueba &m)
    {
        QString edicion;
        for (const char *c : {"t_numero", "t_Nombre", "t_Cantidad", "t_Costo", "b_Nuevo", "b_Consulta", "t_detalle"})
            edicion += QString::number(m.activo(c));
        if (edicion.count(edicion[0]) == edicion.size())
            edicion.truncate(1);
        auto *entra = m.control<QRadioButton>("op_Entra");
        auto *sale = m.control<QRadioButton>("op_sale");
        const char *elegido = entra->isChecked() ? "E" : sale->isChecked() ? "S" : "-";
        return QStringLiteral("guardar=%1 edicion=%2 tipos=%3%4 eliminar=%5")
            .arg(int(m.activo("b_Guardar")))
            .arg(edicion, entra->isEnabled() == sale->isEnabled() ? QString::number(entra->isEnabled()) : "?", elegido)
            .arg(int(m.activo("b_Eliminar")));
    }

private slots:
    // From the menu: no control overlapping or cut; Alt+S closes the form, never ends the program.
    void alAbrirDesdeElMenu()
    {
        pruebas::PrincipalDePrueba m;
        QWidget *form = m.abrir(QStringLiteral("mnuMovim"), [] { return new FrmMovim; });
        QCOMPARE(pruebas::solapes(form), QString());
        pruebas::control(form, "t_numero")->setFocus();
        QVERIFY(m.pulsarAlt('s'));
        QTRY_VERIFY(!m.principal.formularioAbierto(QStringLiteral("mnuMovim")));
        QCOMPARE(m.mensajes.textos(), QStringList());
    }

    // Vouchers stored (13 with two lines in storage place 02, the others one line in 01), then what is
    // typed into t_Comprobante and loaded, and the number b_NuevoComprobante proposes after it.
    void numerosDeComprobante_data()
    {
        // cargado: the date, storage place and lines shown
        pruebas::columnas<QStringList, QString, QString, QString, QString, QStringList>(
            "guardados", "tecleado", "campo", "cargado", "propuesto", "mensajes");
        const QStringList no, trece{"00000013"}, doce{"00000001", "00000012", "00000007"};
        const QStringList agotados{"00000003", "99999999"};
        const QString ultimo = "El último comprobante guardado es el 99999999: no quedan números para un comprobante nuevo.";
        QTest::newRow("13 con ceros") << trece << "13" << "00000013" << "02-11-2026 02 2" << "00000014" << no;
        QTest::newRow("diez cifras") << trece << "1100000013" << "00000013" << "02-11-2026 02 2" << "00000014" << no;
        QTest::newRow("sin líneas") << trece << "14" << "00000014" << "06-12-2026 01 1" << "00000014" << no;
        QTest::newRow("con comilla") << trece << "1'3" << "000001'3" << "06-12-2026 01 1" << "00000014" << no;
        QTest::newRow("tabla vacía") << no << "3" << "00000003" << "06-12-2026 01 1" << "00000001" << no;
        QTest::newRow("tras el 12") << doce << "3" << "00000003" << "06-12-2026 01 1" << "00000013" << no;
        QTest::newRow("agotados") << agotados << "3" << "00000003" << "02-11-2026 01 1" << "00000003" << QStringList{ultimo};
    }
    void numerosDeComprobante()
    {
        const auto [guardados, tecleado] = pruebas::fila<QStringList, QString>("guardados", "tecleado");
        MovimDePrueba m;
        for (const QString &c : guardados) {
            const bool trece = c == QLatin1String("00000013");
            m.movimiento(c, trece ? "SA" : "EN", "000001", 2, "N", trece ? "02" : "01");
            if (trece)
                m.movimiento(c, "EN", "000002", 3, "N", "02");
        }
        m.cargar(tecleado);
        QTEST(m.texto("t_Comprobante"), "campo");
        QTEST(m.texto("t_fecha") + ' ' + m.texto("t_Deposito") + ' ' + QString::number(m.grilla()->CantidadFilas()),
              "cargado");
        QCOMPARE(m.mensajes.mostrados().size(), 0);
        m.clic("b_NuevoComprobante");
        QTEST(m.texto("t_Comprobante"), "propuesto");
        QTEST(m.mensajes.textos(), "mensajes");
    }

    // The enabled-state table after each operation, in one operator's session.
    void estadosTrasCadaOperacion()
    {
        MovimDePrueba m;
        m.nuevoArticulo("000001", "Tornillo", 10);
        m.movimiento("00000001", "SA", "000001", 1, "S");
        m.movimiento("00000002", "EN", "000001", 1);
        const QList<std::pair<std::function<void()>, QString>> pasos{
            {[] {}, "guardar=0 edicion=1 tipos=1- eliminar=1"},
            {[&] { m.cargar("1"); }, "guardar=0 edicion=0 tipos=1S eliminar=0"},
            {[&] { m.clic("b_NuevoComprobante"); }, "guardar=0 edicion=1 tipos=1- eliminar=0"},
            {[&] { m.articulo("1"); }, "guardar=1 edicion=1 tipos=1- eliminar=0"},
            {[&] { m.clic("b_Nuevo"); }, "guardar=0 edicion=1 tipos=1- eliminar=0"},
            {[&] { m.tipo("EN"), m.linea("1", "4"); }, "guardar=0 edicion=1 tipos=0E eliminar=0"},
            {[&] { m.cargar("2"); }, "guardar=1 edicion=1 tipos=0E eliminar=1"},
            {[&] { m.clic("b_Eliminar"); }, "guardar=0 edicion=1 tipos=1- eliminar=1"}};
        for (const auto &[paso, esperado] : pasos) {
            paso();
            QCOMPARE(estado(m), esperado);
            for (const char *siempre : {"B_Imprimir", "b_Cargar", "b_NuevoComprobante", "b_Salir", "t_Comprobante", "grilla"})
                QVERIFY2(m.activo(siempre), siempre);
            for (const char *nunca : {"t_Familia", "t_stock", "t_Deposito"})
                QVERIFY2(!m.activo(nunca), nunca);
        }
        QCOMPARE(m.mensajes.mostrados().size(), 0);
    }

    void articuloPorNumero_data()
    {
        pruebas::columnas<QString, QString>("tecleado", "mostrado"); // number, name, cost, family, stock
        QTest::newRow("exacto antes que los que lo contienen") << "42" << "000042 Exacto 1 0001 7.5";
        QTest::newRow("sin exacto, el número del hallado") << "420" << "004200 Contiene 420 1 0001 1";
        QTest::newRow("blancos dentro del patrón") << " 42 " << "    ";
        QTest::newRow("comilla") << "4'2" << "    ";
        QTest::newRow("vacío: no busca") << "" << " antes   ";
    }
    void articuloPorNumero()
    {
        QFETCH(QString, tecleado);
        MovimDePrueba m;
        m.nuevoArticulo("004200", "Contiene 420", 1);
        m.nuevoArticulo("000042", "Exacto", 7.5);
        m.escribir("t_Nombre", "antes");
        m.articulo(tecleado);
        QStringList campos;
        for (const char *c : {"t_numero", "t_Nombre", "t_Costo", "t_Familia", "t_stock"})
            campos << m.texto(c);
        QTEST(campos.join(' '), "mostrado");
        QVERIFY(m.activo("b_Guardar"));
        QCOMPARE(QApplication::focusWidget(), m.control("t_Cantidad"));
        QCOMPARE(m.mensajes.mostrados().size(), 0);
    }

    void articuloPorNombreConComilla()
    {
        MovimDePrueba m;
        m.base.ejecutar("INSERT INTO familia(codigo,familia) VALUES ('0001','Ferretería')");
        m.nuevoArticulo("000049", "Tornillo común");
        m.nuevoArticulo("000050", "Tornillo O'Brien", 2);
        m.escribir("t_Nombre", "O'Bri");
        pruebas::elegirEnBusqueda(m.control("b_Consulta"));
        QCOMPARE(m.texto("t_numero") + ' ' + m.texto("t_Nombre") + ' ' + m.texto("t_stock"),
                 QStringLiteral("000050 Tornillo O'Brien 2"));
        QVERIFY(m.activo("b_Guardar"));
        QVERIFY(mPrincipal::sqlBusqueda.isEmpty() && mPrincipal::codigoBusqueda.isEmpty());
        QCOMPARE(m.mensajes.mostrados().size(), 0);
    }
};

QUENDRA_TEST(TestFrmMovim)
#include "tst_frm_movim.moc"
