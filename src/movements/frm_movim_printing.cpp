// Deleting a voucher (b_Eliminar) and printing its exit ticket (B_Imprimir).
#include "frm_movim.h"

#include "dates.h"
#include "masked_date_box.h"
#include "messages.h"
#include "mprincipal.h"
#include "numbers.h"
#include "report.h"
#include "stock_operations.h"
#include "ticket_output.h"
#include "tikets_layout.h"
#include "transfer_operations.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopeGuard>

namespace {
const QString tituloAtencion = QStringLiteral("Atención");
} // namespace

void FrmMovim::eliminarComprobante()
{
    const QString comprobante = numeros::rellenarCeros(t_Comprobante->text(), 8);
    const operacionesStock::Estado estado = operacionesStock::estadoComprobante(mPrincipal::conexion(), comprobante);
    if (estado.impresas > 0)
        return avisarImpreso(comprobante, true);
    if (transferencias::deComprobante(mPrincipal::conexion(), comprobante) != 0)
        return avisarDeTransferencia(comprobante);
    if (estado.lineas > 0) {
        const QString pregunta = estado.lineas == 1
                                     ? QStringLiteral("¿Eliminar el comprobante %1 y su línea?").arg(comprobante)
                                     : QStringLiteral("¿Eliminar el comprobante %1 y sus %2 líneas?")
                                           .arg(comprobante, QString::number(estado.lineas));
        if (mensajes::mostrar(pregunta, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, tituloAtencion,
                              QMessageBox::No)
            != QMessageBox::Yes)
            return;
        // Printed, or made half of a transfer, by another operator since the question.
        const operacionesStock::Resultado r =
            operacionesStock::eliminarComprobante(mPrincipal::conexion(), comprobante);
        if (r.rechazo == operacionesStock::Rechazo::Impreso)
            return avisarImpreso(comprobante, true);
        if (r.rechazo == operacionesStock::Rechazo::DeTransferencia)
            return avisarDeTransferencia(comprobante);
        emit stockCambiado();
    }
    // Without a new number the grid would still show the lines just deleted.
    if (!nuevoComprobante())
        MostrarGrilla();
}

void FrmMovim::imprimir()
{
    mensajes::mostrar(QStringLiteral("Prepare la impresora para imprimir los comprobantes"), QMessageBox::Information,
                      QMessageBox::Ok, QStringLiteral("Salidas"));
    ImpSalida();
}

void FrmMovim::ImpSalida()
{
    const QString comprobante = t_Comprobante->text();
    const bool salida = !op_Entra->isChecked();
    const operacionesStock::Impresion impresion = operacionesStock::marcarImpreso(mPrincipal::conexion(), comprobante);
    // Marked printed, the voucher is shown as a printed one loaded: read-only at once, so the form can no
    // longer change a line of what the ticket lists.
    const auto mostrarImpreso = qScopeGuard([this] { cargarComprobante(); });
    if (!salida)
        return;
    if (mensajes::mostrar(QStringLiteral("Desea imprimir la salida"), QMessageBox::NoIcon,
                          QMessageBox::Yes | QMessageBox::No, tituloAtencion)
        == QMessageBox::No)
        return;
    if (impresion.filas->eof()) {
        mensajes::mostrar(QStringLiteral("No tiene datos para ese comprobante"), QMessageBox::Critical);
        return;
    }

    Report &ticket = ReportRegistry::instance(QStringLiteral("Tikets"), disenoTikets);
    ticket.setDataSource(nullptr);
    ticket.setDataMember(QString());
    ticket.setDataSource(impresion.filas);
    ReportSection &cabezal = ticket.section(QStringLiteral("cabezal"));
    const QDate fecha = t_fecha->fecha();
    cabezal.control(QStringLiteral("tfecha")).setCaption(fecha.isValid() ? fechas::texto(fecha) : t_fecha->texto());
    cabezal.control(QStringLiteral("tdeposito")).setCaption(t_Deposito->text());
    cabezal.control(QStringLiteral("tcomprobante")).setCaption(comprobante);
    cabezal.control(QStringLiteral("tconcepto")).setCaption(t_detalle->toPlainText());
    ReportSection &detalle = ticket.section(QStringLiteral("Detalle"));
    const QString cajas[] = {QStringLiteral("tnumero"), QStringLiteral("tnombre"), QStringLiteral("tcantidad")};
    const QString columnas[] = {QStringLiteral("numero"), QStringLiteral("nombre"), QStringLiteral("cantidad")};
    for (int i = 0; i < 3; ++i) {
        detalle.control(cajas[i]).setDataMember(QString());
        detalle.control(cajas[i]).setDataField(columnas[i]);
    }
    ReportSection &pie = ticket.section(QStringLiteral("piefinal"));
    // The exit total as whole units, an exact half going to the even neighbour: 3.5 gives 4.
    pie.control(QStringLiteral("tsalida")).setCaption(numeros::numeral(numeros::redondear(impresion.totalSalida, 0)));
    ticket.setLeftMargin(1);
    ticket.setTopMargin(1);
    ticket.setRightMargin(1);
    pie.setHeight(9500);
    ticket.refresh();
    salidaTicket::enviar(ticket);
}
