#include "database_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ubicacionBase {

QString elegir(const QString &carpetaPrograma, const QString &carpetaDatos)
{
    const QString portatil = QDir(carpetaPrograma).filePath(nombreArchivo);
    if (QFileInfo(portatil).isFile())
        return portatil;
    return QDir(carpetaDatos).filePath(nombreArchivo);
}

QString carpetaDatos()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

} // namespace ubicacionBase
