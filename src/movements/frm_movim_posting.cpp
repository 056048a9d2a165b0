// Posting a line of a voucher (b_Guardar): the checks, the row, the stock.
#include "frm_movim.h"

#include "dates.h"
#include "masked_date_box.h"
#include "messages.h"
#include "movim_sql.h"
#include "mprincipal.h"
#include "numbers.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

void detener(const QString &texto, QMessageBox::Icon icono = QMessageBox::Information, const QString &titulo = {})
{
    mensajes::mostrar(texto, icono, QMessageBox::Ok, titulo);
}

// Quantities and costs: the leading number of the text, to two decimals.
QString importe(const QString &texto)
{
    return numeros::numeral(numeros::redondear(numeros::valor(texto)));
}

} // namespace

void FrmMovim::guardar()
{
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
    // An exit may not exceed the stock shown.
    if (!entrada && numeros::valor(t_stock->text()) < numeros::valor(t_Cantidad->text()))
        return detener(QStringLiteral("La cantidad de Salida debe ser menor o igual al Stock"), QMessageBox::Critical,
                       QStringLiteral("Atención"));
    const QDate fecha = t_fecha->fecha();
    if (!fecha.isValid())
        return detener(QStringLiteral("Fecha incorrecta"));

    // Stored voucher numbers keep their eight digits, or the next number would
    // follow a short one in text order.
    if (!t_Comprobante->text().isEmpty())
        t_Comprobante->setText(numeros::rellenarCeros(t_Comprobante->text(), 8));
    const QString comprobante = t_Comprobante->text();
    const QString numero = numeros::rellenarCeros(t_numero->text().trimmed(), 6);
    const QString cantidad = importe(t_Cantidad->text());
    const QString cero = QStringLiteral("0");
    const QStringList columnas{QStringLiteral("comprobante"), QStringLiteral("tipomov"), QStringLiteral("fecha"),
                               QStringLiteral("numero"),      QStringLiteral("costo"),   QStringLiteral("detalle"),
                               QStringLiteral("impreso"),     QStringLiteral("deposito"), QStringLiteral("Entrada"),
                               QStringLiteral("Salida"),      QStringLiteral("codigo")};
    const QStringList valores{comprobante,
                              entrada ? QStringLiteral("EN") : QStringLiteral("SA"),
                              fechas::texto(fecha),
                              numero,
                              importe(t_Costo->text()),
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
    const double stock = conexion.execute(sqlMovim::sumaStock(numero))->field(QStringLiteral("stk")).value().toDouble();
    conexion.execute(sqlMovim::actualizarStock(numero, numeros::numeral15(stock)));
    transaccion.commit();

    limpiar();
    MostrarGrilla();
    t_numero->setFocus();
}
