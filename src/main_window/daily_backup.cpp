#include "daily_backup.h"
#include "backup.h"
#include "messages.h"
#include "quendra_error.h"
#include "server_copy.h"

#include <QThread>

CopiaDiaria::CopiaDiaria(QObject *parent) : QObject(parent) { }

bool CopiaDiaria::enCurso() const
{
    return hilo_ && !hilo_->isFinished();
}

void CopiaDiaria::iniciar(const QString &archivoBase, const QDate &hoy)
{
    enHilo([archivoBase, hoy] { return copias::copiaDelDia(archivoBase, hoy); });
}

void CopiaDiaria::iniciarServidor(const QString &direccion, const QString &carpetaCopias, const QDate &hoy)
{
    enHilo([direccion, carpetaCopias, hoy] { return copiaServidor::delDia(direccion, carpetaCopias, hoy); });
}

void CopiaDiaria::enHilo(std::function<QString()> copiar)
{
    if (enCurso())
        return;
    hilo_.reset();
    copia_.clear();
    error_.clear();
    hilo_.reset(QThread::create([this, copiar = std::move(copiar)] {
        try {
            copia_ = copiar();
        } catch (const QuendraError &e) {
            error_ = e.texto();
        } catch (const std::exception &e) {
            error_ = QString::fromLocal8Bit(e.what());
        }
    }));
    // Read on this thread once the copy's thread has finished with them.
    connect(hilo_.get(), &QThread::finished, this, [this] {
        if (!error_.isEmpty())
            mensajes::mostrar(QStringLiteral("No se pudo hacer la copia de seguridad del día: %1").arg(error_),
                              QMessageBox::Warning);
        emit terminada(copia_, error_);
    });
    hilo_->start(QThread::LowPriority);
}
