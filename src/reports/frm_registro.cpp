#include "frm_registro.h"
#include "access_keys.h"
#include "action_guard.h"
#include "article_barcodes.h"
#include "change_record_report.h"
#include "codes.h"
#include "dates.h"
#include "filter_controls.h"
#include "form_layout.h"
#include "masked_date_box.h"
#include "messages.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report.h"
#include "report_output.h"
#include "stock_layouts.h"

#include <QLineEdit>
#include <QPushButton>

using namespace controlesFiltro;

namespace {

// A day typed whole and possible; an invalid date otherwise.
QDate dia(const MaskedDateBox *caja)
{
    const QDate d = fechas::leer(caja->texto());
    return d.isValid() && fechas::texto(d) == caja->texto() ? d : QDate();
}

} // namespace

FrmRegistroCambios::FrmRegistroCambios(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmRegistroCambios"));
    setWindowTitle(QStringLiteral("Registro de cambios"));
    twips::tamanoCliente(this, 5400, 2350);
    setFont(QFont(QStringLiteral("Arial"), 8));

    etiqueta(this, "Label1", "Desde", 90, 135, 900, 195);
    f_desde_ = cajaFecha(this, "f_desde", 1110, 105, 1095, 285);
    etiqueta(this, "Label2", "Hasta", 90, 525, 900, 195);
    f_hasta_ = cajaFecha(this, "f_hasta", 1110, 495, 1095, 285);
    etiqueta(this, "Label3", "Operador", 90, 915, 900, 195);
    t_Operador_ = caja(this, "t_Operador", "", 1110, 885, 2400, 285);
    etiqueta(this, "Label4", "Artículo", 90, 1305, 900, 195);
    t_Articulo_ = caja(this, "t_Articulo", "", 1110, 1275, 1095, 285);
    etiqueta(this, "Label5", "Comprobante", 90, 1695, 1000, 195);
    t_Comprobante_ = caja(this, "t_Comprobante", "", 1110, 1665, 1095, 285);
    b_Imprimir_ = boton(this, "b_Imprimir", "&Imprimir", 4100, 105, 1170, 390);
    b_Salir_ = boton(this, "b_Salir", "&Salir", 4100, 1665, 1170, 375);
    ordenDeTabulacion({f_desde_, f_hasta_, t_Operador_, t_Articulo_, t_Comprobante_, b_Imprimir_, b_Salir_});
    setFocusProxy(f_desde_);
    teclasDeAccesoPropias(this);
    f_desde_->setTexto(fechas::texto(fechas::hoy().addDays(-30)));
    f_hasta_->setTexto(fechas::texto(fechas::hoy()));

    connect(b_Imprimir_, &QPushButton::clicked, this, [this] { protegido([this] { imprimir(); }); });
    connect(b_Salir_, &QPushButton::clicked, this, [this] { protegido([this] { cerrarFormulario(this); }); });
}

void FrmRegistroCambios::imprimir()
{
    FiltroRegistro filtro{dia(f_desde_), dia(f_hasta_), t_Operador_->text().trimmed(), {}, {}};
    if (!filtro.desde.isValid() || !filtro.hasta.isValid()) {
        mensajes::mostrar(QStringLiteral("Fecha incorrecta"), QMessageBox::Critical);
        return;
    }
    // An article typed or scanned reads as in every other window; a code no article holds finds nothing.
    if (const QString articulo = t_Articulo_->text().trimmed(); !articulo.isEmpty()) {
        const codigosBarras::Lectura l = codigosBarras::leer(mPrincipal::conexion(), articulo);
        const auto numero =
            l.esCodigo ? std::optional<QString>(l.numero) : codigos::rellenado(l.numero, codigos::Clase::Articulo);
        if (!numero || numero->isEmpty()) {
            mensajes::mostrar(codigos::mensajeRechazo(codigos::Clase::Articulo), QMessageBox::Warning);
            return;
        }
        filtro.numero = *numero;
        t_Articulo_->setText(filtro.numero);
    }
    if (const QString comprobante = t_Comprobante_->text().trimmed(); !comprobante.isEmpty()) {
        const auto numero = codigos::rellenado(comprobante, codigos::Clase::Comprobante);
        if (!numero) {
            mensajes::mostrar(codigos::mensajeRechazo(codigos::Clase::Comprobante), QMessageBox::Warning);
            return;
        }
        filtro.comprobante = *numero;
        t_Comprobante_->setText(filtro.comprobante);
    }
    std::unique_ptr<Recordset> filas;
    {
        CursorEspera espera;
        filas = armarRegistro(filtro);
    }
    if (filas->rowCount() == 0) {
        mensajes::mostrar(QStringLiteral("No tiene datos para imprimir"), QMessageBox::Information);
        return;
    }
    Report &informe = rptRegistro();
    vincularRegistro(informe, std::move(filas),
                     {f_desde_->texto(), f_hasta_->texto(), filtro.operador, filtro.numero, filtro.comprobante});
    showReportPreview(informe);
}
