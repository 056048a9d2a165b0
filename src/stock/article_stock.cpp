#include "article_stock.h"
#include "connection.h"
#include "numbers.h"
#include "stock_sql.h"

namespace stockArticulo {

QString deMovimientos(Connection &conexion, const QString &numero)
{
    return numeros::numeral15(
        conexion.execute(sqlStock::suma(numero))->field(QStringLiteral("stk")).value().toDouble());
}

void reescribir(Connection &conexion, const QString &numero)
{
    conexion.execute(sqlStock::actualizarStock(numero, deMovimientos(conexion, numero)));
}

} // namespace stockArticulo
