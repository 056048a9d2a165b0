#include "import_command.h"
#include "connection.h"
#include "dates.h"
#include "import_write.h"
#include "quendra_error.h"

#include <cstdio>

namespace {

QString opcion(const QStringList &args, const QString &nombre, const QString &defecto = QString())
{
    const qsizetype i = args.indexOf(nombre);
    if (i < 0)
        return defecto;
    if (i + 1 >= args.size())
        throw QuendraError(QuendraError::ValorFueraDeRango, nombre + QStringLiteral(" necesita un valor"));
    return args[i + 1];
}

void imprimir(const importacion::Revision &r)
{
    using importacion::Veredicto;
    for (const auto &e : r.errores)
        std::printf("fila %d, columna %s: %s\n", r.filas[e.indice].fila,
                    qUtf8Printable(importacion::nombreCampo(e.campo)), qUtf8Printable(e.motivo));
    std::printf("%d nuevos, %d actualizan, %d sin cambios, %d con errores\n", r.cuenta(Veredicto::Nuevo),
                r.cuenta(Veredicto::Actualiza), r.cuenta(Veredicto::SinCambios), r.cuenta(Veredicto::Error));
}

} // namespace

int ordenImportar(const QStringList &args)
{
    importacion::Opciones o;
    o.archivo = args[1];
    o.hoja = opcion(args, QStringLiteral("--hoja"));
    o.deposito = opcion(args, QStringLiteral("--deposito"), o.deposito);
    const QString fecha = opcion(args, QStringLiteral("--fecha"));
    o.fecha = fecha.isEmpty() ? fechas::hoy() : fechas::leer(fecha);
    if (!o.fecha.isValid())
        throw QuendraError(QuendraError::FechaImposible, QStringLiteral("--fecha no es una fecha: ") + fecha);
    o.columnas = importacion::emparejar(importacion::encabezados(o.archivo, o.hoja));
    if (o.columnas[importacion::Campo::Numero] < 0)
        throw QuendraError(QuendraError::ValorFueraDeRango,
                           QStringLiteral("La primera fila no tiene una columna de número de artículo"));
    Connection c;
    c.open(args[2]);
    if (args.contains(QStringLiteral("--revisar"))) {
        const auto r = importacion::revisar(c, o);
        imprimir(r);
        return r.correcta() ? 0 : 1;
    }
    const auto r = importacion::importar(c, o);
    imprimir(r.revision);
    if (!r.escrito) {
        std::printf("No se importó nada.\n");
        return 1;
    }
    const auto &s = r.resumen;
    if (s.copia.isEmpty() && s.agregados + s.actualizados + s.familias == 0 && s.comprobantes.isEmpty()) {
        std::printf("Nada que cambiar.\n");
        return 0;
    }
    std::printf("%d artículos agregados, %d actualizados, %d familias agregadas\n", s.agregados, s.actualizados,
                s.familias);
    for (const QString &comprobante : s.comprobantes)
        std::printf("Stock inicial en el comprobante %s\n", qUtf8Printable(comprobante));
    if (!s.copia.isEmpty())
        std::printf("Copia anterior en %s; para volver a ella:\n%s\n", qUtf8Printable(s.copia),
                    qUtf8Printable(s.restaurar));
    return 0;
}
