// rellenaGrid on the article list of a large database: the query, the grid's
// model and the column sizing, against the same query read with bare sqlite3.
#include "bench_support.h"
#include "editable_grid.h"
#include "mprincipal.h"

#include <QTableView>
#include <cstdio>
#include <sqlite3.h>

namespace {

const char *const consulta = "select numero, nombre, stock, codigo from articulo";

// Every row and column read as text, as a caller of the bare API would.
qint64 leerConSqlite(sqlite3 *db)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, consulta, -1, &st, nullptr);
    qint64 bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < 4; ++i) {
            sqlite3_column_text(st, i);
            bytes += sqlite3_column_bytes(st, i);
        }
    sqlite3_finalize(st);
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    banco::Programa programa(argc, argv);
    const int articulos = 100000;
    const QString archivo = banco::baseGenerada(articulos, 1000);
    mPrincipal::fijarArchivoBaseDatos(archivo);
    mPrincipal::conexion().open(archivo);

    const double memoriaAntes = banco::memoriaMiB();
    EditableGrid grid;
    grid.resize(900, 600);
    grid.show();
    const QStringList claves{QStringLiteral("0")};
    auto cargar = [&] {
        grid.rellenaGrid(QString::fromLatin1(consulta), mPrincipal::conexion(), claves, QStringLiteral("articulo"));
    };
    const banco::Tiempo primera = banco::medir(cargar);
    const double memoriaCargada = banco::memoriaMiB();
    // On the program's own connection, so both read through the same page cache.
    qint64 bytes = 0;
    auto desnudo = [&] { bytes = leerConSqlite(mPrincipal::conexion().handle()); };
    const banco::Par relleno = banco::alternando(5, cargar, desnudo);
    const banco::Par soloConsulta = banco::alternando(
        5, [&] { mPrincipal::conexion().execute(QString::fromLatin1(consulta)); }, desnudo);

    std::printf("%d rows x 4 columns (%lld bytes of text), grid rows %d\n", articulos, bytes, grid.CantidadFilas());
    const char *lado = "the same query on the same connection through the sqlite3 API, every cell read as text";
    banco::imprimir("rellenaGrid, first load", primera.pared);
    banco::imprimir("  the same in processor time", primera.cpu);
    banco::imprimir("rellenaGrid incl. column sizing (median of 5)", relleno, lado);
    banco::imprimir("Connection::execute of the same query (median of 5)", soloConsulta, lado);
    QTableView *vista = grid.findChild<QTableView *>(QStringLiteral("grilla"));
    std::printf("column widths: %d %d %d %d px\n", vista->columnWidth(0), vista->columnWidth(1), vista->columnWidth(2),
                vista->columnWidth(3));
    std::printf("memory: %.1f MiB before, %.1f MiB with the grid loaded, peak %.1f MiB\n", memoriaAntes, memoriaCargada,
                banco::memoriaPicoMiB());
    mPrincipal::conexion().close();
    return 0;
}
