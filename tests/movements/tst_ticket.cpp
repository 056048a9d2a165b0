#include "movim_fixture.h"
#include "report_pdf.h"
#include "report_preview.h"

#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>

// Deleting a voucher, marking it printed and its exit ticket.
class TestTicket : public QObject
{
    Q_OBJECT

    static QString pdfTexto(const QString &pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    static QString impresos(const MovimDePrueba &m, const QString &comprobante)
    {
        return m.valor(QStringLiteral("select group_concat(impreso, '') from movstk where comprobante='%1'").arg(comprobante));
    }
    static QString totalImpreso(const MovimDePrueba &m)
    {
        return m.ticket().section(QStringLiteral("PieFinal")).control(QStringLiteral("tsalida")).caption();
    }

private slots:
    void eliminar_data()
    {
        QTest::addColumn<QStringList>("guardados");
        QTest::addColumn<QString>("eliminado");
        QTest::addColumn<QString>("nuevo");
        QTest::newRow("uno del medio") << QStringList{"00000005", "00000009"} << "00000005" << "00000010";
        QTest::newRow("el mayor: su número vuelve") << QStringList{"00000008", "00000009"} << "00000009" << "00000009";
        QTest::newRow("el único") << QStringList{"00000001"} << "00000001" << "00000001";
    }
    void eliminar()
    {
        QFETCH(QStringList, guardados);
        QFETCH(QString, eliminado);
        QFETCH(QString, nuevo);
        MovimDePrueba m;
        m.nuevoArticulo("000001", "Tornillo");
        m.clic("op_Entra");
        for (const QString &c : guardados) {
            m.escribir("t_Comprobante", c);
            m.linea(QStringLiteral("1"), QStringLiteral("3"));
        }
        const QString stockAntes = m.valor("select stock from articulo");
        m.cargar(eliminado);
        m.articulo(QStringLiteral("1"));
        m.clic("b_Eliminar");
        QCOMPARE(m.valor(QStringLiteral("select count(*) from movstk where comprobante='%1'").arg(eliminado)),
                 QStringLiteral("0"));
        QCOMPARE(m.valor("select count(*) from movstk").toInt(), guardados.size() - 1);
        QCOMPARE(m.texto("t_Comprobante"), nuevo);
        QVERIFY(m.grilla()->EstaVacio());
        // The stock waits for the article's next posting; the line fields keep their contents.
        QCOMPARE(m.valor("select stock from articulo"), stockAntes);
        QCOMPARE(m.texto("t_numero"), QStringLiteral("000001"));
        QCOMPARE(m.mensajes.mostrados().size(), 0);
    }

    void imprimirMarcaYPregunta_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QStringList>("mensajes");
        QTest::addColumn<int>("tickets");
        const QString prepare = QStringLiteral("Prepare la impresora para imprimir los comprobantes");
        const QString pregunta = QStringLiteral("Desea imprimir la salida");
        QTest::newRow("entrada: ni pregunta ni ticket") << "EN" << int(QMessageBox::Yes) << QStringList{prepare} << 0;
        QTest::newRow("salida, No") << "SA" << int(QMessageBox::No) << QStringList{prepare, pregunta} << 0;
        QTest::newRow("salida, Sí") << "SA" << int(QMessageBox::Yes) << QStringList{prepare, pregunta} << 1;
    }
    void imprimirMarcaYPregunta()
    {
        QFETCH(QString, tipo);
        QFETCH(int, respuesta);
        QFETCH(QStringList, mensajes);
        QFETCH(int, tickets);
        MovimDePrueba m;
        m.nuevoArticulo("000001", "Tornillo", 10);
        m.nuevoArticulo("000002", "Tuerca", 10);
        m.comprobanteNuevo(qPrintable(tipo), QStringLiteral("1"), QStringLiteral("2"));
        m.linea(QStringLiteral("2"), QStringLiteral("1"));
        m.mensajes.responder(QMessageBox::Ok);
        m.mensajes.responder(QMessageBox::StandardButton(respuesta));
        m.clic("B_Imprimir");
        QCOMPARE(m.mensajes.textos(), mensajes);
        QCOMPARE(m.mensajes.mostrados()[0].icono, QMessageBox::Information);
        QCOMPARE(m.mensajes.mostrados()[0].titulo, QStringLiteral("Salidas"));
        if (mensajes.size() > 1) {
            QCOMPARE(m.mensajes.mostrados()[1].icono, QMessageBox::NoIcon);
            QCOMPARE(m.mensajes.mostrados()[1].botones, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(m.mensajes.mostrados()[1].titulo, QStringLiteral("Atención"));
        }
        QCOMPARE(m.ticketsEnviados, tickets);
        QCOMPARE(impresos(m, "00000001"), QStringLiteral("SS"));
        // Printing leaves the form as it was; loading again shows the voucher read-only.
        QVERIFY(m.control("t_numero")->isEnabled());
        m.cargar(QStringLiteral("1"));
        QVERIFY(!m.control("t_numero")->isEnabled());
        QVERIFY(!m.control("b_Eliminar")->isEnabled());
    }

    void totalDeLaSalida_data()
    {
        QTest::addColumn<QStringList>("cantidades");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("filas");
        QTest::newRow("3.5 va al par de arriba") << QStringList{"2", "1.5"} << "4" << 2;
        QTest::newRow("2.5 va al par de abajo") << QStringList{"1.5", "1"} << "2" << 2;
        QTest::newRow("más de 16 bits") << QStringList{"40000"} << "40000" << 1;
        QTest::newRow("suma binaria inexacta") << QStringList{"0.3", "2.3", "0.9"} << "4" << 3;
        QTest::newRow("artículo borrado: en el total, no en las filas") << QStringList{"2", "1.5", "x3"} << "6" << 2;
    }
    void totalDeLaSalida()
    {
        QFETCH(QStringList, cantidades);
        QFETCH(QString, total);
        QFETCH(int, filas);
        MovimDePrueba m;
        m.clic("op_sale");
        for (int i = 0; i < cantidades.size(); ++i) {
            const QString numero = QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0'));
            m.nuevoArticulo(numero, QStringLiteral("Artículo %1").arg(i + 1), 50000);
            m.linea(numero, QString(cantidades[i]).remove(QLatin1Char('x')));
            if (cantidades[i].startsWith(QLatin1Char('x')))
                m.base.ejecutar(QStringLiteral("DELETE FROM articulo WHERE numero='%1'").arg(numero));
        }
        m.clic("B_Imprimir");
        QCOMPARE(m.ticketsEnviados, 1);
        QCOMPARE(totalImpreso(m), total);
        QCOMPARE(m.ticket().dataSource()->rowCount(), filas);
    }

    void salidaSinLineas()
    {
        MovimDePrueba m;
        m.clic("op_sale");
        m.clic("B_Imprimir");
        QCOMPARE(m.mensajes.textos(), (QStringList{"Prepare la impresora para imprimir los comprobantes",
                                                   "Desea imprimir la salida", "No tiene datos para ese comprobante"}));
        QCOMPARE(m.mensajes.mostrados()[2].icono, QMessageBox::Critical);
        QCOMPARE(m.mensajes.mostrados()[2].titulo, QStringLiteral("Quendra"));
        QCOMPARE(m.ticketsEnviados, 0);
    }

    // A printed voucher: read-only, yet it prints again and its grid still moves.
    void impresoSoloLectura()
    {
        MovimDePrueba m(BaseDePrueba::Demo);
        m.cargar(QStringLiteral("3"));
        for (const char *c : {"t_numero", "t_Nombre", "t_Cantidad", "t_Costo", "b_Guardar", "b_Nuevo", "b_Consulta",
                              "t_detalle", "b_Eliminar"})
            QVERIFY2(!m.control(c)->isEnabled(), c);
        QVERIFY(m.control("B_Imprimir")->isEnabled());
        QVERIFY(m.grilla()->isEnabled());
        QTableView *vista = m.grilla()->findChild<QTableView *>(QStringLiteral("grilla"));
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(vista->model()->index(2, 4)).center());
        QCOMPARE(m.grilla()->filaActual(), 3);
        m.clic("B_Imprimir");
        QCOMPARE(m.ticketsEnviados, 1);
        QCOMPARE(totalImpreso(m), QStringLiteral("28")); // 5 + 20 + 2.5 + 1, the half to the even 28
    }

