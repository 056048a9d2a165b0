#include "frm_etiquetas.h"
#include "access_keys.h"
#include "action_guard.h"
#include "codes.h"
#include "form_fields.h"
#include "form_layout.h"
#include "label_rows.h"
#include "labels_layout.h"
#include "messages.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report.h"
#include "report_output.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

const QString titulo = QStringLiteral("Etiquetas");

} // namespace

FrmEtiquetas::FrmEtiquetas(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmEtiquetas"));
    setWindowTitle(titulo);
    twips::tamanoCliente(this, 6600, 3150);
    setFont(QFont(QStringLiteral("Arial"), 8));
    crearControles();
    ordenDeTabulacion({op_Rango_, t_Desde_, t_Hasta_, op_Familia_, t_Familia_, op_Comprobante_, t_Comprobante_,
                       cbo_Hoja_, t_Posicion_, b_Vista_, b_Salir_});
    setFocusProxy(t_Desde_);
    teclasDeAccesoPropias(this);
    connect(b_Vista_, &QPushButton::clicked, this, [this] { protegido([this] { vistaPrevia(); }); });
    connect(b_Salir_, &QPushButton::clicked, this, [this] { cerrarFormulario(this); });
    // A sheet has this many positions; a roll only the first.
    connect(cbo_Hoja_, &QComboBox::currentIndexChanged, this,
            [this](int i) { t_Posicion_->setMaximum(disenoEtiquetas::porHoja(disenoEtiquetas::hojas().at(i))); });
    // Typing into a box picks its option.
    for (auto [caja, opcion] : {std::pair{t_Desde_, op_Rango_}, std::pair{t_Hasta_, op_Rango_},
                                std::pair{t_Familia_, op_Familia_}, std::pair{t_Comprobante_, op_Comprobante_}})
        connect(caja, &QLineEdit::textEdited, opcion, [opcion] { opcion->setChecked(true); });
}

void FrmEtiquetas::crearControles()
{
    op_Rango_ = campos::ubicado(new QRadioButton(QStringLiteral("Artículos del"), this), QStringLiteral("op_Rango"),
                                120, 195, 2400, 285);
    op_Rango_->setChecked(true);
    t_Desde_ = campos::textoEn(this, QStringLiteral("t_Desde"), 2580, 180, 1000, 285);
    campos::etiquetaEn(this, QStringLiteral("Label1"), QStringLiteral("al"), 3600, 195, 360, 255);
    t_Hasta_ = campos::textoEn(this, QStringLiteral("t_Hasta"), 4020, 180, 1000, 285);
    op_Familia_ = campos::ubicado(new QRadioButton(QStringLiteral("De la familia"), this), QStringLiteral("op_Familia"),
                                  120, 615, 2400, 285);
    t_Familia_ = campos::textoEn(this, QStringLiteral("t_Familia"), 2580, 600, 1000, 285);
    op_Comprobante_ = campos::ubicado(new QRadioButton(QStringLiteral("Entradas del comprobante"), this),
                                      QStringLiteral("op_Comprobante"), 120, 1035, 2400, 285);
    t_Comprobante_ = campos::textoEn(this, QStringLiteral("t_Comprobante"), 2580, 1020, 1000, 285);

    campos::etiquetaEn(this, QStringLiteral("Label2"), QStringLiteral("Hoja"), 120, 1575, 2340, 255);
    cbo_Hoja_ = campos::ubicado(new QComboBox(this), QStringLiteral("cbo_Hoja"), 2580, 1545, 3900, 315);
    for (const disenoEtiquetas::Hoja &h : disenoEtiquetas::hojas())
        cbo_Hoja_->addItem(QString::fromUtf8(h.nombre));
    campos::etiquetaEn(this, QStringLiteral("Label3"), QStringLiteral("Primera posición libre"), 120, 2010, 2340, 255);
    t_Posicion_ = campos::ubicado(new QSpinBox(this), QStringLiteral("t_Posicion"), 2580, 1980, 800, 315);
    t_Posicion_->setRange(1, disenoEtiquetas::porHoja(disenoEtiquetas::hojas().at(0)));

    b_Vista_ = campos::ubicado(new QPushButton(QStringLiteral("&Vista previa"), this), QStringLiteral("b_Vista"), 2580,
                               2550, 1400, 450);
    b_Salir_ = campos::ubicado(new QPushButton(QStringLiteral("&Salir"), this), QStringLiteral("b_Salir"), 5280, 2550,
                               1200, 450);
}

bool FrmEtiquetas::pedido(etiquetas::Pedido &p)
{
    using codigos::Clase;
    auto codigo = [](QLineEdit *caja, Clase clase, const QString &vacio, QString &destino) {
        const auto r =
            caja->text().trimmed().isEmpty() ? std::optional(vacio) : codigos::rellenado(caja->text(), clase);
        if (!r || r->isEmpty()) {
            mensajes::mostrar(codigos::mensajeRechazo(clase), QMessageBox::Warning, QMessageBox::Ok, titulo);
            caja->setFocus();
            return false;
        }
        destino = *r;
        return true;
    };
    p.primeraLibre = t_Posicion_->value();
    if (op_Familia_->isChecked()) {
        p.origen = etiquetas::Origen::Familia;
        return codigo(t_Familia_, Clase::Familia, QString(), p.familia);
    }
    if (op_Comprobante_->isChecked()) {
        p.origen = etiquetas::Origen::Comprobante;
        return codigo(t_Comprobante_, Clase::Comprobante, QString(), p.comprobante);
    }
    p.origen = etiquetas::Origen::Rango;
    return codigo(t_Desde_, Clase::Articulo, QStringLiteral("000000"), p.desde)
           && codigo(t_Hasta_, Clase::Articulo, QStringLiteral("999999"), p.hasta);
}

void FrmEtiquetas::vistaPrevia()
{
    etiquetas::Pedido p;
    if (!pedido(p))
        return;
    etiquetas::Etiquetas e = etiquetas::armar(mPrincipal::conexion(), p);
    if (!e.rechazo.isEmpty() || e.cantidad == 0) {
        mensajes::mostrar(e.rechazo.isEmpty() ? QStringLiteral("No hay artículos para las etiquetas") : e.rechazo,
                          QMessageBox::Information, QMessageBox::Ok, titulo);
        return;
    }
    Report &informe = disenoEtiquetas::informe(disenoEtiquetas::hojas().at(cbo_Hoja_->currentIndex()));
    informe.setDataSource(nullptr);
    informe.setDataMember(QString());
    informe.setDataSource(std::move(e.filas));
    informe.refresh();
    showReportPreview(informe);
}
