#include "informe_ventas.h"
#include "access_keys.h"
#include "action_guard.h"
#include "dates.h"
#include "filter_controls.h"
#include "form_layout.h"
#include "masked_date_box.h"
#include "messages.h"
#include "movement_report.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report.h"
#include "report_output.h"
#include "rpt_movim_layout.h"
#include "storage_places.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>

using namespace controlesFiltro;

InformeVentas::InformeVentas(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("InformeVentas"));
    setWindowTitle(QStringLiteral("Informe de Movimientos por Depósitos"));
    twips::tamanoCliente(this, 4320, 2730);
    // The sizes in twips were drawn for an 8-point face.
    setFont(QFont(QStringLiteral("Arial"), 8));
    crearControles();
    // The main window focuses the form it opens: the first date takes the typing.
    setFocusProxy(f_desde_);
    teclasDeAccesoPropias(this);

    const QString hoy = fechas::texto(fechas::hoy());
    f_desde_->setTexto(hoy);
    f_hasta_->setTexto(hoy);
    connect(t_Deposito_, &QLineEdit::textChanged, this, [this] { protegido([this] { mostrarNombreDeposito(); }); });
    t_Deposito_->setText(mPrincipal::depositoDefecto);

    connect(b_Imprimir_, &QPushButton::clicked, this, [this] { protegido([this] { imprimir(); }); });
    connect(b_Salir_, &QPushButton::clicked, this, [this] { protegido([this] { cerrarFormulario(this); }); });
}

void InformeVentas::crearControles()
{
    etiqueta(this, "Label1", "Desde", 90, 135, 465, 195);
    f_desde_ = cajaFecha(this, "f_desde", 750, 105, 1095, 285);
    etiqueta(this, "Label2", "Hasta", 2025, 135, 420, 195);
    f_hasta_ = cajaFecha(this, "f_hasta", 2610, 90, 1095, 285);
    const CajasRangos rangos = cajasRangos(this);
    t_DesdeNumero_ = rangos.desdeNumero;
    T_HastaNumero_ = rangos.hastaNumero;
    T_DesdeFamilia_ = rangos.desdeFamilia;
    T_HastaFamilia_ = rangos.hastaFamilia;
    etiqueta(this, "Label3", "Depósito", 120, 2160, 630, 195);
    t_Deposito_ = caja(this, "t_Deposito", "", 1605, 2160, 615, 300);
    lbl_NombreDeposito_ = etiqueta(this, "lbl_NombreDeposito", "", 2280, 2190, 1935, 255);
    b_Imprimir_ = boton(this, "b_Imprimir", "&Imprimir", 3045, 600, 1170, 390);
    b_Salir_ = boton(this, "b_Salir", "&Salir", 3045, 1140, 1170, 375);

    ordenDeTabulacion({f_desde_, f_hasta_, t_DesdeNumero_, T_HastaNumero_, T_DesdeFamilia_, T_HastaFamilia_,
                       t_Deposito_, b_Imprimir_, b_Salir_});
}

void InformeVentas::mostrarNombreDeposito()
{
    // Without a database the box names no place it could look up.
    lbl_NombreDeposito_->setText(mPrincipal::conexion().isOpen()
                                     ? depositos::nombre(mPrincipal::conexion(), t_Deposito_->text().trimmed())
                                     : QString());
}

FiltroMovimientos InformeVentas::filtro() const
{
    return {f_desde_->texto(),       f_hasta_->texto(),       t_DesdeNumero_->text(), T_HastaNumero_->text(),
            T_DesdeFamilia_->text(), T_HastaFamilia_->text(), t_Deposito_->text()};
}

void InformeVentas::imprimir()
{
    // The box shows the storage place that is used.
    t_Deposito_->setText(t_Deposito_->text().trimmed());
    const FiltroMovimientos f = filtro();
    // A date box with blanks or an impossible date would reach the statements.
    if (!sentenciasMovimientos::fechasCompletas(f)) {
        mensajes::mostrar(QStringLiteral("Fecha incorrecta"), QMessageBox::Critical);
        return;
    }
    std::unique_ptr<Recordset> articulos;
    {
        CursorEspera espera;
        articulos = mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(f));
    }
    if (articulos->eof()) {
        mensajes::mostrar(QStringLiteral("No tiene datos para imprimir"), QMessageBox::Information);
        return;
    }
    std::shared_ptr<const Recordset> filas = armarConProgreso(*articulos, f);
    articulos.reset();
    if (!filas)
        return;
    Report &informe = rptMovim();
    vincularInformeMovimientos(informe, std::move(filas), f);
    showReportPreview(informe);
}

std::unique_ptr<Recordset> InformeVentas::armarConProgreso(Recordset &articulos, const FiltroMovimientos &f)
{
    CursorEspera espera;
    QProgressDialog progreso(QStringLiteral("Armando el informe de movimientos..."), QStringLiteral("Cancelar"), 0,
                             int(articulos.rowCount()), this);
    progreso.setObjectName(QStringLiteral("progresoInforme"));
    progreso.setWindowTitle(mensajes::tituloAplicacion);
    progreso.setWindowModality(Qt::WindowModal);
    progreso.setMinimumDuration(500);
    progreso.setAutoReset(false);
    // The box is told a few times a second, not after every article: each telling
    // lets the window process its events.
    QElapsedTimer reloj;
    reloj.start();
    qint64 ultimo = 0;
    return armarInformeMovimientos(articulos, f, [&](qsizetype hechos, qsizetype) {
        if (reloj.elapsed() - ultimo >= 100) {
            ultimo = reloj.elapsed();
            progreso.setValue(int(hechos));
        }
        return !progreso.wasCanceled();
    });
}
