// FrmMovim: form load, vouchers, articles, the line fields and the lines grid.
#include "frm_movim.h"

#include "action_guard.h"
#include "article_barcodes.h"
#include "dates.h"
#include "editable_grid.h"
#include "frm_busqueda.h"
#include "icons.h"
#include "lista_depositos.h"
#include "masked_date_box.h"
#include "messages.h"
#include "movim_sql.h"
#include "mprincipal.h"
#include "numbers.h"
#include "stock_operations.h"
#include "stock_sql.h"
#include "transfer_operations.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QToolButton>

FrmMovim::FrmMovim(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmMovim"));
    setWindowTitle(QStringLiteral("Ingresos e Egreso"));
    setWindowIcon(iconos::guardar());
    // The twips of the layout were drawn for a small sans serif of 8 points.
    setFont(QFont(QStringLiteral("Arial"), 8));
    crearControles();
    ubicarControles();
    fijarOrdenTabulacion();
    conectar();
    // A form whose first reading failed is not shown: without its voucher number
    // and date it would offer to save. The error goes to the action that opened it.
    cargar();
}

void FrmMovim::cargar()
{
    t_Deposito->setText(mPrincipal::depositoDefecto);
    nuevoComprobante();
    limpiar();
}

void FrmMovim::avisarSinNumeros(const QString &ultimo)
{
    mensajes::mostrar(
        QStringLiteral("El último comprobante guardado es el %1: no quedan números para un comprobante nuevo.")
            .arg(ultimo),
        QMessageBox::Critical, QMessageBox::Ok, QStringLiteral("Atención"));
}

bool FrmMovim::nuevoComprobante()
{
    QString ultimo;
    const QString numero = operacionesStock::siguienteComprobante(mPrincipal::conexion(), ultimo);
    if (numero.isEmpty()) {
        avisarSinNumeros(ultimo);
        return false;
    }
    numeroNuevo_ = numero;
    habilitarEdicion(true, false);
    op_Entra->setEnabled(true);
    op_sale->setEnabled(true);
    t_fecha->setTexto(fechas::texto(fechas::hoy()));
    t_Comprobante->setText(numero);
    quitarTipo();
    t_detalle->clear();
    b_Guardar->setEnabled(false);
    MostrarGrilla();
    mostrarDeposito();
    return true;
}

void FrmMovim::cargarComprobante()
{
    t_Comprobante->setText(numeros::rellenarCeros(t_Comprobante->text(), 8));
    auto rs = mPrincipal::abrirConsulta(sqlStock::lineasDelComprobante(t_Comprobante->text()));
    if (rs->eof())
        return;
    numeroNuevo_.clear();
    t_detalle->setPlainText(rs->field(QStringLiteral("detalle")).text());
    t_fecha->setTexto(rs->field(QStringLiteral("fecha")).text());
    if (rs->field(QStringLiteral("TipoMov")).text() == QLatin1String("EN"))
        op_Entra->setChecked(true);
    else
        op_sale->setChecked(true);
    t_Deposito->setText(rs->field(QStringLiteral("deposito")).text());
    // Either half of a transfer changes only with the other, from the transfer's window.
    const int transferencia = transferencias::deComprobante(mPrincipal::conexion(), t_Comprobante->text());
    const bool sinImprimir = rs->field(QStringLiteral("Impreso")).text() != QLatin1String("S") && transferencia == 0;
    habilitarEdicion(sinImprimir, true);
    // The date of a printed voucher leaves the tab order with the other edit fields.
    t_fecha->setFocusPolicy(sinImprimir ? Qt::StrongFocus : Qt::ClickFocus);
    MostrarGrilla();
    mostrarDeposito();
    if (transferencia != 0)
        mensajes::mostrar(QStringLiteral("El comprobante %1 es parte de la transferencia %2: solo se cambia o elimina "
                                         "entera, desde «Transferencia entre depósitos».")
                              .arg(t_Comprobante->text(), QString::number(transferencia)),
                          QMessageBox::Information);
}

