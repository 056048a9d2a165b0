#pragma once

#include <QThread>
#include <memory>

// A thread owned by one object: when the owner goes or a new thread takes its
// place, the old one is waited for before it is deleted, never left running.
struct EsperarYBorrar
{
    void operator()(QThread *hilo) const
    {
        hilo->wait();
        delete hilo;
    }
};
using HiloPropio = std::unique_ptr<QThread, EsperarYBorrar>;
