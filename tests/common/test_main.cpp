// The main of the test programs that show windows.
#include "test_main.h"
#include "application_setup.h"

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // What the windows remember (their places, the export folders) goes to a folder of the run's own.
    QTemporaryDir ajustes;
    qputenv("XDG_CONFIG_HOME", ajustes.path().toUtf8());
    QApplication app(argc, argv);
    prepararAplicacion(app);
    return pruebas::ejecutar(app.arguments());
}
