#include "postgresql_link.h"
#include "reconnect_notice.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QThread>
#include <libpq-fe.h>

namespace avisoReconexion {

namespace {
QMutex guarda;
std::function<void(bool)> &actual()
{
    static std::function<void(bool)> aviso;
    return aviso;
}
} // namespace

void fijar(std::function<void(bool)> aviso)
{
    QMutexLocker l(&guarda);
    actual() = std::move(aviso);
}

void avisar(bool empieza)
{
    std::function<void(bool)> aviso;
    {
        QMutexLocker l(&guarda);
        aviso = actual();
    }
    if (aviso)
        aviso(empieza);
}

} // namespace avisoReconexion

namespace enlacePg {

QString nombreServidor(pg_conn *pg)
{
    return QStringLiteral("%1:%2/%3")
        .arg(QString::fromUtf8(PQhost(pg)), QString::fromUtf8(PQport(pg)), QString::fromUtf8(PQdb(pg)));
}

bool restablecer(pg_conn *pg, std::chrono::milliseconds plazo)
{
    avisoReconexion::avisar(true);
    QElapsedTimer reloj;
    reloj.start();
    // A restarting server takes a second or two to accept sessions: the first
    // tries come quickly, the later ones further apart.
    unsigned long pausa = 200;
    bool vuelto = false;
    for (;;) {
        PQreset(pg);
        vuelto = PQstatus(pg) == CONNECTION_OK;
        if (vuelto || std::chrono::milliseconds(reloj.elapsed() + qint64(pausa)) > plazo)
            break;
        QThread::msleep(pausa);
        pausa = std::min(pausa * 2, 2000ul);
    }
    avisoReconexion::avisar(false);
    return vuelto;
}

} // namespace enlacePg
