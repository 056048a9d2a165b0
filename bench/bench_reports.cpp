// The movement report over a year of 1,000,000 movements of 10,000 articles in
// three storage places: assembling its rows against the same two statements per
// article run with the bare sqlite3 API, the memory the rows take, and the time
// from the assembled rows to the first page of the preview on screen.
// Usage: bench_reports [folder]  (the folder keeps a picture of the preview)

#include "application_setup.h"
#include "bench_support.h"
#include "movement_report.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report.h"
#include "report_output.h"
#include "report_page_view.h"
#include "report_preview.h"
#include "rpt_movim_layout.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>
#include <stdexcept>

namespace {

constexpr int rondas = 5;

const FiltroMovimientos anio{QStringLiteral("01-01-2026"), QStringLiteral("31-12-2026"), QStringLiteral("0"),
                             QStringLiteral("99999999"),   QStringLiteral("0"),          QStringLiteral("99999999"),
                             QString()};

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
               "'%%' and numero='" + n + "' ",
               leerTodo);
        correr("select comprobante,tipomov,fecha,numero,costo,Entrada,Salida from movstk where fecha >='2026-01-01' "
               "and fecha<='2026-12-31' and deposito like '%%' and Numero='" + n + "'",
               leerTodo);
    }
    sqlite3_close(db);
    return leidas;
}

// The same statements through the program's connection, the rows read into
// recordsets and dropped: the share of the data layer in the assembly.
void sentenciasPorLaConexion()
{
    auto articulos = mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(anio));
    const sentenciasMovimientos::PorArticulo sentencias(anio);
    for (qsizetype r = 0; r < articulos->rowCount(); ++r) {
        const QString numero = articulos->text(r, 0);
        mPrincipal::abrirConsulta(sentencias.saldoInicial(numero));
        mPrincipal::abrirConsulta(sentencias.movimientos(numero));
    }
}

// Processor time of the process in milliseconds: the machine may be shared, and
// waiting for a processor is nobody's cost.
double cpuMs()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Tiempo
{
    double pared, cpu;
};

Tiempo medir(const std::function<void()> &f)
{
    const double c0 = cpuMs();
    const double pared = banco::medianaMs(1, f);
    return {pared, cpuMs() - c0};
}

} // namespace

int main(int argc, char *argv[])
{
    banco::pantallaVirtual();
    QApplication app(argc, argv);
    prepararAplicacion(app);
    QTemporaryDir scratch;
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path());
    out.mkpath(QStringLiteral("."));

    const QString archivo = banco::baseGenerada(10000, 1000000);
    mPrincipal::fijarArchivoBaseDatos(archivo);
    mPrincipal::conexion().open(archivo);

    // Warm the file cache, then alternate the two so both meet the same machine.
    qint64 leidas = sentenciasDesnudas(archivo);
    std::vector<double> nuestro, conexion, desnudo, nuestroCpu, conexionCpu, desnudoCpu;
    for (int i = 0; i < rondas; ++i) {
        std::unique_ptr<Recordset> filas; // freed outside the timing
        Tiempo t = medir([&] { filas = armar(); });
        nuestro.push_back(t.pared), nuestroCpu.push_back(t.cpu);
        filas.reset();
        t = medir(sentenciasPorLaConexion);
        conexion.push_back(t.pared), conexionCpu.push_back(t.cpu);
        t = medir([&] { sentenciasDesnudas(archivo); });
        desnudo.push_back(t.pared), desnudoCpu.push_back(t.cpu);
    }
    banco::cifra("rows read by the bare statements", double(leidas), "");
    banco::imprimir("the statements through the connection (median of 5)", banco::mediana(conexion), banco::mediana(desnudo));
    banco::imprimir("assemble the full-year report (median of 5)", banco::mediana(nuestro), banco::mediana(desnudo));
    banco::imprimir("  the same in processor time", banco::mediana(nuestroCpu), banco::mediana(desnudoCpu));
    banco::imprimir("  the statements through the connection, processor time", banco::mediana(conexionCpu),
                    banco::mediana(desnudoCpu));

    const double antes = banco::memoriaMiB();
    std::shared_ptr<const Recordset> filas = armar();
    banco::cifra("report rows", double(filas->rowCount()), "");
    banco::cifra("memory of the assembled report", banco::memoriaMiB() - antes, "MiB");

    QElapsedTimer reloj;
    reloj.start();
    Report &informe = rptMovim();
    vincularInformeMovimientos(informe, filas, anio);
    ReportPreview *vista = showReportPreview(informe);
    vista->resize(1000, 900);
    const QImage primera = vista->grab().toImage();
    banco::cifra("first preview page on screen after the assembly", double(reloj.nsecsElapsed()) / 1e6, "ms");
    banco::cifra("pages", informe.pages()->pageCount(), "");
    primera.save(out.filePath(QStringLiteral("bench_reports_preview.png")));
    vista->close();
    banco::cifra("peak memory of the process", banco::memoriaPicoMiB(), "MiB");
    return 0;
}
