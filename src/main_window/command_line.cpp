#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace lineaDeOrdenes {

namespace {

// Qt's own help text is English until its translations load, which needs the
// application object: the few lines are written here instead.
QString uso(const QList<QCommandLineOption> &opciones)
{
    QString texto = QStringLiteral("Uso: quendra [opción]\n"
                                   "Control de stock de uno o más depósitos.\n\n"
                                   "Opciones:\n");
    for (const QCommandLineOption &o : opciones) {
        const QString nombres = QStringLiteral("-%1, --%2").arg(o.names().first(), o.names().last());
        texto += QStringLiteral("  %1  %2\n").arg(nombres.leftJustified(16), o.description());
    }
    return texto;
}

} // namespace

std::optional<Respuesta> responder(const QStringList &argumentos)
{
    const QCommandLineOption ayuda({QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Muestra estas opciones y termina."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Muestra la versión y termina."));
    QCommandLineParser lector;
    lector.addOptions({ayuda, version});
    const bool leida = lector.parse(argumentos);
    if (!leida || !lector.positionalArguments().isEmpty()) {
        QString motivo = QStringLiteral("argumentos no válidos «%1»").arg(argumentos.mid(1).join(u' '));
        if (!lector.unknownOptionNames().isEmpty())
            motivo = QStringLiteral("opción desconocida «%1»").arg(lector.unknownOptionNames().first());
        else if (!lector.positionalArguments().isEmpty())
            motivo = QStringLiteral("argumento de más «%1»").arg(lector.positionalArguments().first());
        return Respuesta{2, QStringLiteral("quendra: %1\n\n").arg(motivo) + uso({ayuda, version})};
    }
    if (lector.isSet(ayuda))
        return Respuesta{0, uso({ayuda, version})};
    if (lector.isSet(version))
        return Respuesta{0, QStringLiteral("quendra %1\n").arg(QCoreApplication::applicationVersion())};
    return std::nullopt;
}

std::optional<int> atender(int argc, char *argv[])
{
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    const auto respuesta = responder(argumentos);
    if (!respuesta)
        return std::nullopt;
    std::fputs(respuesta->texto.toLocal8Bit().constData(), respuesta->estado == 0 ? stdout : stderr);
    return respuesta->estado;
}

} // namespace lineaDeOrdenes
