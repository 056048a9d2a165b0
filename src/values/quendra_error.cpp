#include "quendra_error.h"

QuendraError::QuendraError(int numero, QString descripcion)
    : numero_(numero), descripcion_(std::move(descripcion)), what_(texto().toStdString())
{
}

QString QuendraError::texto() const
{
    return QStringLiteral("Error %1 (%2)").arg(numero_).arg(descripcion_);
}
