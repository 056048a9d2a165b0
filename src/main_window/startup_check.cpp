#include "startup_check.h"
#include "backup.h"
#include "connection.h"
#include "messages.h"
#include "owned_thread.h"
#include "quendra_error.h"
#include "quick_check.h"

#include <QCoreApplication>
#include <QThread>
#include <sqlite3.h>
#include <utility>

namespace revisionInicial {

namespace {

struct Estado
{
    std::atomic<bool> cancelar{false};
    HiloPropio hilo;
    qint64 umbral = 0;
    // While a background check runs, what waits for the file to be found sound.
    bool revisando = false;
    std::function<void()> siguiente;
};

Estado &estado()
{
    static Estado e;
    return e;
}

QuendraError danio(const QString &archivo, const QString &problema)
{
    return QuendraError(SQLITE_CORRUPT, QStringLiteral("La base de datos «%1» está dañada: %2. ").arg(archivo, problema)
                                            + copias::comoRestaurar(archivo));
}

// On the user-interface thread, between two actions: the connection may have
// been closed or opened on another file meanwhile.
void informar(Connection &conexion, const QString &archivo, const QString &problema)
{
    if (problema.isEmpty() || !conexion.isOpen() || conexion.archivo() != archivo)
        return;
    conexion.close();
    mensajes::mostrar(danio(archivo, problema).texto(), QMessageBox::Critical);
}

// The background check's end, on the user-interface thread.
void terminar(Connection &conexion, const QString &archivo, const QString &problema)
{
    Estado &e = estado();
    e.revisando = false;
    const auto siguiente = std::exchange(e.siguiente, {});
    informar(conexion, archivo, problema);
    if (siguiente && problema.isEmpty() && conexion.isOpen() && conexion.archivo() == archivo)
        siguiente();
}

void enSegundoPlano(Connection &conexion)
{
    Estado &e = estado();
    e.cancelar = false;
    e.revisando = true;
    const QString archivo = conexion.archivo();
    e.hilo.reset(QThread::create([archivo, &conexion] {
        const QString problema = revisionRapida::revisarArchivo(archivo, &estado().cancelar);
        if (!estado().cancelar)
            QMetaObject::invokeMethod(
                qApp, [archivo, problema, &conexion] { terminar(conexion, archivo, problema); }, Qt::QueuedConnection);
    }));
    static const auto alSalir = QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { esperar(true); });
    Q_UNUSED(alSalir);
    e.hilo->start(QThread::LowPriority);
}

} // namespace

void comenzar(Connection &conexion)
{
    esperar(true);
    if (!conexion.handle())
        return; // a server keeps its own pages
    const qint64 umbral = estado().umbral > 0 ? estado().umbral : revisionRapida::paginasRevisionInmediata;
    if (revisionRapida::paginas(conexion.handle()) > umbral)
        return enSegundoPlano(conexion);
    const QString problema = revisionRapida::revisar(conexion.handle());
    if (!problema.isEmpty()) {
        const QString archivo = conexion.archivo();
        conexion.close();
        throw danio(archivo, problema);
    }
}

void cuandoSana(std::function<void()> siguiente)
{
    if (estado().revisando)
        estado().siguiente = std::move(siguiente);
    else
        siguiente();
}

void esperar(bool cancelar)
{
    Estado &e = estado();
    if (!e.hilo)
        return;
    if (cancelar) {
        e.cancelar = true;
        e.revisando = false;
        e.siguiente = {};
    }
    e.hilo.reset();
}

void fijarUmbralParaPruebas(qint64 paginas)
{
    estado().umbral = paginas;
}

} // namespace revisionInicial
