// Posting a line of a voucher (b_Guardar): the checks, the row, the stock.
#include "frm_movim.h"

#include "codes.h"
#include "dates.h"
#include "masked_date_box.h"
#include "messages.h"
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
        return detener(QStringLiteral("La cantidad de Salida debe ser menor o igual al Stock"), QMessageBox::Critical,
                       QStringLiteral("Atención"));
    const QDate fecha = t_fecha->fecha();
    if (!fecha.isValid())
        return detener(QStringLiteral("Fecha incorrecta"));

    // Stored voucher numbers keep their eight digits, or the next number would
    // follow a short one in text order.
    t_Comprobante->setText(*codigos::rellenado(t_Comprobante->text(), codigos::Clase::Comprobante));
    const QString propuesto = t_Comprobante->text();
    const QString numero = *codigos::rellenado(t_numero->text(), codigos::Clase::Articulo);
    const QString cantidad = numeros::importe(t_Cantidad->text());
    const QString cero = QStringLiteral("0");
    const QStringList columnas{QStringLiteral("comprobante"), QStringLiteral("tipomov"),  QStringLiteral("fecha"),
                               QStringLiteral("numero"),      QStringLiteral("costo"),    QStringLiteral("detalle"),
                               QStringLiteral("impreso"),     QStringLiteral("deposito"), QStringLiteral("Entrada"),
                               QStringLiteral("Salida"),      QStringLiteral("codigo")};
    QStringList valores{propuesto,
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

    // The row and the article's stock are written together or not at all,
    // while the voucher and the article are held against other operators.
    Connection &conexion = mPrincipal::conexion();
    enum class Fin { Hecho, SinStock, SinNumeros };
    QString ultimo, stockActual;
    auto stockDeMovimientos = [&] {
        return numeros::numeral15(
            conexion.execute(sqlStock::suma(numero))->field(QStringLiteral("stk")).value().toDouble());
    };
    const Fin fin = [&] {
        Transaction transaccion(conexion);
        valores[0] = tomarComprobante(ultimo);
        if (valores[0].isEmpty())
            return Fin::SinNumeros;
        conexion.execute(sqlStock::bloqueoArticulo(numero));
        // Another operator's exit may have taken the stock shown.
        if (!entrada) {
            stockActual = stockDeMovimientos();
            if (numeros::valor(stockActual) < numeros::valor(cantidad))
                return Fin::SinStock;
        }
        const QString condicion = sqlStock::condicionLinea(valores[0], numero);
        if (mPrincipal::abrirConsulta(sqlStock::lineaExistente(condicion))->eof())
            mPrincipal::insertarRegistro(QStringLiteral("movstk"), columnas, valores);
        else
            mPrincipal::actualizarRegistro(QStringLiteral("movstk"), columnas, valores, condicion);
        conexion.execute(sqlStock::actualizarStock(numero, stockDeMovimientos()));
        transaccion.commit();
        return Fin::Hecho;
    }();
    if (fin == Fin::SinNumeros)
        return avisarSinNumeros(ultimo);
    if (fin == Fin::SinStock) {
        t_stock->setText(stockActual);
        return detener(QStringLiteral("La cantidad de Salida debe ser menor o igual al Stock"), QMessageBox::Critical,
                       QStringLiteral("Atención"));
    }

    numeroNuevo_.clear();
    t_Comprobante->setText(valores[0]);
    limpiar();
    MostrarGrilla();
    if (valores[0] != propuesto)
        detener(
            QStringLiteral("Otro operador guardó el comprobante %1 mientras usted preparaba este: la línea se guardó "
                           "en el comprobante %2, que desde ahora es el número de este comprobante.")
                .arg(propuesto, valores[0]),
            QMessageBox::Information, QStringLiteral("Atención"));
    t_numero->setFocus();
}

QString FrmMovim::tomarComprobante(QString &ultimo)
{
    Connection &conexion = mPrincipal::conexion();
    QString comprobante = t_Comprobante->text();
    conexion.bloquear(sqlStock::claveComprobante(comprobante));
    if (comprobante != numeroNuevo_)
        return comprobante;
    // Numbers only grow from one lock to the next: two postings never wait for each other in a circle.
    while (!mPrincipal::abrirConsulta(sqlStock::lineasDelComprobante(comprobante))->eof()) {
        comprobante = siguienteComprobante(ultimo);
        if (comprobante.isEmpty())
            return comprobante;
        conexion.bloquear(sqlStock::claveComprobante(comprobante));
    }
    return comprobante;
}
