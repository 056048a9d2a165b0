#include "frm_familia.h"
#include "access_keys.h"
#include "action_guard.h"
#include "catalogue_record.h"
#include "catalogue_sql.h"
#include "codes.h"
#include "connection.h"
#include "editable_grid.h"
#include "form_fields.h"
#include "form_layout.h"
#include "icons.h"
#include "messages.h"
#include "mprincipal.h"
#include "sql_text.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QToolButton>

using campos::botonConDibujo;

FrmFamilia::FrmFamilia(QWidget *parent) : QWidget(parent)
{
    campos::formularioDeMantenimiento(this, QStringLiteral("FrmFamilia"), QStringLiteral("Mantenimiento de Familias"),
                                      5760, 5160);
    crearControles();
    // The main window focuses the form it opens: the code takes the typing.
    setFocusProxy(t_codigo_);
    teclasDeAccesoPropias(this);
    conectar();
    protegido([this] { cargarGrilla(); });
}

void FrmFamilia::crearControles()
{
    const campos::Mantenimiento m = campos::camposDeMantenimiento(
        this, QStringLiteral("Codigo"), QStringLiteral("Familia"), QStringLiteral("t_Familia"));
    t_codigo_ = m.codigo;
    t_Familia_ = m.nombre;
    grilla_ = m.grilla;

    b_Consulta_ =
        botonConDibujo(this, QStringLiteral("b_Consulta"), QStringLiteral("&Consulta"), iconos::consulta(), 225);
    b_Guardar_ = botonConDibujo(this, QStringLiteral("b_Guardar"), QStringLiteral("&Guardar"), iconos::guardar(), 1350);
    b_Salir_ = botonConDibujo(this, QStringLiteral("b_Salir"), QStringLiteral("&Salir"), iconos::salir(), 2445);

    ordenDeTabulacion({t_codigo_, t_Familia_, b_Guardar_, b_Salir_, b_Consulta_, grilla_});
}

void FrmFamilia::conectar()
{
    connect(b_Guardar_, &QToolButton::clicked, this, [this] { protegido([this] { guardar(); }); });
    connect(b_Salir_, &QToolButton::clicked, this, [this] { cerrarFormulario(this); });
    connect(grilla_, &EditableGrid::antesEliminar, this, [this](QStringList &) { grilla_->setEliminarOK(true); });
}

void FrmFamilia::showEvent(QShowEvent *evento)
{
    QWidget::showEvent(evento);
    if (auto *ventana = qobject_cast<QMdiSubWindow *>(parentWidget()))
        ventana->move(0, 0);
}

void FrmFamilia::cargarGrilla()
{
    grilla_->rellenaGrid(sqlCatalogo::grillaFamilias(), mPrincipal::conexion(), QStringList{QStringLiteral("0")},
                         QStringLiteral("familia"));
}

bool FrmFamilia::datosCompletos()
{
    // A code of blanks passes: it is saved as 0000.
    for (QLineEdit *campo : {t_codigo_, t_Familia_}) {
        if (campo->text().isEmpty()) {
            mensajes::mostrar(campo == t_codigo_ ? QStringLiteral("Falta Codigo") : QStringLiteral("Falta Familia"),
                              QMessageBox::Information);
            campo->setFocus();
            return false;
        }
    }
    return true;
}

void FrmFamilia::guardar()
{
    if (!datosCompletos())
        return;
    const std::optional<QString> codigo = codigos::rellenado(t_codigo_->text(), codigos::Clase::Familia);
    if (!codigo) {
        mensajes::mostrar(codigos::mensajeRechazo(codigos::Clase::Familia), QMessageBox::Information);
        t_codigo_->setFocus();
        return;
    }
    CursorEspera espera;
    t_codigo_->setText(*codigo);
    const QStringList columnas{QStringLiteral("codigo"), QStringLiteral("familia")};
    const QStringList valores{t_codigo_->text(), t_Familia_->text()};
    const QString condicion = QStringLiteral("codigo='") + sqlTexto(t_codigo_->text()) + QLatin1Char('\'');
    // The family and its row in the record of changes are stored together.
    Transaction transaccion(mPrincipal::conexion());
    auto existente = mPrincipal::abrirConsulta(sqlCatalogo::familiaExistente(condicion));
    if (existente->eof())
        mPrincipal::insertarRegistro(QStringLiteral("familia"), columnas, valores);
    else
        mPrincipal::actualizarRegistro(QStringLiteral("familia"), columnas, valores, condicion);
    registroCatalogo::anotarGuardado(mPrincipal::conexion(), registroCatalogo::Clase::Familia, t_codigo_->text(),
                                     *existente, columnas, valores);
    transaccion.commit();
    cargarGrilla();
}
