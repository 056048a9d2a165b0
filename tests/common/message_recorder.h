#pragma once

#include "messages.h"

#include <QList>

// Answers the program's message boxes during a test and keeps what they said.
// Answers queued with responder() are used in order; after them every box gets Yes/Ok.
class RegistroMensajes
{
public:
    RegistroMensajes();
    ~RegistroMensajes();

    void responder(QMessageBox::StandardButton b) { respuestas_.append(b); }
    const QList<mensajes::Mensaje> &mostrados() const { return mostrados_; }
    QStringList textos() const;
    // Each box as "title|icon|text", the icon one of info, aviso, error or "" for none.
    QStringList cajas() const;
    void limpiar() { mostrados_.clear(); }

private:
    QList<mensajes::Mensaje> mostrados_;
    QList<QMessageBox::StandardButton> respuestas_;
};
