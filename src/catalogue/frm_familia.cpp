#include "frm_familia.h"
#include "access_keys.h"
#include "action_guard.h"
#include "catalogue_sql.h"
#include "codes.h"
#include "editable_grid.h"
#include "form_fields.h"
#include "form_layout.h"
#include "icons.h"
#include "messages.h"
#include "mprincipal.h"
#include "sql_text.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QToolButton>

namespace {

const QColor verdeClaro(192, 255, 192);

// A square button with its picture above its caption.
QToolButton *botonConDibujo(QWidget *formulario, const QString &nombre, const QString &texto, const QIcon &dibujo,
                            int izquierda)
{
    auto *b = new QToolButton(formulario);
    b->setObjectName(nombre);
    b->setText(texto);
    b->setIcon(dibujo);
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFocusPolicy(Qt::StrongFocus);
    twips::ubicar(b, izquierda, 4215, 855, 855);
    return b;
}

} // namespace

FrmFamilia::FrmFamilia(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmFamilia"));
    setWindowTitle(QStringLiteral("Mantenimiento de Familias"));
    twips::tamanoCliente(this, 5760, 5160);
    // The sizes in twips were drawn for an 8-point face.
    setFont(QFont(QStringLiteral("Arial"), 8));
    // No picture in the title bar: the window has a plain fixed border.
    QPixmap sinDibujo(16, 16);
    sinDibujo.fill(Qt::transparent);
    setWindowIcon(QIcon(sinDibujo));
    crearControles();
    // The main window focuses the form it opens: the code takes the typing.
    setFocusProxy(t_codigo_);
    teclasDeAccesoPropias(this);
    conectar();
    protegido([this] { cargarGrilla(); });
}

void FrmFamilia::crearControles()
{
    campos::etiquetaEn(this, QStringLiteral("Label1"), QStringLiteral("Codigo"), 120, 135, 1005, 255);
    t_codigo_ = campos::textoEn(this, QStringLiteral("t_codigo"), 1185, 120, 1335, 285);
    campos::colorear(t_codigo_, verdeClaro);
    campos::etiquetaEn(this, QStringLiteral("Label2"), QStringLiteral("Familia"), 120, 495, 1005, 255);
    t_Familia_ = campos::textoEn(this, QStringLiteral("t_Familia"), 1200, 480, 3495, 285);
    campos::colorear(t_Familia_, verdeClaro);

    grilla_ = new EditableGrid(this);
    grilla_->setObjectName(QStringLiteral("grilla"));
    twips::ubicar(grilla_, 60, 900, 5595, 3255);

    b_Consulta_ =
        botonConDibujo(this, QStringLiteral("b_Consulta"), QStringLiteral("&Consulta"), iconos::consulta(), 225);
    b_Guardar_ = botonConDibujo(this, QStringLiteral("b_Guardar"), QStringLiteral("&Guardar"), iconos::guardar(), 1350);
    b_Salir_ = botonConDibujo(this, QStringLiteral("b_Salir"), QStringLiteral("&Salir"), iconos::salir(), 2445);

    const QList<QWidget *> orden{t_codigo_, t_Familia_, b_Guardar_, b_Salir_, b_Consulta_, grilla_};
    for (qsizetype i = 1; i < orden.size(); ++i)
        QWidget::setTabOrder(orden[i - 1], orden[i]);
}

void FrmFamilia::conectar()
{
    connect(b_Guardar_, &QToolButton::clicked, this, [this] { protegido([this] { guardar(); }); });
    connect(b_Salir_, &QToolButton::clicked, this, [this] { cerrarFormulario(this); });
    connect(grilla_, &EditableGrid::dobleClic, this, [this](QStringList &contFila) {
        t_codigo_->setText(contFila.value(1));
        t_Familia_->setText(contFila.value(2));
    });
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
    auto existente = mPrincipal::abrirConsulta(sqlCatalogo::familiaExistente(condicion));
    if (existente->eof())
        mPrincipal::insertarRegistro(QStringLiteral("familia"), columnas, valores);
    else
        mPrincipal::actualizarRegistro(QStringLiteral("familia"), columnas, valores, condicion);
    cargarGrilla();
}
