#pragma once

#include <QLockFile>
#include <memory>

// Whether another copy of the program runs for this user. The lock is held
// while this object lives; a copy that died without cleaning up leaves a stale
// lock, which is recognised by its process id and taken over.
class UnicaInstancia
{
public:
    UnicaInstancia();
    bool otraEnEjecucion() const { return !tomado_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool tomado_ = false;
};
