#pragma once

#include <QString>

// A text that goes between single quotes in a statement, its quotes doubled:
// D'Angelo -> D''Angelo.
inline QString sqlTexto(QString texto)
{
    return texto.replace(QLatin1Char('\''), QStringLiteral("''"));
}

// The same with its quotes around it: D'Angelo -> 'D''Angelo'.
inline QString sqlEntreComillas(const QString &texto)
{
    return QLatin1Char('\'') + sqlTexto(texto) + QLatin1Char('\'');
}
