#include "dates.h"
#include "movim_fixture.h"
#include "report_pdf.h"
#include "test_main.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
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
        const auto *entra = m.control<QRadioButton>("op_Entra"), *sale = m.control<QRadioButton>("op_sale");
        const QString tipos = (entra->isEnabled() == sale->isEnabled() ? QString::number(entra->isEnabled()) : "?")
                              + QLatin1Char(entra->isChecked()  ? 'E'
                                            : sale->isChecked() ? 'S'
                                                                : '-');
        return QStringLiteral("guardar=%1 edicion=%2 tipos=%3 eliminar=%4")
            .arg(int(m.activo("b_Guardar")))
            .arg(edicion, tipos)
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

    // A form whose first reading fails is not shown half built (no number, no date, "Guardar" offered):
    // the menu item says why, and opens it whole once the database answers again.
    void cargaFallidaNoSeMuestra()
    {
        pruebas::PrincipalDePrueba m;
        m.principal.registrarFormulario(QStringLiteral("mnuMovim"), [] { return new FrmMovim; });
        QAction *item = m.principal.findChild<QAction *>(QStringLiteral("mnuMovim"));
        mPrincipal::conexion().close();
        item->trigger();
        QCOMPARE(m.principal.formularioAbierto(QStringLiteral("mnuMovim")), nullptr);
        QCOMPARE(m.mensajes.textos().size(), 1);
        QVERIFY(m.mensajes.textos().constFirst().startsWith(QLatin1String("Error 10001 (")));
        mPrincipal::conexion().open(m.base.archivo());
        item->trigger();
        QWidget *form = m.principal.formularioAbierto(QStringLiteral("mnuMovim"));
        QVERIFY(form);
        QCOMPARE(pruebas::control<QLineEdit>(form, "t_Comprobante")->text(), QStringLiteral("00000010"));
        QVERIFY(fechas::esFecha(pruebas::control<QLineEdit>(form, "t_fecha")->text()));
        QVERIFY(!pruebas::control(form, "b_Guardar")->isEnabled());
        QCOMPARE(m.mensajes.textos().size(), 1);
    }

    // Vouchers stored (13 with two lines in storage place 02, the others one line in 01), then what is
    // typed into t_Comprobante and loaded, and the number b_NuevoComprobante proposes after it.
    void numerosDeComprobante_data()
    {
        // cargado: the date, storage place and lines shown
        pruebas::columnas<QStringList, QString, QString, QString, QString, QStringList>(
            "guardados", "tecleado", "campo", "cargado", "propuesto", "mensajes");
        const QStringList no, trece{"00000013"}, doce{"00000001", "00000012", "00000007"},
            agotados{"00000003", "99999999"};
        const QString ultimo =
            "El último comprobante guardado es el 99999999: no quedan números para un comprobante nuevo.";
        const auto fila = [](const char *caso, const QStringList &guardados, const char *tecleado, const char *campo,
                             const char *cargado, const char *propuesto, const QStringList &mensajes) {
            QTest::newRow(caso) << guardados << tecleado << campo << cargado << propuesto << mensajes;
        };
        fila("13 con ceros", trece, "13", "00000013", "02-11-2026 02 2", "00000014", no);
        fila("con comilla", trece, "1'3", "000001'3", "06-12-2026 01 1", "00000014", no);
        fila("tabla vacía", no, "3", "00000003", "06-12-2026 01 1", "00000001", no);
        fila("tras el 12", doce, "3", "00000003", "06-12-2026 01 1", "00000013", no);
        fila("agotados", agotados, "3", "00000003", "02-11-2026 01 1", "00000003", QStringList{ultimo});
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
        m.mensajes.responder(QMessageBox::Yes);
        for (const auto &[paso, esperado] : pasos) {
            paso();
            QCOMPARE(estado(m), esperado);
            for (const char *siempre :
                 {"B_Imprimir", "b_Cargar", "b_NuevoComprobante", "b_Salir", "t_Comprobante", "grilla"})
                QVERIFY2(m.activo(siempre), siempre);
            for (const char *nunca : {"t_Familia", "t_stock", "t_Deposito"})
                QVERIFY2(!m.activo(nunca), nunca);
        }
        QCOMPARE(m.mensajes.textos(), QStringList{"¿Eliminar el comprobante 00000002 y su línea?"});
    }

    void articuloPorNumero_data()
    {
        pruebas::columnas<QString, QString>("tecleado", "mostrado"); // number, name, cost, family, stock
        const auto fila = [](const char *caso, const char *tecleado, const char *mostrado) {
            QTest::newRow(caso) << tecleado << mostrado;
        };
        fila("exacto antes que los que lo contienen", "42", "000042 Exacto 1 0001 7.5");
        fila("sin exacto, el número del hallado", "420", "004200 Contiene 420 1 0001 1");
        fila("blancos dentro del patrón", " 42 ", "    ");
        fila("vacío: no busca", "", " antes   ");
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

// Posting a line with b_Guardar (the checks, the row and the stock), deleting a voucher, printing it.
class TestPosting : public QObject
{
    Q_OBJECT

private slots:
    // A line posted with b_Guardar into voucher "2" (stored as 00000002, typed without loading it) of an
    // article with an entry of 10 elsewhere and a shown stock of 10: the row and stock it leaves, or the
    // message that stops it with nothing written and the quantity kept.
    void lineasYStock_data()
    {
        // linea: type, article ("-": the name emptied), quantity, cost, date
        pruebas::columnas<QString, QString, QString, QString>("linea", "caja", "filas", "stock");
        const auto fila = [](const char *caso, const char *linea, const QString &caja, const char *filas = "",
                             const char *stock = "10") { QTest::newRow(caso) << linea << caja << filas << stock; };
        const QString info = QStringLiteral("Quendra|info|"), error = QStringLiteral("Atención|error|");
        fila("sin artículo", "EN||||", info + "Falta ingresar el artículo");
        fila("sin cantidad", "EN|7|||", info + "Falta ingresar la cantidad");
        fila("sin nombre", "EN|7-|1||", info + "Articulo incorrecto");
        fila("el tipo antes que el stock", "|7|500||", error + "No selecciono el tipo de movimiento");
        fila("salida mayor que el stock", "SA|7|10.01||",
             error + "La cantidad de Salida debe ser menor o igual al Stock");
        fila("fecha incompleta", "SA|7|1||0612", info + "Fecha incorrecta");
        fila("dos números", "EN|7|1.234,5|1|", info + "Cantidad incorrecta: 1.234,5");
        fila("salida igual al stock", "SA|7|10|1|", "", "000007 SA 0 10 1 N", "0");
        fila("coma decimal", "EN|7|2,5|1,5|", "", "000007 EN 2.5 0 1.5 N", "12.5");
        fila("sin número", "EN|7|abc|1|", "", "000007 EN 0 0 1 N", "10");
        fila("salida negativa", "SA|7|-5|1|", "", "000007 SA 0 -5 1 N", "15");
    }
    void lineasYStock()
    {
        const auto [linea, caja] = pruebas::fila<QString, QString>("linea", "caja");
        MovimDePrueba m;
        m.nuevoArticulo("000007", "Tuerca", 10);
        m.movimiento("00000001", "EN", "000007", 10, "S", "02");
        const QStringList p = linea.split(QLatin1Char('|'));
        m.clic("b_NuevoComprobante");
        if (!p[0].isEmpty())
            m.tipo(p[0]);
        m.escribir("t_Comprobante", "2");
        if (!p[4].isEmpty())
            m.escribir("t_fecha", p[4]);
        m.articulo(QString(p[1]).remove(QLatin1Char('-')));
        m.escribir("t_Cantidad", p[2]);
        if (!p[3].isEmpty())
            m.escribir("t_Costo", p[3]);
        if (p[1].endsWith(QLatin1Char('-')))
            m.escribir("t_Nombre", QString());
        m.clic("b_Guardar");
        QCOMPARE(m.mensajes.cajas(), caja.isEmpty() ? QStringList() : QStringList{caja});
        const char *filas =
            "select numero, tipomov, Entrada, Salida, costo, impreso from movstk where comprobante='00000002'";
        QTEST(m.base.filas(filas).join(", "), "filas");
        QTEST(m.valor("select stock from articulo"), "stock");
        if (!caja.isEmpty()) {
            QCOMPARE(m.texto("t_Cantidad"), p[2]);
            return;
        }
        // Ready for the next line: cleared, and the grid shows the voucher.
        QCOMPARE(m.texto("t_numero") + m.texto("t_Cantidad"), QString());
        QCOMPARE(QApplication::focusWidget(), m.control("t_numero"));
        QCOMPARE(m.grilla()->Celda(1, 4), QStringLiteral("000007"));
    }

    // Re-posting writes the form's header again; the loaded voucher's storage place stays.
    void repostearEscribeLaCabeceraActual()
    {
        MovimDePrueba m;
        m.nuevoArticulo("000003", "Cable", 20);
        m.movimiento("00000000", "EN", "000003", 20, "S");
        m.movimiento("00000004", "SA", "000001", 1, "N", "02");
        m.movimiento("00000004", "SA", "000003", 2, "N", "02");
        m.cargar("4");
        m.escribir("t_detalle", "Entrega a O'Brien");
        m.escribir("t_fecha", "15122026");
        m.linea("3", "1.5");
        QCOMPARE(m.base.filas("select impreso, fecha, deposito, detalle from movstk where comprobante='00000004' "
                              "order by numero"),
                 (QStringList{"N 02-11-2026 02 Nota 00000004", "N 15-12-2026 02 Entrega a O'Brien"}));
    }

    // b_Eliminar on the highest voucher of two entries of 3, printed or not, the question answered: the boxes,
    // the vouchers left, the stock written back and the number shown after it.
    void eliminar_data()
    {
        pruebas::columnas<QString, int, QString, QStringList, QString>("impreso", "respuesta", "cajas", "quedan",
                                                                       "despues");
        const QString pregunta = "Atención|pregunta|¿Eliminar el comprobante 00000009 y su línea?";
        const QStringList ambos{"00000008", "00000009"};
        QTest::newRow("Sí") << "N" << int(QMessageBox::Yes) << pregunta << QStringList{"00000008"}
                            << "3 00000009 vacía";
        QTest::newRow("No") << "N" << int(QMessageBox::No) << pregunta << ambos << "6 9 con líneas";
        QTest::newRow("impreso") << "S" << int(QMessageBox::Yes)
                                 << "Atención|error|El comprobante 00000009 está impreso y no se puede eliminar"
                                 << ambos << "6 9 con líneas";
    }
    void eliminar()
    {
        const auto [impreso, respuesta] = pruebas::fila<QString, int>("impreso", "respuesta");
        MovimDePrueba m;
        m.nuevoArticulo("000001", "Tornillo");
        m.tipo("EN");
        for (const char *c : {"8", "9"}) {
            m.escribir("t_Comprobante", c);
            m.linea("1", "3");
        }
        m.base.ejecutar("update movstk set impreso='" + impreso + "' where comprobante='00000009'");
        // Typed, not loaded: a printed voucher loaded would not let b_Eliminar be pressed.
        m.escribir("t_Comprobante", "9");
        m.mensajes.responder(QMessageBox::StandardButton(respuesta));
        m.clic("b_Eliminar");
        QTEST(m.mensajes.cajas().join('\n'), "cajas");
        if (impreso == QLatin1String("N"))
            QCOMPARE(m.mensajes.mostrados().first().defecto, QMessageBox::No);
        QTEST(m.base.filas("select comprobante from movstk order by comprobante"), "quedan");
        QTEST(m.valor("select stock from articulo") + ' ' + m.texto("t_Comprobante")
                  + (m.grilla()->EstaVacio() ? " vacía" : " con líneas"),
              "despues");
    }

    // A line's exit edited in the grid and saved with F5 (an exit of 4 from a stock of 10): posted as
    // b_Guardar posts it, or refused with nothing written; the Entrada column of an exit stays as it is.
    void lineaCorregidaEnLaGrilla_data()
    {
        pruebas::columnas<int, QString, QString, QString>("columna", "tecleado", "caja", "despues");
        const int entrada = 9, salida = 10;
        QTest::newRow("menor") << salida << "7"
                               << "Quendra|info|El dato:7 fue guardado"
                               << "0 7 3";
        QTest::newRow("todo el stock sin la línea") << salida << "10"
                                                    << "Quendra|info|El dato:10 fue guardado"
                                                    << "0 10 0";
        QTest::newRow("coma decimal") << salida << "2,5"
                                      << "Quendra|info|El dato:2.5 fue guardado"
                                      << "0 2.5 7.5";
        QTest::newRow("más que el stock") << salida << "10.5"
                                          << "Atención|error|La cantidad de Salida debe ser menor o igual al Stock"
                                          << "0 4 6";
        QTest::newRow("entrada de una salida") << entrada << "5"
                                               << ""
                                               << "0 4 6";
    }
    void lineaCorregidaEnLaGrilla()
    {
        const auto [columna, tecleado] = pruebas::fila<int, QString>("columna", "tecleado");
        MovimDePrueba m;
        m.nuevoArticulo("000007", "Tuerca", 10);
        m.movimiento("00000001", "EN", "000007", 10, "S", "02");
        m.tipo("SA");
        m.linea("7", "4");
        m.mensajes.limpiar();
        m.grilla()->focusProxy()->setFocus();
        m.grilla()->irACelda(1, columna);
        pruebas::teclear(tecleado + " Enter Left F5");
        QTEST(m.mensajes.cajas().join('\n'), "caja");
        QTEST(m.base.valor("select Entrada from movstk where comprobante='00000002'") + ' '
                  + m.base.valor("select Salida from movstk where comprobante='00000002'") + ' '
                  + m.valor("select stock from articulo"),
              "despues");
    }

    // B_Imprimir over the lines posted with these quantities, the question answered: the boxes, the ticket's
    // total rounded to whole units, half to even, and its rows; the lines are marked printed in any case.
    void imprimir_data()
    {
        pruebas::columnas<QString, QStringList, int, QString>("tipo", "cantidades", "respuesta", "total");
        const int si = QMessageBox::Yes;
        QTest::newRow("entrada: ni pregunta ni ticket") << "EN" << QStringList{"2", "1"} << si << "";
        QTest::newRow("salida, No") << "SA" << QStringList{"2", "1"} << int(QMessageBox::No) << "";
        QTest::newRow("3.5 va al par de arriba") << "SA" << QStringList{"2", "1.5"} << si << "4";
        QTest::newRow("2.5 va al par de abajo") << "SA" << QStringList{"1.5", "1"} << si << "2";
        QTest::newRow("más de 16 bits") << "SA" << QStringList{"40000"} << si << "40000";
        QTest::newRow("sin líneas") << "SA" << QStringList{} << si << "";
    }
    void imprimir()
    {
        const auto [tipo, cantidades, respuesta, total] =
            pruebas::fila<QString, QStringList, int, QString>("tipo", "cantidades", "respuesta", "total");
        MovimDePrueba m;
        m.tipo(tipo);
        for (int i = 0; i < cantidades.size(); ++i) {
            const QString numero = QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0'));
            m.nuevoArticulo(numero, QStringLiteral("Artículo %1").arg(i + 1), 50000);
            m.movimiento("00000000", "EN", numero, 50000, "S");
            m.linea(numero, cantidades[i]);
        }
        m.mensajes.responder(QMessageBox::Ok);
        m.mensajes.responder(QMessageBox::StandardButton(respuesta));
        m.clic("B_Imprimir");
        const bool salida = tipo == QLatin1String("SA");
        QCOMPARE(m.mensajes.cajas(), QStringList({"Salidas|info|Prepare la impresora para imprimir los comprobantes",
                                                  "Atención||Desea imprimir la salida",
                                                  "Quendra|error|No tiene datos para ese comprobante"})
                                         .mid(0, !salida                ? 1
                                                 : cantidades.isEmpty() ? 3
                                                                        : 2));
        QCOMPARE(m.mensajes.mostrados().first().botones, QMessageBox::Ok);
        if (salida)
            QCOMPARE(m.mensajes.mostrados()[1].botones, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(m.base.filas("select distinct impreso from movstk where comprobante='00000001'"),
                 cantidades.isEmpty() ? QStringList() : QStringList{"S"});
        // Printed, the voucher is read-only at once, as when loaded, its grid too; a voucher without lines stays
        // as it was.
        QCOMPARE(m.activo("t_numero") || m.activo("b_Eliminar"), cantidades.isEmpty());
        const QString lineas =
            "select Entrada, Salida, impreso from movstk where comprobante='00000001' order by numero";
        const QStringList impresas = m.base.filas(lineas);
        m.grilla()->focusProxy()->setFocus();
        m.grilla()->irACelda(1, tipo == QLatin1String("SA") ? 10 : 9);
        pruebas::teclear("9 Enter Left F5");
        QCOMPARE(m.base.filas(lineas), impresas);
        QCOMPARE(m.ticketsEnviados, total.isEmpty() ? 0 : 1);
        if (!total.isEmpty()) {
            QCOMPARE(m.ticket().section(QStringLiteral("PieFinal")).control(QStringLiteral("tsalida")).caption(),
                     total);
            QCOMPARE(m.ticket().dataSource()->rowCount(), cantidades.size());
        }
    }

    // Demo vouchers: the printed 3 loads with its grid moving and prints again; the ticket of exit 4
    // as a PDF shows header, rows and total.
    void ticketsDeDemo()
    {
        MovimDePrueba m(BaseDePrueba::Demo);
        m.cargar("3");
        QTest::keyClick(m.grilla()->focusProxy(), Qt::Key_Down);
        QCOMPARE(m.grilla()->filaActual(), 2);
        m.clic("B_Imprimir");
        QCOMPARE(m.ticketsEnviados, 1);
        if (!pruebas::hayPdftotext())
            QSKIP("pdftotext (poppler-utils) is not installed");
        m.cargar("4");
        m.clic("B_Imprimir");
        QTemporaryDir carpeta;
        const QString pdf = carpeta.filePath(QStringLiteral("ticket.pdf"));
        QVERIFY(writeReportPdf(*m.ticket().pages(), pdf));
        const QString texto = pruebas::paginasPdf(pdf).join('\f');
        for (const char *e : {"Fecha: 22-04-2026", "Depósito +01 +Comprobante +00000004", "Informe de Salida",
                              "Control de Depósito", "NO TIENE VALOR FISCAL", "Venta mostrador", "Concepto +Cantidad\n",
                              "000008 +Látex interior blanco 20 l +2\n", "000010 +Rodillo de lana 22 cm +3\n",
                              "000011 +Pincel n.º 20 +4\n", "Total Salida +9\n"})
            QVERIFY2(texto.contains(QRegularExpression(QString::fromUtf8(e))), qPrintable(e + ("\n" + texto)));
    }
};

QUENDRA_TEST(TestPosting)
#include "tst_frm_movim.moc"
