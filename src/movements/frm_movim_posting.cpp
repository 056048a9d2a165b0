// Posting a line of a voucher (b_Guardar): the checks, the row, the stock.
#include "frm_movim.h"

#include "codes.h"
#include "dates.h"
#include "masked_date_box.h"
#include "messages.h"
#include "movim_sql.h"
#include "mprincipal.h"
#include "numbers.h"
#include "stock_sql.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

void detener(const QString &texto, QMessageBox::Icon icono = QMessageBox::Information, const QString &titulo = {})
{
    mensajes::mostrar(texto, icono, QMessageBox::Ok, titulo);
}

} // namespace

// The codes and amounts of the line: a code cut to its width would post to
// another voucher or article, an amount beyond the bound would break the sums.
bool FrmMovim::lineaAdmitida()
{
    using codigos::Clase;
    const QString &comprobante = t_Comprobante->text();
    const QString rechazo =
        comprobante.trimmed().isEmpty() || !codigos::rellenado(comprobante, Clase::Comprobante)
            ? codigos::mensajeRechazo(Clase::Comprobante)
        : !codigos::rellenado(t_numero->text(), Clase::Articulo) ? codigos::mensajeRechazo(Clase::Articulo)
        : !numeros::importeAdmitido(t_Cantidad->text())          ? QStringLiteral("Cantidad fuera de rango")
        : !numeros::importeAdmitido(t_Costo->text())             ? QStringLiteral("Costo fuera de rango")
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
    if (!entrada && numeros::valor(t_stock->text()) < numeros::valor(t_Cantidad->text()))
        return detener(QStringLiteral("La cantidad de Salida debe ser menor o igual al Stock"), QMessageBox::Critical,
                       QStringLiteral("Atención"));
    const QDate fecha = t_fecha->fecha();
    if (!fecha.isValid())
        return detener(QStringLiteral("Fecha incorrecta"));

    // Stored voucher numbers keep their eight digits, or the next number would
    // follow a short one in text order.
    t_Comprobante->setText(*codigos::rellenado(t_Comprobante->text(), codigos::Clase::Comprobante));
    const QString comprobante = t_Comprobante->text();
    const QString numero = *codigos::rellenado(t_numero->text(), codigos::Clase::Articulo);
    const QString cantidad = numeros::importe(t_Cantidad->text());
    const QString cero = QStringLiteral("0");
    const QStringList columnas{QStringLiteral("comprobante"), QStringLiteral("tipomov"), QStringLiteral("fecha"),
                               QStringLiteral("numero"),      QStringLiteral("costo"),   QStringLiteral("detalle"),
                               QStringLiteral("impreso"),     QStringLiteral("deposito"), QStringLiteral("Entrada"),
                               QStringLiteral("Salida"),      QStringLiteral("codigo")};
    const QStringList valores{comprobante,
                              entrada ? QStringLiteral("EN") : QStringLiteral("SA"),
                              fechas::texto(fecha),
                              numero,
                              numeros::importe(t_Costo->text()),
                              t_detalle->toPlainText(),
                              QStringLiteral("N"),
                              t_Deposito->text(),
                              entrada ? cantidad : cero,
                              entrada ? cero : cantidad,
                              t_Familia->text()};
    const QString condicion = sqlMovim::condicionLinea(comprobante, numero);

    // The row and the article's stock are written together or not at all.
    Connection &conexion = mPrincipal::conexion();
    Transaction transaccion(conexion);
    if (mPrincipal::abrirConsulta(sqlMovim::lineaExistente(condicion))->eof())
        mPrincipal::insertarRegistro(QStringLiteral("movstk"), columnas, valores);
    else
        mPrincipal::actualizarRegistro(QStringLiteral("movstk"), columnas, valores, condicion);
    const double stock = conexion.execute(sqlStock::suma(numero))->field(QStringLiteral("stk")).value().toDouble();
    conexion.execute(sqlMovim::actualizarStock(numero, numeros::numeral15(stock)));
    transaccion.commit();

    limpiar();
    MostrarGrilla();
    t_numero->setFocus();
}
