// One operator at the voucher form in a process of its own, so that a test can
// have two work on one database at once. Arguments: the database, then
//   salidas N ARTICULO      N new vouchers, each an exit of 1 unit of the article
//   lineas N                one new voucher, an exit of 1 unit of articles 1 to N
//   imprimir COMPROBANTE N  the voucher loaded and printed N times
// It writes "listo" once its form is open, starts on a line of input, and ends writing what the operator saw.
#include "application_setup.h"
#include "form_driver.h"
#include "frm_movim.h"
#include "messages.h"
#include "mprincipal.h"
#include "report.h"
#include "start_signal.h"
#include "ticket_output.h"

#include <QApplication>
#include <QThread>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepararAplicacion(app);
    const QStringList args = app.arguments();
    const bool imprimir = args.value(2) == QLatin1String("imprimir"),
               salidas = args.value(2) == QLatin1String("salidas");
    mPrincipal::conexion().open(args.value(1));
    mPrincipal::depositoDefecto = QStringLiteral("01");
    // Every box answered Yes or Ok; the operator takes a moment over the ticket's question.
    QStringList mensajes;
    mensajes::fijarRespondedor([&](const mensajes::Mensaje &m) {
        mensajes << m.texto;
        if (m.botones & QMessageBox::Yes)
            QThread::msleep(20);
        return m.botones & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok;
    });
    // A ticket (one unit a line) must list exactly the lines its printing marked.
    int tickets = 0, desparejos = 0;
    salidaTicket::fijarDestinoParaPruebas([&](Report &ticket) {
        ++tickets;
        const auto marcadas = mPrincipal::conexion().execute(
            QStringLiteral("select count(*) from movstk where impreso='S' and comprobante='%1'").arg(args.value(3)));
        desparejos += ticket.section(QStringLiteral("piefinal")).control(QStringLiteral("tsalida")).caption()
                      != marcadas->field(0).text();
    });
    FrmMovim form;
    pruebas::mostrarActiva(&form);
    auto clic = [&](const char *nombre) { QTest::mouseClick(pruebas::control(&form, nombre), Qt::LeftButton); };
    auto escribir = [&](const char *nombre, const QString &texto) {
        pruebas::escribir(pruebas::control(&form, nombre), texto);
    };
    auto *numero = pruebas::control<QLineEdit>(&form, "t_numero");
    esperarLaSalida();

    int aceptadas = 0;
    for (int i = 1; i <= args.value(imprimir ? 4 : 3).toInt(); ++i) {
        if (imprimir) {
            escribir("t_Comprobante", args.value(3));
            clic("b_Cargar");
            clic("B_Imprimir");
            continue;
        }
        // The first voucher is the one the form proposed on opening, as the other operator's was.
        if (i > 1 && salidas)
            clic("b_NuevoComprobante");
        if (i == 1 || salidas)
            clic("op_sale");
        escribir("t_numero", salidas ? args.value(4) : QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')));
        QTest::keyClick(numero, Qt::Key_Tab);
        escribir("t_Cantidad", QStringLiteral("1"));
        clic("b_Guardar");
        aceptadas += numero->text().isEmpty(); // a refused line stays in its fields
    }
    std::printf("aceptadas %d\ntickets %d\ndesparejos %d\ncomprobante %s\n", aceptadas, tickets, desparejos,
                qPrintable(pruebas::control<QLineEdit>(&form, "t_Comprobante")->text()));
    for (const QString &texto : mensajes)
        std::printf("mensaje %s\n", qPrintable(texto));
    return 0;
}
