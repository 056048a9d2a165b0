#include "database_check.h"
#include "movim_fixture.h"
#include "report_pdf.h"

#include <QRegularExpression>
#include <QTemporaryDir>

// Posting a line with b_Guardar (the checks, the row written and the stock),
// deleting a voucher, marking it printed, and its exit ticket.
class TestPosting : public QObject
{
    Q_OBJECT

private slots:
    // Lines posted with b_Guardar into voucher "2" (stored as 00000002, typed without loading it) of an
    // article with an entry of 10 elsewhere and a shown stock of 10: the rows and stock they leave, or the
    // message that stops them with nothing written and the quantity kept.
    void lineasYStock_data()
    {
        // lineas: type, article ("-": the name emptied), quantity, cost, date
        pruebas::columnas<QStringList, QString, QString, QString>("lineas", "caja", "filas", "stock");
        const QString info = QStringLiteral("Quendra|info|"), error = QStringLiteral("Atención|error|");
        const QString sinTipo = error + "No selecciono el tipo de movimiento";
        const QString mayor = error + "La cantidad de Salida debe ser menor o igual al Stock";
        QTest::newRow("sin artículo") << QStringList{"EN||||"} << info + "Falta ingresar el artículo" << "" << "10";
        QTest::newRow("sin cantidad") << QStringList{"EN|7|||"} << info + "Falta ingresar la cantidad" << "" << "10";
        QTest::newRow("sin nombre") << QStringList{"EN|7-|1||"} << info + "Articulo incorrecto" << "" << "10";
        QTest::newRow("el tipo antes que el stock") << QStringList{"|7|500||"} << sinTipo << "" << "10";
        QTest::newRow("salida mayor que el stock") << QStringList{"SA|7|10.01||"} << mayor << "" << "10";
        QTest::newRow("fecha incompleta") << QStringList{"SA|7|1||0612"} << info + "Fecha incorrecta" << "" << "10";
        QTest::newRow("salida igual al stock") << QStringList{"SA|7|10|1|"} << "" << "000007 SA 0 10 1 N" << "0";
        QTest::newRow("dos veces") << QStringList{"EN|7|5|1|", "EN|7|3|1|"} << "" << "000007 EN 3 0 1 N" << "13";
        QTest::newRow("coma decimal") << QStringList{"EN|7|2,5|1|"} << "" << "000007 EN 2 0 1 N" << "12";
        QTest::newRow("sin número") << QStringList{"EN|7|abc|1|"} << "" << "000007 EN 0 0 1 N" << "10";
        QTest::newRow("decimales escritos") << QStringList{"EN|7|1.005|2.675|"} << "" << "000007 EN 1 0 2.68 N" << "11";
        QTest::newRow("salida negativa") << QStringList{"SA|7|-5|1|"} << "" << "000007 SA 0 -5 1 N" << "15";
    }
    void lineasYStock()
    {
        const auto [lineas, caja] = pruebas::fila<QStringList, QString>("lineas", "caja");
        MovimDePrueba m;
        m.nuevoArticulo("000007", "Tuerca", 10);
        m.movimiento("00000001", "EN", "000007", 10, "S", "02");
        QString cantidad;
        for (const QString &l : lineas) {
            const QStringList p = l.split(QLatin1Char('|'));
            m.clic("b_NuevoComprobante");
            if (!p[0].isEmpty())
                m.tipo(p[0]);
            m.escribir("t_Comprobante", "2");
            if (!p[4].isEmpty())
                m.escribir("t_fecha", p[4]);
            m.articulo(QString(p[1]).remove(QLatin1Char('-')));
            m.escribir("t_Cantidad", cantidad = p[2]);
            if (!p[3].isEmpty())
                m.escribir("t_Costo", p[3]);
            if (p[1].endsWith(QLatin1Char('-')))
                m.escribir("t_Nombre", QString());
            m.clic("b_Guardar");
        }
        QCOMPARE(m.mensajes.cajas(), caja.isEmpty() ? QStringList() : QStringList{caja});
        QTEST(m.base.filas("select numero, tipomov, Entrada, Salida, costo, impreso from movstk where comprobante='00000002'")
                  .join(", "),
              "filas");
        QTEST(m.valor("select stock from articulo"), "stock");
        if (!caja.isEmpty()) {
            QCOMPARE(m.texto("t_Cantidad"), cantidad);
            return;
        }
        // Ready for the next line: cleared, and the grid shows the voucher.
        QCOMPARE(m.texto("t_numero") + m.texto("t_Cantidad"), QString());
        QCOMPARE(QApplication::focusWidget(), m.control("t_numero"));
        QCOMPARE(m.grilla()->Celda(1, 4), QStringLiteral("000007"));
    }

