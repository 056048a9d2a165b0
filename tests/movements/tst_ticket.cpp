#include "movim_fixture.h"
#include "report_pdf.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

// Deleting a voucher, marking it printed, and its exit ticket.
class TestTicket : public QObject
{
    Q_OBJECT

private slots:
    void eliminar_data()
    {
        QTest::addColumn<QStringList>("guardados");
        QTest::addColumn<QString>("eliminado");
        QTest::addColumn<QString>("nuevo");
        QTest::newRow("uno del medio") << QStringList{"5", "9"} << "5" << "00000010";
        QTest::newRow("el mayor: su número vuelve") << QStringList{"8", "9"} << "9" << "00000009";
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
        m.cargar(eliminado);
        m.articulo(QStringLiteral("1"));
        m.clic("b_Eliminar");
        QCOMPARE(m.valor("select group_concat(comprobante) from movstk"),
                 QStringLiteral("0000000%1").arg(guardados[eliminado == guardados[0] ? 1 : 0]));
        QCOMPARE(m.texto("t_Comprobante"), nuevo);
        QVERIFY(m.grilla()->EstaVacio());
        // The stock waits for the article's next posting; the line fields keep their contents.
        QCOMPARE(m.valor("select stock from articulo"), QStringLiteral("6"));
        QCOMPARE(m.texto("t_numero"), QStringLiteral("000001"));
        QCOMPARE(m.mensajes.mostrados().size(), 0);
    }

    void imprimir_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<int>("mensajes");
        QTest::addColumn<int>("tickets");
        QTest::newRow("entrada: ni pregunta ni ticket") << "EN" << int(QMessageBox::Yes) << 1 << 0;
        QTest::newRow("salida, No") << "SA" << int(QMessageBox::No) << 2 << 0;
        QTest::newRow("salida, Sí") << "SA" << int(QMessageBox::Yes) << 2 << 1;
    }
    void imprimir()
    {
        QFETCH(QString, tipo);
        QFETCH(int, respuesta);
        QFETCH(int, mensajes);
        QFETCH(int, tickets);
        MovimDePrueba m;
        m.nuevoArticulo("000001", "Tornillo", 10);
        m.nuevoArticulo("000002", "Tuerca", 10);
        m.comprobanteNuevo(qPrintable(tipo));
        m.linea(QStringLiteral("1"), QStringLiteral("2"));
        m.linea(QStringLiteral("2"), QStringLiteral("1"));
        m.mensajes.responder(QMessageBox::Ok);
        m.mensajes.responder(QMessageBox::StandardButton(respuesta));
        m.clic("B_Imprimir");
        const QList<mensajes::Mensaje> esperados{
            {"Prepare la impresora para imprimir los comprobantes", QMessageBox::Information, QMessageBox::Ok, "Salidas"},
            {"Desea imprimir la salida", QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No, "Atención"}};
        QCOMPARE(m.mensajes.mostrados().size(), mensajes);
        for (int i = 0; i < mensajes; ++i) {
            const mensajes::Mensaje &visto = m.mensajes.mostrados()[i];
            QCOMPARE(QStringList({visto.texto, visto.titulo}), QStringList({esperados[i].texto, esperados[i].titulo}));
            QCOMPARE(visto.icono, esperados[i].icono);
            QCOMPARE(visto.botones, esperados[i].botones);
        }
        QCOMPARE(m.ticketsEnviados, tickets);
        QCOMPARE(m.valor("select group_concat(impreso, '') from movstk"), QStringLiteral("SS"));
        // The form stays as it was; loaded again, the voucher is read-only.
        QVERIFY(m.control("t_numero")->isEnabled());
        m.cargar(QStringLiteral("1"));
        QVERIFY(!m.control("t_numero")->isEnabled() && !m.control("b_Eliminar")->isEnabled());
    }

    void totalDeLaSalida_data()
    {
        QTest::addColumn<QStringList>("cantidades"); // "x" deletes the article after posting
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("filas");
        QTest::newRow("3.5 va al par de arriba") << QStringList{"2", "1.5"} << "4" << 2;
        QTest::newRow("2.5 va al par de abajo") << QStringList{"1.5", "1"} << "2" << 2;
        QTest::newRow("más de 16 bits") << QStringList{"40000"} << "40000" << 1;
        QTest::newRow("suma binaria de 3.4999…") << QStringList{"0.3", "2.3", "0.9"} << "4" << 3;
        QTest::newRow("artículo borrado: en el total, no en las filas") << QStringList{"2", "1.5", "x3"} << "6" << 2;
        QTest::newRow("sin líneas") << QStringList{} << "" << 0;
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
        QCOMPARE(m.ticketsEnviados, filas > 0 ? 1 : 0);
        if (filas == 0) {
            QCOMPARE(m.mensajes.textos().last(), QStringLiteral("No tiene datos para ese comprobante"));
            QCOMPARE(m.mensajes.mostrados().last().icono, QMessageBox::Critical);
            return;
        }
        QCOMPARE(m.ticket().section(QStringLiteral("PieFinal")).control(QStringLiteral("tsalida")).caption(), total);
        QCOMPARE(m.ticket().dataSource()->rowCount(), filas);
    }

    // A printed demo voucher loads read-only, yet prints again and its grid still moves.
    void impresoSoloLectura()
    {
        MovimDePrueba m(BaseDePrueba::Demo);
        m.cargar(QStringLiteral("3"));
        QVERIFY(!m.control("b_Guardar")->isEnabled() && !m.control("t_Cantidad")->isEnabled());
        QTest::keyClick(m.grilla()->focusProxy(), Qt::Key_Down);
        QCOMPARE(m.grilla()->filaActual(), 2);
        m.clic("B_Imprimir");
        QCOMPARE(m.ticketsEnviados, 1);
    }

    // The ticket of a demo exit voucher as a PDF: header, rows and total.
    void ticketDeDemoEnPdf()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        MovimDePrueba m(BaseDePrueba::Demo);
        m.cargar(QStringLiteral("4"));
        m.clic("B_Imprimir");
        QTemporaryDir carpeta;
        const QString pdf = carpeta.filePath(QStringLiteral("ticket.pdf"));
        QVERIFY(writeReportPdf(*m.ticket().pages(), pdf));
        if (const QString capturas = qEnvironmentVariable("QUENDRA_CAPTURAS"); !capturas.isEmpty())
            QFile::copy(pdf, capturas + QStringLiteral("/ticket.pdf"));
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        p.waitForFinished();
        const QString texto = QString::fromUtf8(p.readAllStandardOutput());
        for (const char *e : {"Fecha: 22-04-2026", "Depósito +01 +Comprobante +00000004", "Informe de Salida",
                              "Control de Depósito", "NO TIENE VALOR FISCAL", "Venta mostrador", "Concepto +Cantidad\n",
                              "000008 +Látex interior blanco 20 l +2\n", "000010 +Rodillo de lana 22 cm +3\n",
                              "000011 +Pincel n.º 20 +4\n", "Total Salida +9\n"})
            QVERIFY2(texto.contains(QRegularExpression(QString::fromUtf8(e))), qPrintable(e + ("\n" + texto)));
    }
};

QUENDRA_TEST(TestTicket)
#include "tst_ticket.moc"
