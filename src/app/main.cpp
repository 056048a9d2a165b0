#include "application_setup.h"
#include "frm_articulo.h"
#include "frm_depositos.h"
#include "frm_familia.h"
#include "frm_importar.h"
#include "frm_iniciar.h"
#include "frm_movim.h"
#include "frm_stock.h"
#include "informe_ventas.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepararAplicacion(app);
    frmIniciar principal;
    principal.registrarFormulario("mnuInfMovim", [] { return new InformeVentas; });
    principal.registrarFormulario("mnuArticulo", [] { return new frmArticulo; });
    principal.registrarFormulario("mnuSeccion", [] { return new FrmFamilia; });
    principal.registrarFormulario("mnuDepositos", [] { return new FrmDepositos; });
    principal.registrarFormulario("mnuImportar", [] { return new FrmImportar; });
    principal.registrarFormulario("mnuMovim", [] { return new FrmMovim; });
    principal.registrarFormulario("mnuStockDeposito", [] { return new FrmStock(FrmStock::Informe::PorDeposito); });
    principal.registrarFormulario("mnuValorizacion", [] { return new FrmStock(FrmStock::Informe::Valorizacion); });
    if (!principal.cargar())
        return 0;
    return app.exec();
}
