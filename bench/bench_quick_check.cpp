// The quick check of a database at start-up: its cost per page over files of
// growing size, which sets how large a file may be checked before the program
// shows its data.
#include "bench_support.h"
#include "process_setup.h"
#include "quick_check.h"

#include <QCoreApplication>
#include <cstdio>
#include <sqlite3.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    prepararProceso();
    const std::pair<int, int> tamanos[] = {{1000, 10000}, {10000, 100000}, {10000, 1000000}};
    double peorPorPagina = 0;
    for (auto [articulos, movimientos] : tamanos) {
        const QString archivo = banco::baseGenerada(articulos, movimientos);
        sqlite3 *db = nullptr;
        sqlite3_open_v2(archivo.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        const qint64 paginas = revisionRapida::paginas(db);
        const double ms = banco::medianaMs(5, [db] {
            if (!revisionRapida::revisar(db).isEmpty())
                std::printf("the check found a problem\n");
        });
        const double desnudo =
            banco::medianaMs(5, [db] { sqlite3_exec(db, "PRAGMA quick_check", nullptr, nullptr, nullptr); });
        sqlite3_close_v2(db);
        std::printf("%d articles, %d movements: %lld pages\n", articulos, movimientos, static_cast<long long>(paginas));
        banco::imprimir("  quick check", ms, desnudo, "PRAGMA quick_check on the same file through the sqlite3 API");
        banco::cifra("  per 1000 pages", ms * 1000 / double(paginas), "ms");
        peorPorPagina = std::max(peorPorPagina, ms / double(paginas));
    }
    banco::cifra("pages checked in 200 ms at the slowest rate", 200 / peorPorPagina, "pages");
    banco::cifra("threshold in the program", double(revisionRapida::paginasRevisionInmediata), "pages");
    return 0;
}
