#include "grid_record.h"
#include "change_record.h"

namespace registroGrilla {

namespace {

using registroCambios::Tipo;

QString textoClave(const sentenciasGrilla::Fila &fila, const QList<int> &claves)
{
    QStringList partes;
    for (int k : claves)
        partes << fila.textos.value(k);
    return partes.join(QLatin1Char(' '));
}

bool esTabla(const QString &tabla, const char *nombre)
{
    return tabla.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0;
}

// The text of the named column, when the grid shows it.
QString textoDe(const sentenciasGrilla::Fila &fila, const char *nombre)
{
    for (qsizetype i = 0; i < fila.encabezados.size(); ++i)
        if (fila.encabezados[i].compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0)
            return fila.textos.value(i);
    return {};
}

} // namespace

void anotarCelda(Connection &conexion, const QString &tabla, const sentenciasGrilla::Fila &cargada,
                 const sentenciasGrilla::Fila &guardada, int columna, const QList<int> &claves)
{
    const QString clave = textoClave(cargada, claves);
    registroCambios::Cambio c{
        Tipo::CeldaGrilla, {}, {}, {}, cargada.textos.value(columna), guardada.textos.value(columna)};
    c.objeto = tabla + QLatin1Char('.') + guardada.encabezados.value(columna).toLower() + QStringLiteral(" (") + clave
               + QLatin1Char(')');
    if (esTabla(tabla, "articulo"))
        c.numero = textoDe(cargada, "numero");
    registroCambios::anotar(conexion, c);
}

void anotarBaja(Connection &conexion, const QString &tabla, const sentenciasGrilla::Fila &fila,
                const QList<int> &claves)
{
    const QString clave = textoClave(fila, claves);
    registroCambios::Cambio c{Tipo::FilaBaja,
                              {},
                              {},
                              tabla + QStringLiteral(" (") + clave + QLatin1Char(')'),
                              registroCambios::valores(fila.encabezados, fila.textos),
                              {}};
    if (esTabla(tabla, "articulo")) {
        c.tipo = Tipo::ArticuloBaja;
        c.numero = textoDe(fila, "numero");
        c.objeto.clear();
    } else if (esTabla(tabla, "familia")) {
        c.tipo = Tipo::FamiliaBaja;
        c.objeto = textoDe(fila, "codigo");
    }
    registroCambios::anotar(conexion, c);
}

} // namespace registroGrilla
