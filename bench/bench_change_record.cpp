// "Registro de cambios" over a record of 1,000,000 changes spread over a year
// (or the count given): one week of every operator, and the whole year of one
// article, each as the report's rows read whole, against the same statement
// read through the bare sqlite3 API.
// Usage: bench_change_record [changes]

#include "bench_support.h"
#include "change_record_report.h"
#include "connection.h"
#include "mprincipal.h"
#include "quendra_error.h"
#include "recordset.h"

#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int rondas = 5;

const char *const ladoDesnudo =
    "the report's one statement through the sqlite3 API, every column of every row read, nothing kept";

// The changes: a day of 2026 each, by one of four operators, about one of 10,000 articles.
void llenar(int cambios)
{
    const QByteArray sql =
        "INSERT INTO registro_cambios(fecha, hora, usuario, equipo, tipo, numero, comprobante, anterior, nuevo) "
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < "
        + QByteArray::number(cambios - 1) + ") SELECT date('2026-01-01', '+' || (i * 365 / "
        + QByteArray::number(cambios)
        + ") || ' days'), '10:00:00', 'operador' || (i % 4), 'caja', 'linea-cambio', "
          "substr('000000' || (i % 10000), -6), substr('00000000' || (i / 3), -8), 'cantidad: 1', 'cantidad: 2' "
          "FROM n";
    char *error = nullptr;
    if (sqlite3_exec(mPrincipal::conexion().handle(), sql.constData(), nullptr, nullptr, &error) != SQLITE_OK)
        throw QuendraError(QuendraError::BaseNoValida, QString::fromUtf8(error));
}

void medir(const char *que, const QString &archivo, const FiltroRegistro &filtro)
{
    const QByteArray sql = mPrincipal::conexion().dialect().traducir(consultaRegistro(filtro)).toUtf8();
    banco::leerDesnudo(archivo, sql); // warms the file cache
    std::unique_ptr<Recordset> filas;
    const banco::Par par = banco::alternando(
        rondas, [&] { filas.reset(), filas = armarRegistro(filtro); }, [&] { banco::leerDesnudo(archivo, sql); });
    banco::cifra("report rows", double(filas->rowCount()), "");
    banco::imprimir(que, par, ladoDesnudo);
}

} // namespace

int main(int argc, char *argv[])
{
    banco::Programa programa(argc, argv);
    const int cambios = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;
    const QString archivo = programa.salida().filePath(QStringLiteral("registro.accdb"));
    banco::quendraDb({QStringLiteral("generate"), archivo, QStringLiteral("--articles"), QStringLiteral("100"),
                      QStringLiteral("--movements"), QStringLiteral("100")});
    mPrincipal::fijarArchivoBaseDatos(archivo);
    mPrincipal::conexion().open(archivo);
    llenar(cambios);
    std::printf("%d changes in the record, load %s\n", cambios, qUtf8Printable(banco::cargaDeLaMaquina()));

    medir("one week, every operator (median of 5)", archivo,
          {QDate(2026, 6, 1), QDate(2026, 6, 7), QString(), QString(), QString()});
    medir("one week, one operator (median of 5)", archivo,
          {QDate(2026, 6, 1), QDate(2026, 6, 7), QStringLiteral("operador2"), QString(), QString()});
    medir("the whole year, one article (median of 5)", archivo,
          {QDate(2026, 1, 1), QDate(2026, 12, 31), QString(), QStringLiteral("000042"), QString()});
    mPrincipal::conexion().close();
    return 0;
}
