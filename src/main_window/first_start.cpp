#include "first_start.h"
#include "database_file.h"
#include "messages.h"
#include "mprincipal.h"
#include "quendra_error.h"

#include <QDir>
#include <QFileInfo>

namespace primerInicio {

void ofrecerBaseNueva()
{
    QString archivo;
    try {
        archivo = mPrincipal::archivoBaseDatos();
    } catch (const QuendraError &) {
        return; // a settings file it cannot use: opening the database tells what is wrong
    }
    // A server's database is created by its administrator, never from here.
    if (esDireccionServidor(archivo) || QFileInfo::exists(archivo))
        return;
    const auto respuesta = mensajes::mostrar(
        QStringLiteral("No se encontró la base de datos «quendra.accdb» ni en la carpeta del programa ni en la "
                       "carpeta de datos del usuario.\n¿Desea crear una base de datos vacía en «%1»?")
            .arg(QDir::toNativeSeparators(archivo)),
        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
    if (respuesta != QMessageBox::Yes)
        return;
    try {
        if (!QDir().mkpath(QFileInfo(archivo).absolutePath()))
            throw QuendraError(
                QuendraError::SoloLectura,
                QStringLiteral("No se pudo crear la carpeta «%1»").arg(QFileInfo(archivo).absolutePath()));
        archivoBase::crear(archivo);
    } catch (const QuendraError &e) {
        mensajes::mostrar(e.texto(), QMessageBox::Critical);
    }
}

} // namespace primerInicio
