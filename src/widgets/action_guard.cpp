#include "action_guard.h"
#include "messages.h"
#include "quendra_error.h"

void protegido(const std::function<void()> &accion)
{
    try {
        accion();
    } catch (const QuendraError &e) {
        mensajes::mostrar(e.texto(), QMessageBox::Critical);
    } catch (const std::exception &e) {
        mensajes::mostrar(QStringLiteral("Error (%1)").arg(QString::fromLocal8Bit(e.what())), QMessageBox::Critical);
    }
}
