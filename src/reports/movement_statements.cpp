#include "movement_statements.h"
#include "dates.h"
#include "sql_text.h"

namespace sentenciasMovimientos {

namespace {
// A complete entry of the date box is a possible date written back exactly as
// it was typed: dd-mm-yyyy, ten characters.
bool fechaCompleta(const QString &texto)
{
    return fechas::texto(fechas::leer(texto)) == texto && !texto.isEmpty();
}
} // namespace

bool fechasCompletas(const FiltroMovimientos &filtro)
{
    return fechaCompleta(filtro.desde) && fechaCompleta(filtro.hasta);
}

QString seleccionArticulos(const FiltroMovimientos &filtro)
{
    return QStringLiteral("select * from articulo where numero >='") + sqlTexto(filtro.desdeNumero)
           + QStringLiteral("' and numero<='") + sqlTexto(filtro.hastaNumero) + QStringLiteral("' and codigo>='")
           + sqlTexto(filtro.desdeFamilia) + QStringLiteral("' and codigo<='") + sqlTexto(filtro.hastaFamilia)
           + QStringLiteral("' order by numero");
}

PorArticulo::PorArticulo(const FiltroMovimientos &filtro)
    : saldo_(QStringLiteral("select sum(Entrada)-Sum(Salida) as Saldo from movstk where fecha <#") + filtro.desde
                 + QStringLiteral("# and deposito like '%") + sqlTexto(filtro.deposito)
                 + QStringLiteral("%' and numero='"),
             QStringLiteral("' ")),
      movimientos_(QStringLiteral("select comprobante,tipomov,fecha,numero,costo,Entrada,Salida from movstk where ")
                       + QStringLiteral("fecha >=#") + fechas::texto(fechas::leer(filtro.desde))
                       + QStringLiteral("# and fecha<=#") + fechas::texto(fechas::leer(filtro.hasta))
                       + QStringLiteral("# and deposito like '%") + sqlTexto(filtro.deposito)
                       + QStringLiteral("%' and Numero='"),
                   QStringLiteral("'"))
{
}

} // namespace sentenciasMovimientos
