#include "catalogue_record.h"
#include "change_record.h"
#include "recordset.h"

namespace registroCatalogo {

void anotarGuardado(Connection &conexion, Clase clase, const QString &clave, const Recordset &existente,
                    const QStringList &columnas, const QStringList &valores)
{
    using registroCambios::Tipo;
    const bool articulo = clase == Clase::Articulo;
    registroCambios::Cambio c{articulo ? Tipo::ArticuloAlta : Tipo::FamiliaAlta, {}, {}, {}, {}, {}};
    (articulo ? c.numero : c.objeto) = clave;
    if (existente.eof()) {
        c.nuevo = registroCambios::valores(columnas, valores);
    } else {
        c.tipo = articulo ? Tipo::ArticuloCambio : Tipo::FamiliaCambio;
        QStringList anteriores;
        for (const QString &columna : columnas)
            anteriores << existente.field(columna).text();
        const auto d = registroCambios::diferencias(columnas, anteriores, valores);
        // Saved again as it was: nothing changed, nothing to record.
        if (d.nuevo.isEmpty())
            return;
        c.anterior = d.anterior;
        c.nuevo = d.nuevo;
    }
    registroCambios::anotar(conexion, c);
}

} // namespace registroCatalogo
