#include "action_guard.h"
#include "application_setup.h"
#include "command_line.h"
#include "dates.h"
#include "editable_grid.h"
#include "frm_articulo.h"
#include "frm_depositos.h"
#include "frm_etiquetas.h"
#include "frm_familia.h"
#include "frm_grafico_stock.h"
#include "frm_importar.h"
#include "frm_iniciar.h"
#include "frm_minimos.h"
#include "frm_movim.h"
#include "frm_recuento.h"
#include "frm_registro.h"
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
    // The reminder counts again after every posting, transfer, import and minimum saved.
    auto *aviso =
        new AvisoMinimos([](Connection &c) { return minimos::articulosBajoElMinimo(c, fechas::hoy()); }, &principal);
    principal.statusBar()->addWidget(aviso);
    QObject::connect(aviso, &AvisoMinimos::clic, &principal, [&principal] {
        protegido([&] {
            if (auto *f = qobject_cast<FrmReponer *>(principal.mostrarFormulario(QStringLiteral("mnuReponer"))))
                f->imprimir();
        });
    });
    // One chart window, opened from the article form and from the replenishment report's articles.
    const auto grafico = [&principal](const QString &numero) {
        protegido([&] {
            if (auto *f = qobject_cast<FrmGraficoStock *>(principal.mostrarFormulario(QStringLiteral("graficoStock"))))
                f->mostrarArticulo(numero);
        });
    };
    principal.registrarFormulario("graficoStock", [] { return new FrmGraficoStock; });
    principal.registrarFormulario("mnuInfMovim", [] { return new InformeVentas; });
    principal.registrarFormulario("mnuArticulo", [grafico] {
        auto *f = new frmArticulo;
        QObject::connect(f, &frmArticulo::graficoPedido, f, grafico);
        return f;
    });
    principal.registrarFormulario("mnuSeccion", [] { return new FrmFamilia; });
    principal.registrarFormulario("mnuDepositos", [] { return new FrmDepositos; });
    principal.registrarFormulario("mnuImportar", [aviso] {
        auto *f = new FrmImportar;
        QObject::connect(f, &FrmImportar::stockCambiado, aviso, &AvisoMinimos::actualizar);
        return f;
    });
    principal.registrarFormulario("mnuEtiquetas", [] { return new FrmEtiquetas; });
    principal.registrarFormulario("mnuMinimos", [aviso] {
        auto *f = new FrmMinimos;
        QObject::connect(f->grilla(), &EditableGrid::despuesF5, aviso, &AvisoMinimos::actualizar);
        QObject::connect(f, &FrmMinimos::minimosGuardados, aviso, &AvisoMinimos::actualizar);
        return f;
    });
    principal.registrarFormulario("mnuMovim", [aviso] {
        auto *f = new FrmMovim;
        QObject::connect(f, &FrmMovim::stockCambiado, aviso, &AvisoMinimos::actualizar);
        return f;
    });
    principal.registrarFormulario("mnuTransferencia", [aviso] {
        auto *f = new FrmTransferencia;
        QObject::connect(f, &FrmTransferencia::stockCambiado, aviso, &AvisoMinimos::actualizar);
        return f;
    });
    principal.registrarFormulario("mnuRecuento", [aviso] {
        auto *f = new FrmRecuento;
        QObject::connect(f, &FrmRecuento::stockCambiado, aviso, &AvisoMinimos::actualizar);
        return f;
    });
    principal.registrarFormulario("mnuStockDeposito", [] { return new FrmStock(FrmStock::Informe::PorDeposito); });
    principal.registrarFormulario("mnuValorizacion", [] { return new FrmStock(FrmStock::Informe::Valorizacion); });
    principal.registrarFormulario("mnuReponer", [grafico] {
        auto *f = new FrmReponer;
        QObject::connect(f, &FrmReponer::graficoPedido, f, grafico);
        return f;
    });
    principal.registrarFormulario("mnuRegistroCambios", [] { return new FrmRegistroCambios; });
    if (!principal.cargar())
        return 0;
    aviso->actualizar();
    return app.exec();
}
