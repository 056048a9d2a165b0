#include "schema_version.h"
#include "quendra_error.h"

#include <QFile>

namespace versionEsquema {

void exigirConocida(int version, const QString &lugar)
{
    if (version > actual)
        throw QuendraError(QuendraError::BaseMasNueva,
                           QStringLiteral("La base de datos «%1» es de la versión %2, más nueva que la versión %3 "
                                          "que usa este programa: ábrala con un Quendra más nuevo")
                               .arg(lugar, QString::number(version), QString::number(actual)));
}

QByteArray guionVersion(int version, bool servidor)
{
    const QByteArray v = QByteArray::number(version);
    if (!servidor)
        return "PRAGMA user_version=" + v + ";\n";
    // One row: its key can only be true.
    return "CREATE TABLE IF NOT EXISTS quendra_version (unica boolean PRIMARY KEY DEFAULT true CHECK (unica), "
           "version integer NOT NULL);\n"
           "INSERT INTO quendra_version(version) VALUES ("
           + v + ") ON CONFLICT (unica) DO UPDATE SET version = EXCLUDED.version;\n";
}

namespace {
QByteArray guion(const QString &nombre)
{
    QFile f(QStringLiteral(":/db/upgrades/") + nombre);
    if (!f.open(QIODevice::ReadOnly))
        throw QuendraError(QuendraError::BaseNoValida, QStringLiteral("Falta el paso de actualización %1").arg(nombre));
    return f.readAll();
}
} // namespace

std::vector<Paso> pasosDesde(int desde, bool servidor)
{
    std::vector<Paso> pasos;
    const QString carpeta = servidor ? QStringLiteral("postgresql/") : QStringLiteral("sqlite/");
    for (int v = desde + 1; v <= actual; ++v)
        pasos.push_back({v, guion(carpeta + QLatin1String(guiones[v - 2]))});
    return pasos;
}

QByteArray guionPermisosServidor()
{
    return guion(QStringLiteral("postgresql/permisos.sql"));
}

} // namespace versionEsquema
