#include "action_guard.h"
#include "messages.h"
#include "quendra_error.h"
#include "reconnect_notice.h"

#include <QThread>

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

void esperaAlReconectar()
{
    avisoReconexion::fijar([](bool empieza) {
        // The day's copy reconnects on a thread of its own, which the operator does not wait for.
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            return;
        if (empieza)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
}