void FrmMovim::articuloPorNumero()
{
    // A scanned code stands for its article's number; an unknown one is said and the box kept for the next scan.
    const auto leido = codigosBarras::leer(mPrincipal::conexion(), t_numero->text());
    if (leido.esCodigo && leido.numero.isEmpty()) {
        mensajes::mostrar(codigosBarras::mensajeDesconocido(t_numero->text()), QMessageBox::Information);
        t_numero->setFocus();
        t_numero->selectAll();
        return;
    }
    const QString tecleado = leido.numero;
    const QString limpio = tecleado.trimmed();
    if (!limpio.isEmpty()) {
        const QString numero = numeros::rellenarCeros(limpio, 6);
        auto rs = mPrincipal::abrirConsulta(sqlMovim::articulosPorNumero(tecleado, numero));
        if (rs->eof()) {
            limpiar();
        } else {
            // The number of the article shown, also when it only contains the typed digits.
            t_numero->setText(rs->field(QStringLiteral("numero")).text());
            mostrarArticulo(*rs);
        }
    }
    b_Guardar->setEnabled(true);
    t_Cantidad->setFocus();
}

void FrmMovim::articuloPorNombre()
{
    auto olvidarBusqueda = qScopeGuard([] {
        mPrincipal::codigoBusqueda.clear();
        mPrincipal::sqlBusqueda.clear();
    });
    mPrincipal::sqlBusqueda = sqlMovim::busquedaPorNombre(t_Nombre->text());
    FrmBusqueda::buscar();
    auto rs = mPrincipal::abrirConsulta(sqlMovim::articulo(mPrincipal::codigoBusqueda));
    if (!rs->eof()) {
        t_numero->setText(mPrincipal::codigoBusqueda);
        mostrarArticulo(*rs);
    }
    b_Guardar->setEnabled(true);
    t_Cantidad->setFocus();
}

void FrmMovim::mostrarArticulo(const Recordset &rs)
{
    t_Nombre->setText(rs.field(QStringLiteral("nombre")).text());
    t_Costo->setText(rs.field(QStringLiteral("Costo")).text());
    t_Familia->setText(rs.field(QStringLiteral("Codigo")).text());
    t_stock->setText(rs.field(QStringLiteral("stock")).text());
}

void FrmMovim::limpiar()
{
    for (QLineEdit *campo : {t_Cantidad, t_numero, t_Nombre, t_Costo, t_Familia, t_stock})
        campo->clear();
    b_Guardar->setEnabled(false);
}

void FrmMovim::MostrarGrilla()
{
    // A printed voucher's lines are only shown. In another, F5 posts a line again
    // with its edited quantity or cost, as b_Guardar posts it; the voucher's other
    // columns are the same on every line and change only with the voucher.
    const bool editable = t_numero->isEnabled();
    grilla->fijarSoloLectura({QStringLiteral("comprobante"), QStringLiteral("tipomov"), QStringLiteral("fecha"),
                              QStringLiteral("numero"), QStringLiteral("detalle"), QStringLiteral("impreso"),
                              QStringLiteral("deposito"), QStringLiteral("codigo"),
                              op_Entra->isChecked() ? QStringLiteral("Salida") : QStringLiteral("Entrada")});
    grilla->rellenaGrid(sqlStock::lineasDelComprobante(t_Comprobante->text()), mPrincipal::conexion(),
                        editable ? std::optional(QStringList{QStringLiteral("0")}) : std::nullopt,
                        QStringLiteral("movstk"));
}

void FrmMovim::mostrarDeposito()
{
    cbo_Deposito->mostrar(t_Deposito->text());
    cbo_Deposito->setEnabled(!numeroNuevo_.isEmpty());
}

void FrmMovim::habilitarEdicion(bool si, bool incluirEliminar)
{
    const QList<QWidget *> edicion{t_detalle, t_numero, b_Guardar, b_Nuevo, b_Consulta, t_Cantidad, t_Costo, t_Nombre};
    for (QWidget *w : edicion)
        w->setEnabled(si);
    if (incluirEliminar)
        b_Eliminar->setEnabled(si);
}

void FrmMovim::quitarTipo()
{
    // A checked button of a group cannot be unchecked while the group is exclusive.
    for (QRadioButton *op : {op_Entra, op_sale}) {
        op->setAutoExclusive(false);
        op->setChecked(false);
        op->setAutoExclusive(true);
    }
}

bool FrmMovim::eventFilter(QObject *objeto, QEvent *evento)
{
    // Only a move to another control of this form counts as leaving the field:
    // not a message box, another window or the form closing.
    if (objeto == t_numero && evento->type() == QEvent::FocusOut) {
        QWidget *nuevo = QApplication::focusWidget();
        if (nuevo && nuevo != t_numero && isAncestorOf(nuevo))
            protegido([this] { articuloPorNumero(); });
    }
    return QWidget::eventFilter(objeto, evento);
}
