// The day's copy of a large database: how long it takes against copying the
// file's bytes, and how long the operator's window and first action wait
// while it runs on its own thread.
#include "backup.h"
#include "bench_support.h"
#include "daily_backup.h"
#include "mprincipal.h"
#include "process_setup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// The operator posts an exit line: the article looked up, the movement
// written and the stock recomputed in one transaction, left undone so that the
// shared benchmark file stays as generated.
void primeraAccion()
{
    mPrincipal::abrirConsulta("SELECT nombre, costo, codigo, stock FROM articulo WHERE numero = '000123'");
    Transaction t(mPrincipal::conexion());
    mPrincipal::insertarRegistro("movstk", {"comprobante", "tipomov", "fecha", "numero", "Entrada", "Salida"},
                                 {"99999999", "SA", "05-12-2026", "000123", "0", "1"});
    mPrincipal::conexion().execute("UPDATE articulo SET stock = (SELECT sum(Entrada) - sum(Salida) FROM movstk "
                                   "WHERE numero = '000123') WHERE numero = '000123'");
}

struct Espera
{
    double pausaMaxima = 0; // the longest gap between ticks of a 5 ms timer
    double accion = 0;      // the first action, started 20 ms in
    double copia = 0;
};

// Runs the event loop for the copy's duration (or `duracion` ms without one).
Espera medir(CopiaDiaria *copia, const QString &base, const QDate &dia, double duracion)
{
    Espera e;
    QElapsedTimer reloj, tic;
    QEventLoop bucle;
    QTimer latido;
    latido.setInterval(5);
    QObject::connect(&latido, &QTimer::timeout, [&] {
        e.pausaMaxima = std::max(e.pausaMaxima, double(tic.nsecsElapsed()) / 1e6);
        tic.restart();
        if (!copia && reloj.elapsed() >= duracion)
            bucle.quit();
    });
    QTimer::singleShot(20, [&] { e.accion = banco::medianaMs(1, primeraAccion); });
    if (copia) {
        QObject::connect(copia, &CopiaDiaria::terminada, &bucle, [&](const QString &, const QString &error) {
            if (!error.isEmpty())
                std::printf("%s\n", qUtf8Printable(error));
            e.copia = double(reloj.nsecsElapsed()) / 1e6;
            bucle.quit();
        });
        copia->iniciar(base, dia);
    }
    reloj.start();
    tic.start();
    latido.start();
    bucle.exec();
    return e;
}

} // namespace

int main(int argc, char *argv[])
{
    banco::pantallaVirtual();
    QApplication app(argc, argv);
    prepararProceso();
    const QString base = banco::baseGenerada(10000, 1000000);
    const int veces = 5;
    QTemporaryDir dir;
    std::printf("Copia del día de %s (%.0f MiB), mediana de %d corridas\n", qUtf8Printable(base),
                double(QFileInfo(base).size()) / 1048576.0, veces);

    int n = 0;
    const double enLinea = banco::medianaMs(veces, [&] {
        const QString destino = dir.filePath(QStringLiteral("c%1.accdb").arg(n++));
        copias::copiar(base, destino);
        QFile::remove(destino);
    });
    const double bytes = banco::medianaMs(veces, [&] {
        QFile::copy(base, dir.filePath(QStringLiteral("bytes.accdb")));
        QFile::remove(dir.filePath(QStringLiteral("bytes.accdb")));
    });
    std::printf("%-58s %10.2f ms   bytes del archivo %7.2f ms   ratio %.2f\n",
                "copia en línea (un paso, conexión propia)", enLinea, bytes, enLinea / bytes);

    mPrincipal::conexion().open(base);
    CopiaDiaria copia;
    std::vector<double> total, pausa, accion, pausaSola, accionSola;
    for (int i = 0; i < veces; ++i) {
        const Espera con = medir(&copia, base, QDate(2000, 1, 1).addDays(i), 0);
        QDir(copias::carpeta(base)).removeRecursively();
        const Espera sin = medir(nullptr, base, {}, con.copia);
        total.push_back(con.copia);
        pausa.push_back(con.pausaMaxima);
        accion.push_back(con.accion);
        pausaSola.push_back(sin.pausaMaxima);
        accionSola.push_back(sin.accion);
    }
    mPrincipal::conexion().close();
    banco::imprimir("copia del día en su hilo, con rotación", banco::mediana(total));
    std::printf("%-58s %10.2f ms   sin copia %15.2f ms\n", "pausa más larga de la ventana (latido de 5 ms)",
                banco::mediana(pausa), banco::mediana(pausaSola));
    std::printf("%-58s %10.2f ms   sin copia %15.2f ms\n", "primera acción: registrar una salida",
                banco::mediana(accion), banco::mediana(accionSola));
    return 0;
}
