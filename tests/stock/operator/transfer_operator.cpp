// One operator transferring goods in a process of its own, so that a test can
// have two do it on one database at once. Arguments: the database, then N
// ARTICULO ORIGEN DESTINO: N transfers of 1 unit of the article, each posted
// alone. It writes "listo" once connected, starts on a line of input, and ends
// writing "aceptadas K".
#include "connection.h"
#include "process_setup.h"
#include "start_signal.h"
#include "transfer_operations.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    prepararProceso();
    const QStringList args = app.arguments();
    Connection conexion;
    conexion.open(args.value(1));
    esperarLaSalida();

    int aceptadas = 0;
    for (int i = 0; i < args.value(2).toInt(); ++i) {
        transferencias::Transferencia t;
        t.fecha = QDate(2026, 12, 6);
        t.origen = args.value(4);
        t.destino = args.value(5);
        t.lineas = {{args.value(3), QStringLiteral("0001"), 1, 1}};
        aceptadas += transferencias::registrar(conexion, t).rechazo == transferencias::Rechazo::Ninguno;
    }
    std::printf("aceptadas %d\n", aceptadas);
    return 0;
}
