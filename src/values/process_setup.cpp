#include "process_setup.h"

#include <QCoreApplication>
#include <clocale>

void prepararProceso()
{
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENDRA_VERSION));
}
