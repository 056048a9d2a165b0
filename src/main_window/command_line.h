#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The program's own arguments, read before any window opens, so that --help
// and --version answer on a terminal without a desktop.
namespace lineaDeOrdenes {

struct Respuesta
{
    int estado;    // the program's exit status
    QString texto; // for standard output when the status is 0, for standard error otherwise
};

// Nothing when the program should start; otherwise what it answers and ends
// with: the usage, the version, or an unknown option or argument with the usage.
std::optional<Respuesta> responder(const QStringList &argumentos);

// The same for the process's arguments, the answer written out: the status to
// end with, or nothing to start.
std::optional<int> atender(int argc, char *argv[]);

} // namespace lineaDeOrdenes
