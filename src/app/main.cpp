#include "application_setup.h"
#include "command_line.h"
#include "frm_articulo.h"
#include "frm_depositos.h"
#include "frm_etiquetas.h"
#include "frm_familia.h"
#include "frm_importar.h"
#include "frm_iniciar.h"
#include "frm_movim.h"
#include "frm_stock.h"
#include "frm_transferencia.h"
#include "informe_ventas.h"
#include "process_setup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    prepararProceso();
    if (const auto estado = lineaDeOrdenes::atender(argc, argv))
        return *estado;
    QApplication app(argc, argv);
    prepararAplicacion(app);
    frmIniciar principal;
    principal.registrarFormulario("mnuInfMovim", [] { return new InformeVentas; });
    principal.registrarFormulario("mnuArticulo", [] { return new frmArticulo; });
    principal.registrarFormulario("mnuSeccion", [] { return new FrmFamilia; });
    principal.registrarFormulario("mnuDepositos", [] { return new FrmDepositos; });
    principal.registrarFormulario("mnuImportar", [] { return new FrmImportar; });
    principal.registrarFormulario("mnuEtiquetas", [] { return new FrmEtiquetas; });
    principal.registrarFormulario("mnuMovim", [] { return new FrmMovim; });
    principal.registrarFormulario("mnuTransferencia", [] { return new FrmTransferencia; });
    principal.registrarFormulario("mnuStockDeposito", [] { return new FrmStock(FrmStock::Informe::PorDeposito); });
    principal.registrarFormulario("mnuValorizacion", [] { return new FrmStock(FrmStock::Informe::Valorizacion); });
    if (!principal.cargar())
        return 0;
    return app.exec();
}
