#include "open_database.h"
#include "messages.h"
#include "mprincipal.h"
#include "quendra_error.h"
#include "startup_check.h"

namespace mPrincipal {

void openBaseDatos()
{
    try {
        conexion().open(archivoBaseDatos());
        revisionInicial::comenzar(conexion());
    } catch (const QuendraError &e) {
        mensajes::mostrar(QStringLiteral("Error %1 (%2) in procedure openBaseDatos of Módulo mPrincipal")
                              .arg(e.numero())
                              .arg(e.descripcion()));
    }
}

} // namespace mPrincipal
