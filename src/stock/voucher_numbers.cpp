// The number a new voucher takes.
#include "connection.h"
#include "numbers.h"
#include "stock_operations.h"
#include "stock_sql.h"

namespace operacionesStock {

namespace {
// Voucher numbers have eight digits.
constexpr double mayorComprobante = 99999999;
} // namespace

QString siguienteComprobante(Connection &conexion, QString &ultimo)
{
    auto rs = conexion.execute(sqlStock::ultimoComprobante());
    if (rs->eof() || rs->field(QStringLiteral("ultimo")).isNull())
        return QStringLiteral("00000001");
    ultimo = rs->field(QStringLiteral("ultimo")).text();
    const double siguiente = numeros::valor(ultimo) + 1;
    // Zero-filling 100000000 would give 00000000 out as a new number.
    if (siguiente > mayorComprobante)
        return QString();
    return numeros::rellenarCeros(numeros::numeral(siguiente), 8);
}

} // namespace operacionesStock
