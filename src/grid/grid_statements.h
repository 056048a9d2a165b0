#pragma once

#include "type_codes.h"
#include <QList>
#include <QString>
#include <QStringList>

// The statements through which the grid writes to its table, built from the
// headers (upper-cased field names), the column type codes and a row's texts.
namespace sentenciasGrilla {

struct Fila
{
    QStringList encabezados;
    QList<TipoCampo> tipos;
    QStringList textos;
};

// UPDATE T SET H(c) <assignment> where <one condition per key column, joined by " and ">.
// Throws QuendraError for an empty key list or a key position outside the row.
QString actualizacion(const QString &tabla, const Fila &fila, int columna, const QList<int> &claves);

// delete from T where <one comparison per column, joined by " and ">.
QString eliminacion(const QString &tabla, const Fila &fila);

// What the cell check says of a text in a column of the given type.
enum class Chequeo { Valida, Vacia, FechaIncorrecta, NumeroIncorrecto };
Chequeo chequear(const QString &texto, TipoCampo tipo);

} // namespace sentenciasGrilla
