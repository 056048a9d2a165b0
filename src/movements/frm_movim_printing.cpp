// Deleting a voucher (b_Eliminar) and printing its exit ticket (B_Imprimir).
#include "frm_movim.h"

#include "dates.h"
#include "masked_date_box.h"
#include "messages.h"
#include "mprincipal.h"
#include "numbers.h"
#include "report.h"
#include "stock_sql.h"
#include "ticket_output.h"
#include "tikets_layout.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {

const QString tituloAtencion = QStringLiteral("Atención");

// The exit total as whole units, an exact half going to the even neighbour.
// The sum is first cut to 15 significant digits, as SQL sums are written back,
// so 1.1 + 2.4 is the 3.5 it stands for and gives 4.
QString totalEnUnidades(const Field &totsal)
{
    const double suma = numeros::valor(numeros::numeral15(totsal.value().toDouble()));
    return numeros::numeral(numeros::redondear(suma, 0));
}

} // namespace

void FrmMovim::eliminarComprobante()
{
    mPrincipal::conexion().execute(sqlStock::eliminarComprobante(t_Comprobante->text()));
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
    QString total;
    std::shared_ptr<const Recordset> filas;
    {
        // One commit for all the lines: the mark is all or nothing, and quick.
        // A posting into the voucher under way ends first, and none begins
        // until the ticket's rows are read, so the ticket lists what is marked.
        Transaction transaccion(mPrincipal::conexion());
        mPrincipal::conexion().bloquear(sqlStock::claveComprobante(comprobante));
        auto sinImprimir = mPrincipal::abrirConsulta(sqlStock::lineasSinImprimir(comprobante));
        for (; !sinImprimir->eof(); sinImprimir->moveNext())
            mPrincipal::actualizarRegistro(
                QStringLiteral("movstk"), {QStringLiteral("impreso")}, {QStringLiteral("S")},
                sqlStock::condicionLinea(comprobante, sinImprimir->field(QStringLiteral("numero")).text()));
        if (salida) {
            total = totalEnUnidades(
                mPrincipal::abrirConsulta(sqlStock::totalSalida(comprobante))->field(QStringLiteral("totsal")));
            filas = mPrincipal::abrirConsulta(sqlStock::filasTicket(comprobante));
        }
        transaccion.commit();
    }
    if (!salida)
        return;
    if (mensajes::mostrar(QStringLiteral("Desea imprimir la salida"), QMessageBox::NoIcon,
                          QMessageBox::Yes | QMessageBox::No, tituloAtencion)
        == QMessageBox::No)
        return;
    if (filas->eof()) {
        mensajes::mostrar(QStringLiteral("No tiene datos para ese comprobante"), QMessageBox::Critical);
        return;
    }

    Report &ticket = ReportRegistry::instance(QStringLiteral("Tikets"), disenoTikets);
    ticket.setDataSource(nullptr);
    ticket.setDataMember(QString());
    ticket.setDataSource(filas);
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
    pie.control(QStringLiteral("tsalida")).setCaption(total);
    ticket.setLeftMargin(1);
    ticket.setTopMargin(1);
    ticket.setRightMargin(1);
    pie.setHeight(9500);
    ticket.refresh();
    salidaTicket::enviar(ticket);
}
