// FrmTransferencia: saving, deleting and printing a transfer, and what the stock operations refused told.
#include "frm_transferencia.h"

#include "dates.h"
#include "lista_depositos.h"
#include "masked_date_box.h"
#include "messages.h"
#include "mprincipal.h"
#include "numbers.h"
#include "remito_layout.h"
#include "report.h"
#include "report_output.h"
#include "storage_places.h"

#include <QLineEdit>

namespace {

void atencion(const QString &texto)
{
    mensajes::mostrar(texto, QMessageBox::Critical, QMessageBox::Ok, QStringLiteral("Atención"));
}

} // namespace

void FrmTransferencia::avisarSinStockEnOrigen(const QString &origen, double hay, const QString &articulo,
                                              const QDate &fecha, double pedida)
{
    atencion(QStringLiteral("El depósito %1 «%2» tiene %3 del artículo %4 al %5: no puede enviar %6")
                 .arg(origen, depositos::nombre(mPrincipal::conexion(), origen), numeros::numeral(hay), articulo,
                      fechas::texto(fecha), numeros::numeral(numeros::redondear(pedida))));
}

transferencias::Transferencia FrmTransferencia::leerFormulario() const
{
    transferencias::Transferencia t;
    t.numero = numero_;
    t.fecha = t_fecha->fecha();
    t.origen = cbo_Origen->codigo();
    t.destino = cbo_Destino->codigo();
    t.detalle = t_detalle->text();
    t.lineas = lineas_;
    return t;
}

void FrmTransferencia::guardar()
{
    mPrincipal::conexion().exigirAbierta();
    const transferencias::Transferencia t = leerFormulario();
    if (!t.fecha.isValid())
        return atencion(QStringLiteral("Fecha incorrecta"));
    const transferencias::Resultado r = transferencias::registrar(mPrincipal::conexion(), t);
    if (r.rechazo != transferencias::Rechazo::Ninguno)
        return avisar(r, t);
    emit stockCambiado();
    mostrar(*transferencias::leer(mPrincipal::conexion(), r.numero));
    mensajes::mostrar(QStringLiteral("Se guardó la transferencia %1: salida %2 de %3, entrada %4 en %5")
                          .arg(QString::number(r.numero), r.salida, t.origen, r.entrada, t.destino),
                      QMessageBox::Information);
}

void FrmTransferencia::eliminar()
{
    if (numero_ == 0)
        return;
    if (mensajes::mostrar(QStringLiteral("¿Elimina la transferencia %1 con sus dos comprobantes?").arg(numero_),
                          QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QStringLiteral("Atención"))
        != QMessageBox::Yes)
        return;
    const transferencias::Transferencia t = leerFormulario();
    const transferencias::Resultado r = transferencias::eliminar(mPrincipal::conexion(), numero_);
    if (r.rechazo != transferencias::Rechazo::Ninguno)
        return avisar(r, t);
    emit stockCambiado();
    nueva();
}

void FrmTransferencia::imprimir()
{
    if (numero_ == 0)
        return;
    std::optional<transferencias::Remito> remito = transferencias::marcarImpresa(mPrincipal::conexion(), numero_);
    if (!remito) {
        transferencias::Resultado r;
        r.rechazo = transferencias::Rechazo::NoExiste;
        return avisar(r, leerFormulario());
    }
    // Printed: from now on it can only be read.
    mostrar(remito->transferencia);
    Report &informe = rptRemito();
    vincularRemito(informe, {*remito, depositos::nombre(mPrincipal::conexion(), remito->transferencia.origen),
                             depositos::nombre(mPrincipal::conexion(), remito->transferencia.destino)});
    showReportPreview(informe);
}

void FrmTransferencia::avisar(const transferencias::Resultado &r, const transferencias::Transferencia &t)
{
    using transferencias::Rechazo;
    const transferencias::Linea linea = r.indice >= 0 ? t.lineas.value(r.indice) : transferencias::Linea{};
    const QString articulo = (linea.numero + QLatin1Char(' ') + nombres_.value(r.indice)).trimmed();
    switch (r.rechazo) {
    case Rechazo::Ninguno:
        return;
    case Rechazo::MismoDeposito:
        return atencion(QStringLiteral("El depósito de origen y el de destino deben ser distintos"));
    case Rechazo::DepositoInexistente:
        return atencion(QStringLiteral("Elija el depósito de origen y el de destino entre los depósitos guardados"));
    case Rechazo::SinLineas:
        return atencion(QStringLiteral("Falta ingresar los artículos de la transferencia"));
    case Rechazo::ArticuloRepetido:
        return atencion(QStringLiteral("El artículo %1 está en dos líneas").arg(articulo));
    case Rechazo::CantidadInvalida:
        return atencion(QStringLiteral("La cantidad del artículo %1 debe ser mayor que cero").arg(articulo));
    case Rechazo::SinStockEnOrigen:
        return avisarSinStockEnOrigen(t.origen, r.stock, articulo, t.fecha, linea.cantidad);
    case Rechazo::SinStock:
        return atencion(QStringLiteral("La cantidad de Salida debe ser menor o igual al Stock: el artículo %1 tiene "
                                       "%2 entre todos los depósitos")
                            .arg(articulo, numeros::numeral(r.stock)));
    case Rechazo::SinNumeros:
        return atencion(
            QStringLiteral("El último comprobante guardado es el %1: no quedan números para los comprobantes de la "
                           "transferencia.")
                .arg(r.ultimo));
    case Rechazo::Impresa:
        return atencion(
            QStringLiteral("La transferencia %1 fue impresa: no se puede cambiar ni eliminar").arg(t.numero));
    case Rechazo::NoExiste:
        return atencion(QStringLiteral("La transferencia %1 ya no existe: otro operador la eliminó").arg(t.numero));
    }
}
