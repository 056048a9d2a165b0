// The number a new voucher takes.
#include "connection.h"
#include "numbers.h"
#include "posting_steps.h"
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

namespace pasos {

DosNuevos tomarDosNuevos(Connection &conexion, Tomados &tomados, QString &ultimo)
{
    const auto nuevo = [](const QString &numero) {
        Linea linea;
        linea.comprobante = numero;
        linea.nuevo = true;
        return linea;
    };
    DosNuevos r;
    const QString propuesto = siguienteComprobante(conexion, ultimo);
    if (propuesto.isEmpty())
        return r;
    r.primero = tomarComprobante(conexion, nuevo(propuesto), tomados, ultimo);
    if (r.primero.isEmpty())
        return r;
    const double siguiente = numeros::valor(r.primero) + 1;
    if (siguiente > mayorComprobante) {
        ultimo = r.primero;
        return r;
    }
    // Keyed by the first one's number: lines asking for it go there.
    r.segundo =
        tomarComprobante(conexion, nuevo(numeros::rellenarCeros(numeros::numeral(siguiente), 8)), tomados, ultimo);
    return r;
}

} // namespace pasos

} // namespace operacionesStock
