#pragma once

#include <QObject>
#include <functional>
#include <memory>

// Each test class registers itself; the folder's one executable runs them all.
namespace pruebas {
using Fabrica = std::function<std::unique_ptr<QObject>()>;
bool registrar(const char *nombre, Fabrica f);
} // namespace pruebas

#define QUENDRA_TEST(Clase)                                                                                  \
    static const bool registrada_##Clase = pruebas::registrar(#Clase, [] { return std::make_unique<Clase>(); });
