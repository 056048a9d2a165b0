// Posting a line of a voucher (b_Guardar): the fields checked, then the posting and what it refused told.
#include "frm_movim.h"

#include "codes.h"
#include "dates.h"
#include "grid_statements.h"
#include "masked_date_box.h"
#include "messages.h"
#include "mprincipal.h"
#include "numbers.h"
#include "stock_operations.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

void detener(const QString &texto, QMessageBox::Icon icono = QMessageBox::Information, const QString &titulo = {})
{
    mensajes::mostrar(texto, icono, QMessageBox::Ok, titulo);
}

void avisarSinStock()
{
    detener(QStringLiteral("La cantidad de Salida debe ser menor o igual al Stock"), QMessageBox::Critical,
            QStringLiteral("Atención"));
}

// The text of the row's column of that field name.
QString campo(const sentenciasGrilla::Fila &fila, const QString &nombre)
{
    for (qsizetype i = 0; i < fila.encabezados.size(); ++i)
        if (fila.encabezados[i].compare(nombre, Qt::CaseInsensitive) == 0)
            return fila.textos.value(i);
    return {};
}

// Why an amount typed into a line cannot be posted; empty when it can.
QString rechazoImporte(const QString &texto, const QString &nombre)
{
    return !numeros::importeLegible(texto)    ? nombre + QStringLiteral(" incorrecta: ") + texto
           : !numeros::importeAdmitido(texto) ? nombre + QStringLiteral(" fuera de rango")
                                              : QString();
}

} // namespace

void FrmMovim::avisarDeTransferencia(const QString &comprobante)
{
    detener(QStringLiteral("El comprobante %1 es parte de una transferencia: solo se cambia o elimina entera, desde "
                           "«Transferencia entre depósitos».")
                .arg(comprobante),
            QMessageBox::Critical, QStringLiteral("Atención"));
}

void FrmMovim::avisarImpreso(const QString &comprobante, bool eliminar)
{
    detener(QStringLiteral("El comprobante %1 está impreso y no se puede %2")
                .arg(comprobante, eliminar ? QStringLiteral("eliminar") : QStringLiteral("modificar")),
            QMessageBox::Critical, QStringLiteral("Atención"));
}

// The codes and amounts of the line: a code cut to its width would post to
// another voucher or article, an amount that reads as two numbers would store
// neither, an amount beyond the bound would break the sums.
bool FrmMovim::lineaAdmitida()
{
    using codigos::Clase;
    const QString &comprobante = t_Comprobante->text();
    const QString rechazo =
        comprobante.trimmed().isEmpty() || !codigos::rellenado(comprobante, Clase::Comprobante)
            ? codigos::mensajeRechazo(Clase::Comprobante)
        : !codigos::rellenado(t_numero->text(), Clase::Articulo) ? codigos::mensajeRechazo(Clase::Articulo)
        : !numeros::importeLegible(t_Cantidad->text())  ? QStringLiteral("Cantidad incorrecta: ") + t_Cantidad->text()
        : !numeros::importeAdmitido(t_Cantidad->text()) ? QStringLiteral("Cantidad fuera de rango")
        : !numeros::importeLegible(t_Costo->text())     ? QStringLiteral("Costo incorrecto: ") + t_Costo->text()
        : !numeros::importeAdmitido(t_Costo->text())    ? QStringLiteral("Costo fuera de rango")
                                                        : QString();
    if (!rechazo.isEmpty())
        detener(rechazo);
    return rechazo.isEmpty();
}

