#include "application_setup.h"
#include "frm_iniciar.h"
#include "informe_ventas.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepararAplicacion(app);
    frmIniciar principal;
    principal.registrarFormulario("mnuInfMovim", [] { return new InformeVentas; });
    if (!principal.cargar())
        return 0;
    return app.exec();
}
