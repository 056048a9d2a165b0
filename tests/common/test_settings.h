#pragma once

#include "database_settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The settings file kept in a folder of the test's own while the object lives, never the user's: the
// configuration folder follows XDG_CONFIG_HOME, which may also name a folder that cannot be made.
class AjustesDePrueba
{
public:
    explicit AjustesDePrueba(const QString &carpeta = QString())
        : habia_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")), antes_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", (carpeta.isEmpty() ? carpeta_.path() : carpeta).toUtf8());
    }
    ~AjustesDePrueba()
    {
        if (habia_)
            qputenv("XDG_CONFIG_HOME", antes_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    AjustesDePrueba(const AjustesDePrueba &) = delete;
    AjustesDePrueba &operator=(const AjustesDePrueba &) = delete;

    // The whole text of the file, or its replacement.
    QString texto() const
    {
        QFile f(ajustesBase::archivoAjustes());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    void escribir(const QString &texto) const
    {
        QDir().mkpath(QFileInfo(ajustesBase::archivoAjustes()).path());
        QFile f(ajustesBase::archivoAjustes());
        if (!f.open(QIODevice::WriteOnly) || f.write(texto.toUtf8()) < 0)
            qFatal("no se pudo escribir %s", qPrintable(f.fileName()));
    }

private:
    QTemporaryDir carpeta_;
    bool habia_;
    QByteArray antes_;
};
