#include "message_recorder.h"

RegistroMensajes::RegistroMensajes()
{
    mensajes::fijarRespondedor([this](const mensajes::Mensaje &m) {
        mostrados_.append(m);
        if (!respuestas_.isEmpty())
            return respuestas_.takeFirst();
        return m.botones.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    });
}

RegistroMensajes::~RegistroMensajes()
{
    mensajes::fijarRespondedor({});
}

QStringList RegistroMensajes::cajas() const
{
    QStringList t;
    for (const auto &m : mostrados_) {
        const char *icono = m.icono == QMessageBox::Information ? "info"
                            : m.icono == QMessageBox::Warning   ? "aviso"
                            : m.icono == QMessageBox::Critical  ? "error"
                            : m.icono == QMessageBox::Question  ? "pregunta"
                                                                : "";
        t << m.titulo + '|' + icono + '|' + m.texto;
    }
    return t;
}

QStringList RegistroMensajes::textos() const
{
    QStringList t;
    for (const auto &m : mostrados_)
        t << m.texto;
    return t;
}