void FrmMovim::guardar()
{
    // Without a database the article could not have been looked up: say so,
    // rather than blame the article.
    mPrincipal::conexion().exigirAbierta();
    if (t_numero->text().isEmpty())
        return detener(QStringLiteral("Falta ingresar el artículo"));
    if (t_Cantidad->text().isEmpty())
        return detener(QStringLiteral("Falta ingresar la cantidad"));
    if (t_Nombre->text().isEmpty())
        return detener(QStringLiteral("Articulo incorrecto"));
    if (!op_Entra->isChecked() && !op_sale->isChecked())
        return detener(QStringLiteral("No selecciono el tipo de movimiento"), QMessageBox::Critical,
                       QStringLiteral("Atención"));
    // The voucher's type is fixed from the first attempt on.
    op_Entra->setEnabled(false);
    op_sale->setEnabled(false);
    const bool entrada = op_Entra->isChecked();
    if (!lineaAdmitida())
        return;
    // An exit may not exceed the stock shown.
    if (!entrada && numeros::valorImporte(t_stock->text()) < numeros::valorImporte(t_Cantidad->text()))
        return avisarSinStock();
    const QDate fecha = t_fecha->fecha();
    if (!fecha.isValid())
        return detener(QStringLiteral("Fecha incorrecta"));

    // Stored voucher numbers keep their eight digits, or the next number would
    // follow a short one in text order.
    t_Comprobante->setText(*codigos::rellenado(t_Comprobante->text(), codigos::Clase::Comprobante));
    const QString propuesto = t_Comprobante->text();
    const operacionesStock::Linea linea{
        .comprobante = propuesto,
        .nuevo = propuesto == numeroNuevo_,
        .entrada = entrada,
        .fecha = fecha,
        .deposito = t_Deposito->text(),
        .detalle = t_detalle->toPlainText(),
        .numero = *codigos::rellenado(t_numero->text(), codigos::Clase::Articulo),
        .codigo = t_Familia->text(),
        .cantidad = numeros::valorImporte(t_Cantidad->text()),
        .costo = numeros::valorImporte(t_Costo->text()),
    };
    const operacionesStock::Resultado r = operacionesStock::registrarLinea(mPrincipal::conexion(), linea);
    if (r.rechazo == operacionesStock::Rechazo::SinNumeros)
        return avisarSinNumeros(r.ultimo);
    if (r.rechazo == operacionesStock::Rechazo::DeTransferencia)
        return avisarDeTransferencia(r.comprobante);
    if (r.rechazo == operacionesStock::Rechazo::SinStock) {
        t_stock->setText(numeros::numeral(r.stock));
        return avisarSinStock();
    }
    if (r.rechazo == operacionesStock::Rechazo::Impreso)
        return avisarImpreso(r.comprobante, false);

    emit stockCambiado();
    numeroNuevo_.clear();
    t_Comprobante->setText(r.comprobante);
    limpiar();
    MostrarGrilla();
    mostrarDeposito();
    if (r.comprobante != propuesto)
        detener(
            QStringLiteral("Otro operador guardó el comprobante %1 mientras usted preparaba este: la línea se guardó "
                           "en el comprobante %2, que desde ahora es el número de este comprobante.")
                .arg(propuesto, r.comprobante),
            QMessageBox::Information, QStringLiteral("Atención"));
    t_numero->setFocus();
}

bool FrmMovim::guardarLineaDeGrilla(const sentenciasGrilla::Fila &fila)
{
    const bool entrada = campo(fila, QStringLiteral("tipomov")) == QLatin1String("EN");
    const QString cantidad = campo(fila, entrada ? QStringLiteral("Entrada") : QStringLiteral("Salida"));
    const QString costo = campo(fila, QStringLiteral("costo"));
    QString rechazo = rechazoImporte(cantidad, QStringLiteral("Cantidad"));
    if (rechazo.isEmpty())
        rechazo = rechazoImporte(costo, QStringLiteral("Costo"));
    const QDate fecha = fechas::leer(campo(fila, QStringLiteral("fecha")));
    if (rechazo.isEmpty() && !fecha.isValid())
        rechazo = QStringLiteral("Fecha incorrecta");
    if (!rechazo.isEmpty()) {
        detener(rechazo);
        return false;
    }
    const operacionesStock::Linea linea{
        .comprobante = campo(fila, QStringLiteral("comprobante")),
        .entrada = entrada,
        .fecha = fecha,
        .deposito = campo(fila, QStringLiteral("deposito")),
        .detalle = campo(fila, QStringLiteral("detalle")),
        .numero = campo(fila, QStringLiteral("numero")),
        .codigo = campo(fila, QStringLiteral("codigo")),
        .cantidad = numeros::valorImporte(cantidad),
        .costo = numeros::valorImporte(costo),
    };
    const operacionesStock::Resultado r = operacionesStock::registrarLinea(mPrincipal::conexion(), linea);
    if (r.rechazo == operacionesStock::Rechazo::SinStock)
        avisarSinStock();
    else if (r.rechazo == operacionesStock::Rechazo::Impreso)
        avisarImpreso(r.comprobante, false);
    else if (r.rechazo == operacionesStock::Rechazo::DeTransferencia)
        avisarDeTransferencia(r.comprobante);
    if (r.rechazo != operacionesStock::Rechazo::Ninguno)
        return false;
    emit stockCambiado();
    return true;
}
