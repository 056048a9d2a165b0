// The movement report over a year of movements of 10,000 articles in three
// storage places, at each size given (movements; 100,000, 1,000,000 and
// 3,000,000 when none is): assembling its rows against the same statements run
// with the bare sqlite3 API, the memory the rows take, the growth from one size
// to the next, and the time from the assembled rows to the first page of the
// preview on screen. Each size's database is generated once and kept in the
// temporary folder.
// Usage: bench_reports [movements ...] [folder for the preview pictures]

#include "bench_support.h"
#include "movement_report.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report.h"
#include "report_output.h"
#include "report_page_view.h"
#include "report_preview.h"
#include "rpt_movim_layout.h"

#include <QDir>
#include <QElapsedTimer>
#include <cstdio>
#include <sqlite3.h>
#include <stdexcept>

namespace {

constexpr int rondas = 5;

const FiltroMovimientos anio = banco::anioCompleto();

std::unique_ptr<Recordset> armar()
{
    auto articulos = mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(anio));
    return armarInformeMovimientos(*articulos, anio);
}

void comprobar(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db));
}

const char *const ladoDesnudo = "the article selection and both statements of every article through the sqlite3 API, "
                                "every column of every row read (text or double), nothing kept";

// The selection and both statements per article as SQLite reads them, with
// every column of every row read; the rows go nowhere.
qint64 sentenciasDesnudas(const QString &archivo)
{
    sqlite3 *db = nullptr;
    comprobar(sqlite3_open_v2(archivo.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), db);
    qint64 leidas = 0;
    auto correr = [&](const QByteArray &sql, const std::function<void(sqlite3_stmt *)> &fila) {
        sqlite3_stmt *st = nullptr;
        comprobar(sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr), db);
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            fila(st);
            ++leidas;
        }
        sqlite3_finalize(st);
        comprobar(rc, db);
    };
    auto leerTodo = [](sqlite3_stmt *st) {
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            if (sqlite3_column_type(st, i) == SQLITE_TEXT)
                sqlite3_column_text(st, i);
            else
                sqlite3_column_double(st, i);
    };
    std::vector<QByteArray> numeros;
    correr("select * from articulo where numero >='0' and numero<='99999999' and codigo>='0' and "
           "codigo<='99999999' order by numero",
           [&](sqlite3_stmt *st) {
               leerTodo(st);
               numeros.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
           });
    for (const QByteArray &n : numeros) {
        correr("select sum(Entrada)-Sum(Salida) as Saldo from movstk where fecha <'2026-01-01' and deposito like "
               "'%%' and numero='"
                   + n + "' ",
               leerTodo);
        correr("select comprobante,tipomov,fecha,numero,costo,Entrada,Salida from movstk where fecha >='2026-01-01' "
               "and fecha<='2026-12-31' and deposito like '%%' and Numero='"
                   + n + "'",
               leerTodo);
    }
    sqlite3_close(db);
    return leidas;
}

struct Cifras
{
    int movimientos;
    double programa, desnudo, programaCpu, desnudoCpu, bytesPorFila, memoriaMiB;
    qsizetype filas;
};

Cifras medirTamano(int movimientos, const QDir &out)
{
    const QString archivo = banco::baseGenerada(10000, movimientos);
    mPrincipal::fijarArchivoBaseDatos(archivo);
    mPrincipal::conexion().open(archivo);
    std::printf("\n%d movements (%s)\n", movimientos, qUtf8Printable(archivo));

    // Warm the file cache, then alternate the two so both meet the same machine.
    const qint64 leidas = sentenciasDesnudas(archivo);
    std::unique_ptr<Recordset> hechas; // the one before is freed in the program's time
    const banco::Par par = banco::alternando(
        rondas, [&] { hechas.reset(), hechas = armar(); }, [&] { sentenciasDesnudas(archivo); });
    hechas.reset();
    banco::cifra("rows read by the bare statements", double(leidas), "");
    banco::imprimir("assemble the full-year report (median of 5)", par, ladoDesnudo);

    const double antes = banco::memoriaAsignadaMiB();
    std::shared_ptr<const Recordset> filas = armar();
    const double memoria = banco::memoriaAsignadaMiB() - antes;
    banco::cifra("report rows", double(filas->rowCount()), "");
    banco::cifra("memory of the assembled report (allocated)", memoria, "MiB");
    banco::cifra("  per report row", memoria * 1048576.0 / double(filas->rowCount()), "bytes");

    QElapsedTimer reloj;
    reloj.start();
    Report &informe = rptMovim();
    vincularInformeMovimientos(informe, filas, anio);
    ReportPreview *vista = showReportPreview(informe);
    vista->resize(1000, 900);
    const QImage primera = vista->grab().toImage();
    banco::tiempoDeForma("first preview page on screen after the assembly", double(reloj.nsecsElapsed()) / 1e6);
    banco::cifra("pages", informe.pages()->pageCount(), "");
    primera.save(out.filePath(QStringLiteral("bench_reports_preview_%1.png").arg(movimientos)));
    vista->close();
    informe.setDataSource(nullptr);
    banco::cifra("peak memory of the process so far", banco::memoriaPicoMiB(), "MiB");
    mPrincipal::conexion().close();
    return {movimientos,      par.programa.pared, par.desnudo.pared,
            par.programa.cpu, par.desnudo.cpu,    memoria * 1048576.0 / double(filas->rowCount()),
            memoria,          filas->rowCount()};
}

} // namespace

int main(int argc, char *argv[])
{
    banco::Programa programa(argc, argv);
    QString carpeta;
    std::vector<int> tamanos;
    for (int i = 1; i < argc; ++i) {
        bool numero = false;
        const int n = QString::fromLocal8Bit(argv[i]).toInt(&numero);
        if (numero)
            tamanos.push_back(n);
        else
            carpeta = QString::fromLocal8Bit(argv[i]);
    }
    if (tamanos.empty())
        tamanos = {100000, 1000000, 3000000};
    const QDir out = programa.salida(carpeta);

    std::vector<Cifras> cifras;
    for (int n : tamanos)
        cifras.push_back(medirTamano(n, out));

    std::printf("\n%10s %11s %11s %9s %6s %11s %9s %6s %9s %10s\n", "movements", "report rows", "program ms", "bare ms",
                "ratio", "program cpu", "bare cpu", "ratio", "bytes/row", "report MiB");
    for (const Cifras &c : cifras)
        std::printf("%10d %11lld %11.1f %9.1f %6.2f %11.1f %9.1f %6.2f %9.1f %10.1f\n", c.movimientos,
                    qlonglong(c.filas), c.programa, c.desnudo, c.programa / c.desnudo, c.programaCpu, c.desnudoCpu,
                    c.programaCpu / c.desnudoCpu, c.bytesPorFila, c.memoriaMiB);
    for (size_t i = 1; i < cifras.size(); ++i) {
        const Cifras &a = cifras[i - 1], &b = cifras[i];
        std::printf("growth %d -> %d: rows x%.2f, program x%.2f, bare x%.2f, memory x%.2f\n", a.movimientos,
                    b.movimientos, double(b.filas) / double(a.filas), b.programa / a.programa, b.desnudo / a.desnudo,
                    b.memoriaMiB / a.memoriaMiB);
    }
    return 0;
}
