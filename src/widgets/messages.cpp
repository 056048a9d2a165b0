#include "messages.h"

#include <QApplication>
#include <cstdio>

namespace mensajes {

namespace {
Respondedor &respondedor()
{
    static Respondedor r;
    return r;
}

// Set by the process tests: every box is written to standard error and answered
// with its default button, else its first, so a copy started without an operator still ends.
bool respuestaAutomatica()
{
    static const bool si = qEnvironmentVariableIsSet("QUENDRA_MENSAJES_AUTOMATICOS");
    return si;
}

QMessageBox::StandardButton primerBoton(QMessageBox::StandardButtons b)
{
    for (auto boton : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
        if (b.testFlag(boton))
            return boton;
    return QMessageBox::Ok;
}
} // namespace

QMessageBox::StandardButton mostrar(const QString &texto, QMessageBox::Icon icono, QMessageBox::StandardButtons botones,
                                    const QString &titulo, QMessageBox::StandardButton defecto)
{
    Mensaje m{texto, icono, botones, titulo.isEmpty() ? tituloAplicacion : titulo, defecto};
    if (respondedor())
        return respondedor()(m);
    if (respuestaAutomatica()) {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(m.titulo), qUtf8Printable(m.texto));
        return defecto != QMessageBox::NoButton ? defecto : primerBoton(botones);
    }
    QMessageBox caja(icono, m.titulo, texto, botones, QApplication::activeWindow());
    if (defecto != QMessageBox::NoButton)
        caja.setDefaultButton(defecto);
    return QMessageBox::StandardButton(caja.exec());
}

void fijarRespondedor(Respondedor r)
{
    respondedor() = std::move(r);
}

} // namespace mensajes