    // The ticket of a demo exit voucher as a PDF: header, rows and total.
    void ticketDeDemoEnPdf()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        MovimDePrueba m(BaseDePrueba::Demo);
        m.cargar(QStringLiteral("4"));
        m.clic("B_Imprimir");
        QCOMPARE(m.ticketsEnviados, 1);
        QTemporaryDir carpeta;
        const QString pdf = carpeta.filePath(QStringLiteral("ticket.pdf"));
        QVERIFY(writeReportPdf(*m.ticket().pages(), pdf));
        if (const QString capturas = qEnvironmentVariable("QUENDRA_CAPTURAS"); !capturas.isEmpty())
            QFile::copy(pdf, capturas + QStringLiteral("/ticket.pdf"));
        const QString texto = pdfTexto(pdf);
        const QStringList esperados{"Fecha:", "22-04-2026", "Depósito", "Comprobante", "00000004",
                                    "Informe de Salida", "Control de Depósito", "NO TIENE VALOR FISCAL",
                                    "Venta mostrador", "Concepto", "Cantidad", "Total Salida"};
        for (const QString &e : esperados)
            QVERIFY2(texto.contains(e), qPrintable(e + " missing in:\n" + texto));
        const QStringList filas = {"000008 +Látex interior blanco 20 l +2\n", "000010 +Rodillo de lana 22 cm +3\n",
                                   "000011 +Pincel n.º 20 +4\n", "Total Salida +9\n", "Depósito +01 "};
        for (const QString &f : filas)
            QVERIFY2(texto.contains(QRegularExpression(f)), qPrintable(f + " missing in:\n" + texto));
    }

    // Without a diversion the ticket goes to its preview and, with no printer, to a PDF.
    void vistaPreviaEImpresion()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer: no paper is wasted");
        QTemporaryDir casa;
        const QByteArray casaAntes = qgetenv("HOME");
        auto restaurar = qScopeGuard([&] { qputenv("HOME", casaAntes); });
        qputenv("HOME", casa.path().toUtf8());
        MovimDePrueba m(BaseDePrueba::Demo);
        salidaTicket::fijarDestinoParaPruebas({});
        m.cargar(QStringLiteral("9"));
        m.clic("B_Imprimir");
        QCOMPARE(m.mensajes.mostrados().size(), 3);
        QVERIFY(m.mensajes.mostrados()[2].texto.contains(casa.path() + QStringLiteral("/Documents/Quendra/Imprimiendo Factura")));
        ReportPreview *vista = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *p = qobject_cast<ReportPreview *>(w); p && p->isVisible())
                vista = p;
        QVERIFY(vista);
        QCOMPARE(vista->windowTitle(), QStringLiteral("Imprimiendo Factura"));
        vista->close();
    }
};

QUENDRA_TEST(TestTicket)
#include "tst_ticket.moc"
