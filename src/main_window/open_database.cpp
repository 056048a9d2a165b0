#include "open_database.h"
#include "messages.h"
#include "mprincipal.h"
#include "quendra_error.h"
#include "schema_upgrade.h"
#include "startup_check.h"

namespace mPrincipal {

namespace {

// An older database is brought to the program's version, and the operator told
// once. One that cannot be upgraded is closed: the windows expect the new tables.
void actualizarEsquema()
{
    try {
        const auto r = actualizacionEsquema::actualizar(conexion());
        if (!r.hecha())
            return;
        QString texto = QStringLiteral("La base de datos «%1» se actualizó de la versión %2 a la versión %3.")
                            .arg(conexion().archivo(), QString::number(r.desde), QString::number(r.hasta));
        if (!r.copia.isEmpty())
            texto += QStringLiteral(" La copia de antes de actualizarla quedó en «%1».").arg(r.copia);
        mensajes::mostrar(texto, QMessageBox::Information);
    } catch (const QuendraError &) {
        conexion().close();
        throw;
    }
}

} // namespace

void openBaseDatos()
{
    try {
        conexion().open(archivoBaseDatos());
        revisionInicial::comenzar(conexion());
        actualizarEsquema();
    } catch (const QuendraError &e) {
        mensajes::mostrar(QStringLiteral("Error %1 (%2) in procedure openBaseDatos of Módulo mPrincipal")
                              .arg(e.numero())
                              .arg(e.descripcion()));
    }
}

} // namespace mPrincipal
