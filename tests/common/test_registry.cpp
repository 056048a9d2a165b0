#include "test_main.h"

#include <QTest>
#include <utility>
#include <vector>

static std::vector<std::pair<const char *, pruebas::Fabrica>> &registro()
{
    static std::vector<std::pair<const char *, pruebas::Fabrica>> r;
    return r;
}

bool pruebas::registrar(const char *nombre, Fabrica f)
{
    registro().emplace_back(nombre, std::move(f));
    return true;
}

// Runs every registered class, or those named after each "-c"; other arguments go to QTest.
int pruebas::ejecutar(QStringList args)
{
    QStringList solo;
    for (int i; (i = int(args.indexOf(QStringLiteral("-c")))) > 0 && i + 1 < args.size();) {
        solo << args[i + 1];
        args.remove(i, 2);
    }
    // Qt Test's crash handler, installed again for each class, loops on an abort once a class has run: a
    // failed qFatal printed "Received signal 6" over and over. Without it, the process ends with its message.
    args << QStringLiteral("-nocrashhandler");
    int fallas = 0;
    for (auto &[nombre, fabrica] : registro())
        if (solo.isEmpty() || solo.contains(QLatin1String(nombre)))
            fallas += QTest::qExec(fabrica().get(), args);
    return fallas == 0 ? 0 : 1;
}
