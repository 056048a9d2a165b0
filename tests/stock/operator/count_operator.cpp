// One operator entering lines into a count in a process of its own, so that a
// test can have two do it on one database at once. Arguments: the database, the
// count, the first article number and how many articles from it to count 1 of
// each, then a shared article and how many times to add 1 to it. It writes
// "listo" once connected, starts on a line of input, and ends writing "hecho".
#include "connection.h"
#include "numbers.h"
#include "process_setup.h"
#include "start_signal.h"
#include "stock_counts.h"

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

    const int recuento = args.value(2).toInt(), primero = args.value(3).toInt(), propios = args.value(4).toInt();
    const int veces = args.value(6).toInt();
    for (int i = 0; i < std::max(propios, veces); ++i) {
        if (i < propios)
            recuentos::anotar(conexion, recuento, numeros::rellenarCeros(QString::number(primero + i), 6), 1,
                              recuentos::Modo::Sumar);
        if (i < veces)
            recuentos::anotar(conexion, recuento, args.value(5), 1, recuentos::Modo::Sumar);
    }
    std::puts("hecho");
    return 0;
}
