#pragma once

#include "sql_text.h"

// The stock on hand of an article is the sum of its movements over every voucher
// and storage place; the posting and the article form both read it this way.
namespace sqlStock {

inline QString suma(const QString &numero)
{
    return QStringLiteral("select sum(entrada)-sum(salida) as stk from movstk where numero='") + sqlTexto(numero)
           + QLatin1Char('\'');
}

} // namespace sqlStock
