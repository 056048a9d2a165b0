#pragma once

#include <QObject>
#include <QStringList>
#include <QTest>
#include <functional>
#include <memory>
#include <tuple>

// Each test class registers itself; the folder's one executable runs them all.
namespace pruebas {
using Fabrica = std::function<std::unique_ptr<QObject>()>;
bool registrar(const char *nombre, Fabrica f);
// Runs every registered class, or those named after each "-c"; the others go to QTest. 0 when all passed.
int ejecutar(QStringList argumentos);

// A data table's columns in one call: columnas<QString, int>("nombre", "filas").
template <class... T, class... N> void columnas(N... nombres)
{
    static_assert(sizeof...(T) == sizeof...(N), "one name for each type");
    (QTest::addColumn<T>(nombres), ...);
}
// The current row's cells of those columns, each checked for its type as QFETCH does.
template <class... T, class... N> std::tuple<T...> fila(N... nombres)
{
    static_assert(sizeof...(T) == sizeof...(N), "one name for each type");
    return {*static_cast<T *>(QTest::qData(nombres, qMetaTypeId<T>()))...};
}
} // namespace pruebas

#define QUENDRA_TEST(Clase)                                                                                            \
    static const bool registrada_##Clase = pruebas::registrar(#Clase, [] { return std::make_unique<Clase>(); });
