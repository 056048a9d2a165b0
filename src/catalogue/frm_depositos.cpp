#include "frm_depositos.h"
#include "access_keys.h"
#include "action_guard.h"
#include "database_settings.h"
#include "editable_grid.h"
#include "form_fields.h"
#include "form_layout.h"
#include "icons.h"
#include "lista_depositos.h"
#include "messages.h"
#include "mprincipal.h"
#include "storage_places.h"

#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QToolButton>

namespace {

// "01 (Depósito 01)", or the code alone for a place without a name.
QString lugar(const QString &codigo, const QString &nombre)
{
    return nombre.isEmpty() ? codigo : codigo + QStringLiteral(" (") + nombre + QLatin1Char(')');
}

} // namespace

FrmDepositos::FrmDepositos(QWidget *parent) : QWidget(parent)
{
    campos::formularioDeMantenimiento(this, QStringLiteral("FrmDepositos"),
                                      QStringLiteral("Mantenimiento de Depósitos"), 5760, 5160);
    crearControles();
    // The main window focuses the form it opens: the code takes the typing.
    setFocusProxy(t_codigo_);
    teclasDeAccesoPropias(this);
    conectar();
    protegido([this] { cargarGrilla(); });
}

void FrmDepositos::crearControles()
{
    const campos::Mantenimiento m = campos::camposDeMantenimiento(this, QStringLiteral("Código"),
                                                                  QStringLiteral("Nombre"), QStringLiteral("t_Nombre"));
    t_codigo_ = m.codigo;
    t_Nombre_ = m.nombre;
    grilla_ = m.grilla;

    b_Guardar_ =
        campos::botonConDibujo(this, QStringLiteral("b_Guardar"), QStringLiteral("&Guardar"), iconos::guardar(), 225);
    b_Salir_ = campos::botonConDibujo(this, QStringLiteral("b_Salir"), QStringLiteral("&Salir"), iconos::salir(), 1320);
    QLabel *puesto = campos::etiquetaEn(this, QStringLiteral("Label3"), QStringLiteral("Este puesto trabaja en"), 2400,
                                        4305, 3255, 255);
    puesto->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    cbo_Puesto_ = new ListaDepositos(this);
    cbo_Puesto_->setObjectName(QStringLiteral("cbo_Puesto"));
    twips::ubicar(cbo_Puesto_, 2400, 4620, 3255, 330);

    ordenDeTabulacion({t_codigo_, t_Nombre_, b_Guardar_, b_Salir_, cbo_Puesto_, grilla_});
}

void FrmDepositos::conectar()
{
    connect(b_Guardar_, &QToolButton::clicked, this, [this] { protegido([this] { guardar(); }); });
    connect(b_Salir_, &QToolButton::clicked, this, [this] { cerrarFormulario(this); });
    connect(grilla_, &EditableGrid::antesEliminar, this, [this](QStringList &contFila) {
        // Refused first, so that a count the database fails to give deletes nothing.
        grilla_->setEliminarOK(false);
        grilla_->setEliminarOK(eliminable(contFila));
    });
    // A renamed or deleted place shows so in the list of the computer's place.
    for (auto despues : {&EditableGrid::despuesF5, &EditableGrid::despuesEliminar})
        connect(grilla_, despues, this, [this] { cbo_Puesto_->mostrar(mPrincipal::depositoDefecto); });
    connect(cbo_Puesto_, &ListaDepositos::elegido, this,
            [this](const QString &codigo) { protegido([&] { cambiarPuesto(codigo); }); });
}

void FrmDepositos::cargarGrilla()
{
    grilla_->rellenaGrid(depositos::consultaGrilla(), mPrincipal::conexion(),
                         QStringList{QStringLiteral("0"), QStringLiteral("1")}, QStringLiteral("deposito"));
    cbo_Puesto_->mostrar(mPrincipal::depositoDefecto);
}

bool FrmDepositos::datosAdmitidos(QString &codigo, QString &nombre)
{
    codigo = t_codigo_->text().trimmed();
    nombre = t_Nombre_->text().trimmed();
    const QString rechazo =
        codigo.isEmpty()   ? QStringLiteral("Falta Código")
        : nombre.isEmpty() ? QStringLiteral("Falta Nombre")
        : codigo.size() > depositos::anchoCodigo
            ? QStringLiteral("El código de depósito debe tener hasta %1 caracteres").arg(depositos::anchoCodigo)
            : QString();
    if (rechazo.isEmpty())
        return true;
    mensajes::mostrar(rechazo, QMessageBox::Information);
    (nombre.isEmpty() && !codigo.isEmpty() ? t_Nombre_ : t_codigo_)->setFocus();
    return false;
}

void FrmDepositos::guardar()
{
    QString codigo, nombre;
    if (!datosAdmitidos(codigo, nombre))
        return;
    CursorEspera espera;
    depositos::guardar(mPrincipal::conexion(), {codigo, nombre});
    t_codigo_->setText(codigo);
    t_Nombre_->setText(nombre);
    cargarGrilla();
}

bool FrmDepositos::eliminable(const QStringList &fila)
{
    const QString codigo = fila.value(1);
    // The blank row of an empty list is no place.
    if (codigo.isEmpty())
        return false;
    const QString cual = lugar(codigo, fila.value(2));
    if (const qint64 usos = depositos::movimientos(mPrincipal::conexion(), codigo); usos > 0) {
        mensajes::mostrar(QStringLiteral("No se puede eliminar el depósito %1: %2.")
                              .arg(cual, usos == 1 ? QStringLiteral("lo usa 1 movimiento")
                                                   : QStringLiteral("lo usan %1 movimientos").arg(usos)),
                          QMessageBox::Information);
        return false;
    }
    if (codigo == mPrincipal::depositoDefecto) {
        mensajes::mostrar(QStringLiteral("No se puede eliminar el depósito %1: es el de este puesto. Elija antes "
                                         "otro en «Este puesto trabaja en».")
                              .arg(cual),
                          QMessageBox::Information);
        return false;
    }
    return true;
}

void FrmDepositos::cambiarPuesto(const QString &codigo)
{
    // The list shows the place in use: the new one, or the old one when the file cannot take the new one.
    auto mostrarEnUso =
        qScopeGuard([this] { cbo_Puesto_->setCurrentIndex(cbo_Puesto_->findData(mPrincipal::depositoDefecto)); });
    ajustesBase::fijarDepositoDelPuesto(codigo);
    mPrincipal::depositoDefecto = codigo;
}
