#include "about_text.h"
#include "connection.h"
#include "database_summary.h"
#include "quendra_error.h"

#include <QCoreApplication>

namespace {

// "2,4 MB": one decimal with a comma, as the operators read it.
QString tamano(qint64 bytes)
{
    if (bytes < 0)
        return QStringLiteral("desconocido");
    const double megas = double(bytes) / (1024.0 * 1024.0);
    return QString::number(megas, 'f', 1).replace(u'.', u',') + QStringLiteral(" MB");
}

QString textoBase(Connection &conexion)
{
    if (!conexion.isOpen())
        return conexion.archivo().isEmpty()
                   ? QStringLiteral("Base de datos: ninguna abierta\n")
                   : QStringLiteral("Base de datos: ninguna abierta (la última fue «%1»)\n").arg(conexion.archivo());
    try {
        const ResumenBase r = resumirBase(conexion);
        return (r.servidor ? QStringLiteral("Base de datos: servidor %1\n")
                           : QStringLiteral("Base de datos: archivo %1\n"))
                   .arg(r.lugar)
               + QStringLiteral("Versión del esquema: %1\n").arg(r.version)
               + QStringLiteral("Tamaño: %1\n").arg(tamano(r.bytes))
               + QStringLiteral("Artículos: %1\n").arg(r.articulos)
               + QStringLiteral("Movimientos: %1\n").arg(r.movimientos);
    } catch (const QuendraError &e) {
        return QStringLiteral("Base de datos: %1\nNo se pudo leer: %2\n").arg(conexion.archivo(), e.descripcion());
    }
}

} // namespace

QString textoAcercaDe(Connection &conexion)
{
    return QStringLiteral("Quendra %1\n").arg(QCoreApplication::applicationVersion())
           + QStringLiteral("Control de stock de uno o más depósitos.\n"
                            "Licencia: propietaria; © 2026 Equipo de Quendra <equipo@quendra.org>.\n\n")
           + textoBase(conexion) + QStringLiteral("\nBibliotecas: %1\n").arg(versionesBibliotecas());
}
