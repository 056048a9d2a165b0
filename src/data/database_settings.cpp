#include "database_settings.h"
#include "connection.h"
#include "postgresql_engine.h"
#include "quendra_error.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace ajustesBase {

QString archivoAjustes()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("quendra.conf"));
}

QString servidor()
{
    const QString archivo = archivoAjustes();
    if (!QFileInfo::exists(archivo))
        return {};
    QSettings ajustes(archivo, QSettings::IniFormat);
    const QString direccion = ajustes.value(QStringLiteral("base/servidor")).toString().trimmed();
    if (direccion.isEmpty())
        return {};
    if (!esDireccionServidor(direccion))
        throw QuendraError(
            QuendraError::BaseNoValida,
            QStringLiteral("En «%1», servidor debe ser una dirección postgresql://usuario@host:puerto/base")
                .arg(archivo));
    if (direccionSinClave(direccion) != direccion)
        throw QuendraError(
            QuendraError::BaseNoValida,
            QStringLiteral("En «%1» la dirección del servidor lleva la contraseña: guárdela en ~/.pgpass "
                           "o en PGPASSWORD, no en ese archivo")
                .arg(archivo));
    return direccion;
}

namespace {
const QString claveDeposito = QStringLiteral("puesto/deposito");
}

QString depositoDelPuesto()
{
    const QString codigo = QSettings(archivoAjustes(), QSettings::IniFormat).value(claveDeposito).toString().trimmed();
    return codigo.isEmpty() ? QStringLiteral("01") : codigo;
}

void fijarDepositoDelPuesto(const QString &codigo)
{
    QSettings ajustes(archivoAjustes(), QSettings::IniFormat);
    ajustes.setValue(claveDeposito, codigo);
    ajustes.sync();
    if (ajustes.status() != QSettings::NoError)
        throw QuendraError(QuendraError::SoloLectura,
                           QStringLiteral("No se pudo guardar el depósito de este puesto en «%1»")
                               .arg(QDir::toNativeSeparators(ajustes.fileName())));
}

QVariant recordado(const QString &clave)
{
    return QSettings(archivoAjustes(), QSettings::IniFormat).value(QStringLiteral("recordado/") + clave);
}

void recordar(const QString &clave, const QVariant &valor)
{
    QSettings(archivoAjustes(), QSettings::IniFormat).setValue(QStringLiteral("recordado/") + clave, valor);
}

} // namespace ajustesBase
