#include "frm_minimos.h"
#include "access_keys.h"
#include "action_guard.h"
#include "editable_grid.h"
#include "form_fields.h"
#include "form_layout.h"
#include "lista_depositos.h"
#include "messages.h"
#include "minimum_sheet.h"
#include "minimum_stock.h"
#include "mprincipal.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

namespace {

QPushButton *boton(QWidget *padre, const QString &nombre, const QString &texto, int izquierda, int arriba)
{
    auto *b = new QPushButton(texto, padre);
    b->setObjectName(nombre);
    twips::ubicar(b, izquierda, arriba, 1100, 360);
    return b;
}

} // namespace

FrmMinimos::FrmMinimos(QWidget *parent) : QWidget(parent)
{
    campos::formularioDeMantenimiento(this, QStringLiteral("FrmMinimos"), QStringLiteral("Mínimos de stock"), 9240,
                                      6360);
    campos::etiquetaEn(this, QStringLiteral("Label1"), QStringLiteral("Desde Familia"), 60, 120, 1200, 285);
    t_DesdeFamilia_ = campos::textoEn(this, QStringLiteral("t_DesdeFamilia"), 1320, 105, 1000, 285);
    t_DesdeFamilia_->setText(QStringLiteral("0"));
    campos::etiquetaEn(this, QStringLiteral("Label2"), QStringLiteral("Hasta Familia"), 2460, 120, 1200, 285);
    T_HastaFamilia_ = campos::textoEn(this, QStringLiteral("T_HastaFamilia"), 3720, 105, 1000, 285);
    T_HastaFamilia_->setText(QStringLiteral("99999999"));
    campos::etiquetaEn(this, QStringLiteral("Label3"), QStringLiteral("Depósito"), 4860, 120, 900, 285);
    cbo_Deposito_ = new ListaDepositos(this);
    cbo_Deposito_->setObjectName(QStringLiteral("cbo_Deposito"));
    twips::ubicar(cbo_Deposito_, 5820, 90, 2100, 330);
    b_Mostrar_ = boton(this, QStringLiteral("b_Mostrar"), QStringLiteral("&Mostrar"), 8040, 60);
    grilla_ = new EditableGrid(this);
    grilla_->setObjectName(QStringLiteral("grilla"));
    twips::ubicar(grilla_, 60, 540, 9120, 5280);
    b_Salir_ = boton(this, QStringLiteral("b_Salir"), QStringLiteral("&Salir"), 8040, 5910);
    b_Hoja_ = boton(this, QStringLiteral("b_Hoja"), QStringLiteral("Leer &hoja..."), 6780, 5910);
    twips::ubicar(b_Hoja_, 6600, 5910, 1320, 360);
    ordenDeTabulacion({t_DesdeFamilia_, T_HastaFamilia_, cbo_Deposito_, b_Mostrar_, grilla_, b_Salir_, b_Hoja_});
    setFocusProxy(t_DesdeFamilia_);
    teclasDeAccesoPropias(this);

    grilla_->fijarGuardado([this](const sentenciasGrilla::Fila &fila) { return guardarFila(fila.textos); });
    connect(b_Mostrar_, &QPushButton::clicked, this, [this] { protegido([this] { cargarGrilla(); }); });
    connect(cbo_Deposito_, &ListaDepositos::elegido, this, [this] { protegido([this] { cargarGrilla(); }); });
    connect(b_Salir_, &QPushButton::clicked, this, [this] { cerrarFormulario(this); });
    connect(b_Hoja_, &QPushButton::clicked, this, [this] { protegido([this] { leerHoja(); }); });
    protegido([this] {
        cbo_Deposito_->mostrar(QString());
        // The empty code, which mostrar shows alone, stands for every place together.
        cbo_Deposito_->setItemText(cbo_Deposito_->findData(QString()), QStringLiteral("Todos los depósitos"));
        cargarGrilla();
    });
}

void FrmMinimos::cargarGrilla()
{
    grilla_->rellenaGrid(
        minimos::consultaGrilla(t_DesdeFamilia_->text(), T_HastaFamilia_->text(), cbo_Deposito_->codigo()),
        mPrincipal::conexion(), QStringList{QStringLiteral("0"), QStringLiteral("1")}, QStringLiteral("minimo"));
}

bool FrmMinimos::guardarFila(const QStringList &textos)
{
    const QString rechazo =
        minimos::guardar(mPrincipal::conexion(),
                         {textos.value(0), cbo_Deposito_->codigo(), textos.value(2), textos.value(3), textos.value(4)});
    if (rechazo.isEmpty())
        return true;
    mensajes::mostrar(rechazo, QMessageBox::Critical);
    return false;
}

void FrmMinimos::leerHoja()
{
    const QString archivo = QFileDialog::getOpenFileName(this, QStringLiteral("Leer mínimos de una hoja"), QString(),
                                                         QStringLiteral("Hojas de cálculo (*.xlsx *.ods *.csv *.xls)"));
    if (!archivo.isEmpty())
        cargarHoja(archivo);
}

void FrmMinimos::cargarHoja(const QString &archivo)
{
    const importacion::MinimosDeHoja hoja =
        importacion::leerMinimos(mPrincipal::conexion(), archivo, QString(), cbo_Deposito_->codigo());
    // All or nothing: one wrong row leaves every minimum as it was.
    if (!hoja.errores.isEmpty()) {
        constexpr int mostrados = 15;
        QStringList texto = hoja.errores.mid(0, mostrados);
        if (hoja.errores.size() > mostrados)
            texto << QStringLiteral("... y %1 errores más").arg(hoja.errores.size() - mostrados);
        mensajes::mostrar(QStringLiteral("No se guardó ningún mínimo:\n") + texto.join(QLatin1Char('\n')),
                          QMessageBox::Critical);
        return;
    }
    const QString rechazo = minimos::guardarTodos(mPrincipal::conexion(), hoja.filas);
    if (!rechazo.isEmpty()) {
        mensajes::mostrar(rechazo, QMessageBox::Critical);
        return;
    }
    cargarGrilla();
    emit minimosGuardados();
    mensajes::mostrar(QStringLiteral("Se guardaron %1 mínimos").arg(hoja.filas.size()), QMessageBox::Information);
}