    // Re-posting writes the form's header again and opens the line for printing; the loaded voucher's
    // storage place stays.
    void repostearEscribeLaCabeceraActual()
    {
        MovimDePrueba m;
        m.nuevoArticulo("000003", "Cable", 20);
        m.movimiento("00000000", "EN", "000003", 20, "S");
        m.movimiento("00000004", "SA", "000001", 1, "N", "02");
        m.movimiento("00000004", "SA", "000003", 2, "S", "02");
        m.cargar("4");
        m.escribir("t_detalle", "Entrega a O'Brien");
        m.escribir("t_fecha", "15122026");
        m.linea("3", "1.5");
        QCOMPARE(m.base.filas("select impreso, fecha, deposito, detalle from movstk where comprobante='00000004' "
                              "order by numero"),
                 (QStringList{"N 02-11-2026 02 Nota 00000004", "N 15-12-2026 02 Entrega a O'Brien"}));
    }

    // When the stock cannot be written the row is not kept either, and the line can be posted again.
    void filaYStockJuntosONada()
    {
        MovimDePrueba m;
        m.nuevoArticulo("000001", "Tornillo", 4);
        const bool servidor = BaseDePrueba::enServidor();
        if (servidor)
            m.base.ejecutar("CREATE FUNCTION sin_stock() RETURNS trigger LANGUAGE plpgsql AS "
                            "'BEGIN RAISE EXCEPTION ''stock bloqueado''; END'");
        m.base.ejecutar(servidor ? "CREATE TRIGGER sin_stock BEFORE UPDATE OF stock ON articulo FOR EACH ROW "
                                   "EXECUTE FUNCTION sin_stock()"
                                 : "CREATE TRIGGER sin_stock BEFORE UPDATE OF stock ON articulo BEGIN "
                                   "SELECT RAISE(ABORT, 'stock bloqueado'); END");
        m.comprobanteNuevo("EN");
        m.linea("1", "6");
        QCOMPARE(m.mensajes.textos().size(), 1);
        QVERIFY(m.mensajes.textos()[0].contains(QStringLiteral("stock bloqueado")));
        const char *filasYStock = "select count(*), (select stock from articulo) from movstk";
        QCOMPARE(m.base.filas(filasYStock), QStringList{"0 4"});
        m.base.ejecutar(servidor ? "DROP TRIGGER sin_stock ON articulo" : "DROP TRIGGER sin_stock");
        m.clic("b_Guardar");
        QCOMPARE(m.base.filas(filasYStock), QStringList{"1 6"});
    }

    void eliminar_data()
    {
        pruebas::columnas<QStringList, QString, QString, QString>("guardados", "eliminado", "queda", "nuevo");
        QTest::newRow("uno del medio") << QStringList{"5", "9"} << "5" << "00000009" << "00000010";
        QTest::newRow("el mayor: su número vuelve") << QStringList{"8", "9"} << "9" << "00000008" << "00000009";
    }
    void eliminar()
    {
        const auto [guardados, eliminado] = pruebas::fila<QStringList, QString>("guardados", "eliminado");
        MovimDePrueba m;
        m.nuevoArticulo("000001", "Tornillo");
        m.tipo("EN");
        for (const QString &c : guardados) {
            m.escribir("t_Comprobante", c);
            m.linea("1", "3");
        }
        m.cargar(eliminado);
        m.articulo("1");
        m.clic("b_Eliminar");
        QTEST(m.base.filas("select comprobante from movstk").join(','), "queda");
        QTEST(m.texto("t_Comprobante"), "nuevo");
        QVERIFY(m.grilla()->EstaVacio());
        // The stock waits for the article's next posting; the line fields keep their contents.
        QCOMPARE(m.valor("select stock from articulo"), QStringLiteral("6"));
        QCOMPARE(m.texto("t_numero"), QStringLiteral("000001"));
        QCOMPARE(m.mensajes.mostrados().size(), 0);
    }

