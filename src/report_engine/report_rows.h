#pragma once

#include "numbers.h"
#include "recordset.h"

#include <QVariant>
#include <cstdint>
#include <initializer_list>

// The rows a report builds itself in memory, and how their amounts are shown.
namespace filasInforme {

// An amount kept in hundredths, as the report shows it.
inline double enCentesimas(int64_t centesimas)
{
    return double(centesimas) / 100.0;
}

// An amount shown to the hundredth, rounded as Diezmilesimos rounds.
inline double redondeado(numeros::Diezmilesimos d)
{
    return enCentesimas(d.centesimas());
}

// Appends a row holding the values in column order.
inline void agregarFila(Recordset &rs, const std::initializer_list<QVariant> &valores)
{
    rs.addNew();
    int i = 0;
    for (const QVariant &v : valores)
        rs.setValue(i++, v);
    rs.update();
}

} // namespace filasInforme
