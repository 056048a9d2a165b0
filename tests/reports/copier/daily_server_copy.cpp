// A program starting on a server, reduced to its day's copy, so that a test can
// start two at once. Arguments: the server's address, the folder of copies and
// the day (dd-mm-yyyy). It writes "listo", starts on a line of input, and ends
// writing the copy it made ("copia PATH", or "copia" when it made none).
#include "dates.h"
#include "process_setup.h"
#include "quendra_error.h"
#include "server_copy.h"
#include "start_signal.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    prepararProceso();
    const QStringList args = app.arguments();
    esperarLaSalida();
    try {
        const QString copia = copiaServidor::delDia(args.value(1), args.value(2), fechas::leer(args.value(3)));
        std::printf("copia %s\n", qPrintable(copia));
    } catch (const QuendraError &e) {
        std::printf("%s\n", qPrintable(e.texto()));
        return 1;
    }
    return 0;
}