    void imprimir_data()
    {
        pruebas::columnas<QString, int, int, int>("tipo", "respuesta", "mensajes", "tickets");
        QTest::newRow("entrada: ni pregunta ni ticket") << "EN" << int(QMessageBox::Yes) << 1 << 0;
        QTest::newRow("salida, No") << "SA" << int(QMessageBox::No) << 2 << 0;
        QTest::newRow("salida, Sí") << "SA" << int(QMessageBox::Yes) << 2 << 1;
    }
    void imprimir()
    {
        const auto [tipo, respuesta, mensajes] = pruebas::fila<QString, int, int>("tipo", "respuesta", "mensajes");
        MovimDePrueba m;
        for (const char *numero : {"000001", "000002"}) {
            m.nuevoArticulo(numero, "Tornillo", 10);
            m.movimiento("00000000", "EN", numero, 10, "S");
        }
        m.comprobanteNuevo(tipo);
        m.linea("1", "2");
        m.linea("2", "1");
        m.mensajes.responder(QMessageBox::Ok);
        m.mensajes.responder(QMessageBox::StandardButton(respuesta));
        m.clic("B_Imprimir");
        QCOMPARE(m.mensajes.cajas(), QStringList({"Salidas|info|Prepare la impresora para imprimir los comprobantes",
                                                  "Atención||Desea imprimir la salida"}).mid(0, mensajes));
        QCOMPARE(m.mensajes.mostrados().first().botones, QMessageBox::Ok);
        if (mensajes == 2)
            QCOMPARE(m.mensajes.mostrados().last().botones, QMessageBox::Yes | QMessageBox::No);
        QTEST(m.ticketsEnviados, "tickets");
        QCOMPARE(m.base.filas("select impreso from movstk where comprobante='00000001'"), (QStringList{"S", "S"}));
        QVERIFY(m.activo("t_numero")); // the form stays as it was
    }

    void totalDeLaSalida_data()
    {
        pruebas::columnas<QStringList, QString, int>("cantidades", "total", "filas"); // "x": the article deleted after
        QTest::newRow("3.5 va al par de arriba") << QStringList{"2", "1.5"} << "4" << 2;
        QTest::newRow("2.5 va al par de abajo") << QStringList{"1.5", "1"} << "2" << 2;
        QTest::newRow("más de 16 bits") << QStringList{"40000"} << "40000" << 1;
        QTest::newRow("suma binaria de 3.4999…") << QStringList{"0.3", "2.3", "0.9"} << "4" << 3;
        QTest::newRow("artículo borrado: en el total, no en las filas") << QStringList{"2", "1.5", "x3"} << "6" << 2;
        QTest::newRow("sin líneas") << QStringList{} << "" << 0;
    }
    void totalDeLaSalida()
    {
        const auto [cantidades, filas] = pruebas::fila<QStringList, int>("cantidades", "filas");
        MovimDePrueba m;
        m.tipo("SA");
        for (int i = 0; i < cantidades.size(); ++i) {
            const QString numero = QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0'));
            m.nuevoArticulo(numero, QStringLiteral("Artículo %1").arg(i + 1), 50000);
            m.movimiento("00000000", "EN", numero, 50000, "S");
            m.linea(numero, QString(cantidades[i]).remove(QLatin1Char('x')));
            if (cantidades[i].startsWith(QLatin1Char('x')))
                m.base.ejecutar(QStringLiteral("DELETE FROM articulo WHERE numero='%1'").arg(numero));
        }
        m.clic("B_Imprimir");
        QCOMPARE(m.ticketsEnviados, filas > 0 ? 1 : 0);
        if (filas == 0) {
            QVERIFY(m.mensajes.cajas().last().endsWith("|error|No tiene datos para ese comprobante"));
            return;
        }
        QTEST(m.ticket().section(QStringLiteral("PieFinal")).control(QStringLiteral("tsalida")).caption(), "total");
        QCOMPARE(m.ticket().dataSource()->rowCount(), filas);
    }

    // Demo vouchers: the printed 3 loads read-only, yet its grid moves and it prints
    // again; the ticket of exit 4 as a PDF shows header, rows and total.
    void ticketsDeDemo()
    {
        MovimDePrueba m(BaseDePrueba::Demo);
        m.cargar("3");
        QVERIFY(!m.activo("b_Guardar") && !m.activo("t_Cantidad"));
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
#include "tst_posting.moc"
