#include "application_setup.h"
#include "frm_iniciar.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepararAplicacion(app);
    frmIniciar principal;
    if (!principal.cargar())
        return 0;
    return app.exec();
}
