// The main of the test programs that show windows.
#include "test_main.h"
#include "application_setup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepararAplicacion(app);
    return pruebas::ejecutar(app.arguments());
}
