#include "application_setup.h"
#include "action_guard.h"
#include "icons.h"
#include "process_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void prepararAplicacion(QApplication &app)
{
    prepararProceso();
    app.setApplicationName(QStringLiteral("Quendra"));
    esperaAlReconectar();
    app.setWindowIcon(iconos::aplicacion());
    // The desktop entry that an installed copy's windows belong to.
    app.setDesktopFileName(QStringLiteral("org.quendra.Quendra"));
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    auto *traductor = new QTranslator(&app);
    if (traductor->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(traductor);
}
