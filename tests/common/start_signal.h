#pragma once
// The start of a process that a test runs twice at once: it writes "listo" when
// it is ready, then waits for a line of input, so that both begin together.
#include <cstdio>
#include <iostream>
#include <string>

inline void esperarLaSalida()
{
    std::puts("listo");
    std::fflush(stdout);
    std::string inicio;
    std::getline(std::cin, inicio);
}
