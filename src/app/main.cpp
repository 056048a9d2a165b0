#include "action_guard.h"
#include "application_setup.h"
#include "command_line.h"
#include "dates.h"
#include "editable_grid.h"
#include "frm_articulo.h"
#include "frm_depositos.h"
#include "frm_etiquetas.h"
#include "frm_familia.h"
#include "frm_importar.h"
#include "frm_iniciar.h"
#include "frm_minimos.h"
#include "frm_movim.h"
#include "frm_recuento.h"
#include "frm_reponer.h"
#include "frm_stock.h"
#include "frm_transferencia.h"
#include "informe_ventas.h"
#include "minimum_notice.h"
#include "minimum_stock.h"
#include "process_setup.h"

#include <QApplication>
#include <QStatusBar>

int main(int argc, char *argv[])
{
    prepararProceso();
    if (const auto estado = lineaDeOrdenes::atender(argc, argv))
        return *estado;
    QApplication app(argc, argv);
    prepararAplicacion(app);
    frmIniciar principal;
    // The reminder counts again after every posting and every minimum saved.
    auto *aviso =
        new AvisoMinimos([](Connection &c) { return minimos::articulosBajoElMinimo(c, fechas::hoy()); }, &principal);
    principal.statusBar()->addWidget(aviso);
    QObject::connect(aviso, &AvisoMinimos::clic, &principal, [&principal] {
        protegido([&] {
            if (auto *f = qobject_cast<FrmReponer *>(principal.mostrarFormulario(QStringLiteral("mnuReponer"))))
                f->imprimir();
        });
    });
    principal.registrarFormulario("mnuInfMovim", [] { return new InformeVentas; });
    principal.registrarFormulario("mnuArticulo", [] { return new frmArticulo; });
    principal.registrarFormulario("mnuSeccion", [] { return new FrmFamilia; });
    principal.registrarFormulario("mnuDepositos", [] { return new FrmDepositos; });
    principal.registrarFormulario("mnuImportar", [] { return new FrmImportar; });
    principal.registrarFormulario("mnuEtiquetas", [] { return new FrmEtiquetas; });
    principal.registrarFormulario("mnuMinimos", [aviso] {
        auto *f = new FrmMinimos;
        QObject::connect(f->grilla(), &EditableGrid::despuesF5, aviso, &AvisoMinimos::actualizar);
        return f;
    });
    principal.registrarFormulario("mnuMovim", [aviso] {
        auto *f = new FrmMovim;
        QObject::connect(f, &FrmMovim::stockCambiado, aviso, &AvisoMinimos::actualizar);
        return f;
    });
    principal.registrarFormulario("mnuTransferencia", [] { return new FrmTransferencia; });
    principal.registrarFormulario("mnuRecuento", [aviso] {
        auto *f = new FrmRecuento;
        QObject::connect(f, &FrmRecuento::stockCambiado, aviso, &AvisoMinimos::actualizar);
        return f;
    });
    principal.registrarFormulario("mnuStockDeposito", [] { return new FrmStock(FrmStock::Informe::PorDeposito); });
    principal.registrarFormulario("mnuValorizacion", [] { return new FrmStock(FrmStock::Informe::Valorizacion); });
    principal.registrarFormulario("mnuReponer", [] { return new FrmReponer; });
    if (!principal.cargar())
        return 0;
    aviso->actualizar();
    return app.exec();
}
