// The main of the test programs that link no widgets.
#include "process_setup.h"
#include "test_main.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    prepararProceso();
    return pruebas::ejecutar(app.arguments());
}
