#include "frm_reponer.h"
#include "access_keys.h"
#include "action_guard.h"
#include "dates.h"
#include "filter_controls.h"
#include "form_layout.h"
#include "lista_depositos.h"
#include "masked_date_box.h"
#include "messages.h"
#include "recordset.h"
#include "replenishment_report.h"
#include "report.h"
#include "report_output.h"
#include "stock_layouts.h"

#include <QComboBox>
#include <QPushButton>

using namespace controlesFiltro;

FrmReponer::FrmReponer(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmReponer"));
    setWindowTitle(QStringLiteral("Artículos a reponer"));
    twips::tamanoCliente(this, 4320, 1950);
    setFont(QFont(QStringLiteral("Arial"), 8));

    etiqueta(this, "Label1", "Al", 90, 135, 465, 195);
    f_al_ = cajaFecha(this, "f_al", 750, 105, 1095, 285);
    etiqueta(this, "Label2", "Depósito", 90, 555, 645, 195);
    cbo_Deposito_ = new ListaDepositos(this);
    cbo_Deposito_->setObjectName(QStringLiteral("cbo_Deposito"));
    twips::ubicar(cbo_Deposito_, 750, 510, 2100, 330);
    b_Imprimir_ = boton(this, "b_Imprimir", "&Imprimir", 3045, 105, 1170, 390);
    b_Salir_ = boton(this, "b_Salir", "&Salir", 3045, 960, 1170, 375);
    etiqueta(this, "Label3", "Artículo", 90, 1455, 645, 195);
    cbo_Articulo_ = new QComboBox(this);
    cbo_Articulo_->setObjectName(QStringLiteral("cbo_Articulo"));
    twips::ubicar(cbo_Articulo_, 750, 1410, 2100, 330);
    b_Grafico_ = boton(this, "b_Grafico", "G&ráfico", 3045, 1410, 1170, 390);
    b_Grafico_->setEnabled(false);
    ordenDeTabulacion({f_al_, cbo_Deposito_, b_Imprimir_, b_Salir_, cbo_Articulo_, b_Grafico_});
    setFocusProxy(f_al_);
    teclasDeAccesoPropias(this);
    f_al_->setTexto(fechas::texto(fechas::hoy()));
    protegido([this] {
        cbo_Deposito_->mostrar(QString());
        // The empty code, which mostrar shows alone, stands for every place.
        cbo_Deposito_->setItemText(cbo_Deposito_->findData(QString()), QStringLiteral("Todos los depósitos"));
    });

    connect(b_Imprimir_, &QPushButton::clicked, this, [this] { protegido([this] { imprimir(); }); });
    connect(b_Grafico_, &QPushButton::clicked, this,
            [this] { emit graficoPedido(cbo_Articulo_->currentData().toString()); });
    connect(b_Salir_, &QPushButton::clicked, this, [this] { protegido([this] { cerrarFormulario(this); }); });
}

void FrmReponer::listarArticulos(const Recordset &filas)
{
    cbo_Articulo_->clear();
    // An article may be listed for a place and for all places: it is offered once.
    for (qsizetype r = 0; r < filas.rowCount(); ++r) {
        const QString numero = filas.text(r, 0);
        if (!numero.isEmpty() && cbo_Articulo_->findData(numero) < 0)
            cbo_Articulo_->addItem(numero + QStringLiteral(" ") + filas.text(r, 1), numero);
    }
    b_Grafico_->setEnabled(cbo_Articulo_->count() > 0);
}

void FrmReponer::imprimir()
{
    const QDate al = fechas::leer(f_al_->texto());
    if (!al.isValid() || fechas::texto(al) != f_al_->texto()) {
        mensajes::mostrar(QStringLiteral("Fecha incorrecta"), QMessageBox::Critical);
        return;
    }
    std::unique_ptr<Recordset> filas;
    {
        CursorEspera espera;
        filas = armarReposicion(al, cbo_Deposito_->codigo());
    }
    listarArticulos(*filas);
    if (filas->rowCount() == 0) {
        mensajes::mostrar(QStringLiteral("No tiene datos para imprimir"), QMessageBox::Information);
        return;
    }
    Report &informe = rptReposicion();
    vincularReposicion(informe, std::move(filas), f_al_->texto(), cbo_Deposito_->currentText());
    showReportPreview(informe);
}
