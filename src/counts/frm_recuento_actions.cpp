// FrmRecuento: the sheet, the differences, applying and discarding the count.
#include "frm_recuento.h"

#include "action_guard.h"
#include "count_layouts.h"
#include "dates.h"
#include "messages.h"
#include "mprincipal.h"
#include "report.h"
#include "report_output.h"

#include <QCheckBox>

namespace {

bool confirmado(const QString &pregunta)
{
    return mensajes::mostrar(pregunta, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                             QStringLiteral("Recuento de stock"), QMessageBox::No)
           == QMessageBox::Yes;
}

void mostrarDiferencias(const recuentos::Recuento &r, const std::vector<recuentos::Diferencia> &difs)
{
    if (difs.empty())
        return void(mensajes::mostrar(QStringLiteral("No tiene datos para imprimir"), QMessageBox::Information));
    Report &informe = rptDiferencias();
    vincularDiferencias(informe, r, difs);
    showReportPreview(informe);
}

} // namespace

void FrmRecuento::planilla()
{
    const bool conLibro = chk_ConStock->isChecked();
    std::vector<recuentos::ArticuloPlanilla> articulos;
    {
        CursorEspera espera;
        articulos = recuentos::planilla(mPrincipal::conexion(), recuento_, conLibro);
    }
    if (articulos.empty())
        return void(mensajes::mostrar(QStringLiteral("No tiene datos para imprimir"), QMessageBox::Information));
    Report &informe = rptPlanilla();
    vincularPlanilla(informe, recuento_, articulos, conLibro);
    showReportPreview(informe);
}

void FrmRecuento::diferencias()
{
    std::vector<recuentos::Diferencia> difs;
    {
        CursorEspera espera;
        difs = recuentos::diferencias(mPrincipal::conexion(), recuento_);
    }
    mostrarDiferencias(recuento_, difs);
}

void FrmRecuento::aplicar()
{
    if (!confirmado(QStringLiteral("¿Aplica el recuento %1? Se registran sus diferencias como ajustes del depósito %2 "
                                   "al %3 y el recuento no se puede cambiar más.")
                        .arg(recuento_.numero)
                        .arg(recuento_.deposito, fechas::texto(recuento_.fecha))))
        return;
    recuentos::Aplicacion ap;
    {
        CursorEspera espera;
        ap = recuentos::aplicar(mPrincipal::conexion(), recuento_.numero, usuario());
    }
    if (rechazado(ap.rechazo))
        return;
    recuento_ = ap.recuento;
    mostrarAbiertos();
    mostrar(recuento_);
    emit stockCambiado();
    QStringList comprobantes;
    if (!recuento_.comprobanteEntrada.isEmpty())
        comprobantes << QStringLiteral("entrada %1").arg(recuento_.comprobanteEntrada);
    if (!recuento_.comprobanteSalida.isEmpty())
        comprobantes << QStringLiteral("salida %1").arg(recuento_.comprobanteSalida);
    mensajes::mostrar(comprobantes.isEmpty()
                          ? QStringLiteral("Se aplicó el recuento %1: no tenía diferencias").arg(recuento_.numero)
                          : QStringLiteral("Se aplicó el recuento %1: %2")
                                .arg(QString::number(recuento_.numero), comprobantes.join(QStringLiteral(", "))),
                      QMessageBox::Information);
    // What was posted, as it was posted.
    if (!ap.diferencias.empty())
        mostrarDiferencias(recuento_, ap.diferencias);
}

void FrmRecuento::descartar()
{
    if (!confirmado(QStringLiteral("¿Descarta el recuento %1? No se registra ningún ajuste.").arg(recuento_.numero)))
        return;
    if (rechazado(recuentos::descartar(mPrincipal::conexion(), recuento_.numero, usuario())))
        return;
    recuento_ = *recuentos::leer(mPrincipal::conexion(), recuento_.numero);
    mostrarAbiertos();
    mostrar(recuento_);
}
