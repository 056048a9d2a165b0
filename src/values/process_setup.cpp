#include "process_setup.h"

#include <clocale>

void prepararProceso()
{
    std::setlocale(LC_NUMERIC, "C");
}
