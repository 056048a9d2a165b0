#include "frm_stock.h"
#include "access_keys.h"
#include "action_guard.h"
#include "dates.h"
#include "filter_controls.h"
#include "form_layout.h"
#include "masked_date_box.h"
#include "messages.h"
#include "recordset.h"
#include "report.h"
#include "report_output.h"
#include "stock_layouts.h"

#include <QLineEdit>
#include <QPushButton>

using namespace controlesFiltro;

FrmStock::FrmStock(Informe informe, QWidget *parent) : QWidget(parent), informe_(informe)
{
    const bool porDeposito = informe == Informe::PorDeposito;
    setObjectName(porDeposito ? QStringLiteral("FrmStockDeposito") : QStringLiteral("FrmValorizacion"));
    setWindowTitle(porDeposito ? QStringLiteral("Stock por depósito") : QStringLiteral("Valorización de stock"));
    twips::tamanoCliente(this, 4320, 2280);
    setFont(QFont(QStringLiteral("Arial"), 8));

    etiqueta(this, "Label1", "Al", 90, 135, 465, 195);
    f_al_ = cajaFecha(this, "f_al", 750, 105, 1095, 285);
    const CajasRangos rangos = cajasRangos(this);
    t_DesdeNumero_ = rangos.desdeNumero;
    T_HastaNumero_ = rangos.hastaNumero;
    T_DesdeFamilia_ = rangos.desdeFamilia;
    T_HastaFamilia_ = rangos.hastaFamilia;
    b_Imprimir_ = boton(this, "b_Imprimir", "&Imprimir", 3045, 600, 1170, 390);
    b_Salir_ = boton(this, "b_Salir", "&Salir", 3045, 1140, 1170, 375);
    ordenDeTabulacion({f_al_, t_DesdeNumero_, T_HastaNumero_, T_DesdeFamilia_, T_HastaFamilia_, b_Imprimir_, b_Salir_});
    setFocusProxy(f_al_);
    teclasDeAccesoPropias(this);
    f_al_->setTexto(fechas::texto(fechas::hoy()));

    connect(b_Imprimir_, &QPushButton::clicked, this, [this] { protegido([this] { imprimir(); }); });
    connect(b_Salir_, &QPushButton::clicked, this, [this] { protegido([this] { cerrarFormulario(this); }); });
}

FiltroStock FrmStock::filtro() const
{
    return {f_al_->texto(), t_DesdeNumero_->text(), T_HastaNumero_->text(), T_DesdeFamilia_->text(),
            T_HastaFamilia_->text()};
}

void FrmStock::imprimir()
{
    const FiltroStock f = filtro();
    if (!fechaStockCompleta(f)) {
        mensajes::mostrar(QStringLiteral("Fecha incorrecta"), QMessageBox::Critical);
        return;
    }
    // Built whole before anything is shown.
    Report *informe = nullptr;
    {
        CursorEspera espera;
        if (informe_ == Informe::PorDeposito) {
            StockPorDeposito datos = armarStockPorDeposito(f);
            if (datos.filas->rowCount() > 0) {
                informe = &rptStockDeposito();
                vincularStockPorDeposito(*informe, std::move(datos), f);
            }
        } else {
            // Only the grand total means no article in the ranges.
            std::unique_ptr<Recordset> filas = armarValorizacion(f);
            if (filas->rowCount() > 1) {
                informe = &rptValorizacion();
                vincularValorizacion(*informe, std::move(filas), f);
            }
        }
    }
    if (!informe) {
        mensajes::mostrar(QStringLiteral("No tiene datos para imprimir"), QMessageBox::Information);
        return;
    }
    showReportPreview(*informe);
}
