// "Artículos a reponer" and the status bar's count over 10,000 articles and
// 1,000,000 movements (or the counts given), every article with a minimum (half
// for place 02, half for all places): the report's rows assembled, against its
// one statement read whole through the bare sqlite3 API; the count on a
// connection of its own, opened as the status bar's thread opens it, against the
// count's own bare statement. With a server (bench/with_server.sh) the file is
// copied onto it and the count is measured there too, against bare libpq.
// Usage: bench_replenishment [articles movements]

#include "bench_support.h"
#include "connection.h"
#include "minimum_stock.h"
#include "mprincipal.h"
#include "recordset.h"
#include "replenishment_report.h"

#include <cstdio>

namespace {

constexpr int rondas = 5;
const QDate alDia(2026, 12, 31);

const char *const ladoDesnudo = "the report's one grouped statement through the sqlite3 API, every column of every "
                                "row read (text or double), nothing kept";
const char *const cuentaDesnuda = "the count's grouped statement through the sqlite3 API, every column of every row "
                                  "read, nothing kept";
const char *const cuentaServidor = "the count's grouped statement through bare libpq, every value touched, nothing "
                                   "kept";

} // namespace

int main(int argc, char *argv[])
{
    banco::Programa programa(argc, argv);
    const int articulos = argc > 2 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    const int movimientos = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 1000000;
    // Generated here, at this program's version: the shared generated files may come from another version.
    const QDir carpeta = programa.salida();
    const QString archivo = carpeta.filePath(QStringLiteral("minimos.accdb"));
    banco::quendraDb({QStringLiteral("generate"), archivo, QStringLiteral("--articles"), QString::number(articulos),
                      QStringLiteral("--movements"), QString::number(movimientos)});
    mPrincipal::fijarArchivoBaseDatos(archivo);
    mPrincipal::conexion().open(archivo);
    mPrincipal::conexion().execute(
        QStringLiteral("insert into minimo(numero, deposito, minimo, reponer, proveedor) select numero, case when "
                       "substr(numero,6,1) in ('0','1','2','3','4') then '02' else '' end, 20, 60, 'Proveedor ' || "
                       "substr(numero,5,1) from articulo"));
    std::printf("%d articles, %d movements, load %s\n", articulos, movimientos,
                qUtf8Printable(banco::cargaDeLaMaquina()));

    const QByteArray sql =
        mPrincipal::conexion().dialect().traducir(minimos::sentenciaReposicion(alDia, QString())).toUtf8();
    banco::leerDesnudo(archivo, sql); // warms the file cache
    std::unique_ptr<Recordset> filas;
    const banco::Par informe = banco::alternando(
        rondas, [&] { filas.reset(), filas = armarReposicion(alDia, QString()); },
        [&] { banco::leerDesnudo(archivo, sql); });
    banco::cifra("report rows", double(filas->rowCount()), "");
    banco::imprimir("assemble \"Artículos a reponer\", all places (median of 5)", informe, ladoDesnudo);

    const QByteArray sqlCuenta = mPrincipal::conexion().dialect().traducir(minimos::sentenciaCuenta(alDia)).toUtf8();
    qsizetype bajo = 0;
    const banco::Par cuenta = banco::alternando(
        rondas,
        [&] {
            Connection propia;
            propia.open(archivo);
            bajo = minimos::articulosBajoElMinimo(propia, alDia);
        },
        [&] { banco::leerDesnudo(archivo, sqlCuenta); });
    banco::cifra("articles below their minimum", double(bajo), "");
    banco::imprimir("status bar count on its own connection (median of 5)", cuenta, cuentaDesnuda);

    if (!qEnvironmentVariableIsEmpty("QUENDRA_SERVIDOR_PRUEBAS")) {
        const QString direccion = banco::baseEnServidor(QStringLiteral("quendra_bench_minimos"));
        banco::quendraDb({QStringLiteral("copy"), archivo, direccion});
        Connection servidor;
        servidor.open(direccion);
        const QByteArray sqlServidor = servidor.dialect().traducir(minimos::sentenciaCuenta(alDia)).toUtf8();
        banco::Pg pg(direccion);
        pg.correr("ANALYZE");
        qsizetype enServidor = 0;
        const banco::Par cuentaPg = banco::alternando(
            rondas, [&] { enServidor = minimos::articulosBajoElMinimo(servidor, alDia); },
            [&] { pg.correr(sqlServidor); });
        banco::cifra("articles below their minimum, server", double(enServidor), "");
        banco::imprimir("status bar count on the server (median of 5)", cuentaPg, cuentaServidor);
        servidor.close();
    }
    mPrincipal::conexion().close();
    return 0;
}
