// The two stock reports and the spreadsheet export over 10,000 articles and
// 1,000,000 movements: each stock report assembled against its one grouped
// statement run with the bare sqlite3 API, and the full-year movement report
// written as .xlsx and .csv against libxlsxwriter writing the same cells as
// plain texts, with the memory the export adds.
// Usage: bench_exports [folder]  (the folder keeps the PDFs of both stock reports and the sheets)

#include "bench_support.h"
#include "movement_report.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report.h"
#include "report_pdf.h"
#include "report_sheet.h"
#include "rpt_movim_layout.h"
#include "sql_dialect.h"
#include "stock_layouts.h"

#include <QDir>
#include <algorithm>
#include <ctime>
#include <xlsxwriter.h>

namespace {

constexpr int rondas = 5;

const FiltroStock finDeAnio{QStringLiteral("31-12-2026"), QStringLiteral("0"), QStringLiteral("99999999"),
                            QStringLiteral("0"), QStringLiteral("99999999")};
const FiltroMovimientos anio = banco::anioCompleto();

// The statement as SQLite gets it, every column of every row read; the rows go nowhere.
void desnudo(const QString &archivo, const QString &sql)
{
    banco::leerDesnudo(archivo, SqlDialect({QStringLiteral("fecha"), QStringLiteral("alta")}).traducir(sql).toUtf8());
}

// Every cell of the report's rows written as a text by libxlsxwriter itself.
void xlsxDesnudo(const Recordset &rs, const QString &ruta)
{
    lxw_workbook_options opciones{};
    opciones.constant_memory = LXW_TRUE;
    opciones.use_zip64 = LXW_TRUE;
    lxw_workbook *libro = workbook_new_opt(ruta.toLocal8Bit().constData(), &opciones);
    lxw_worksheet *hoja = workbook_add_worksheet(libro, nullptr);
    std::string celda;
    for (qsizetype r = 0; r < rs.rowCount(); ++r)
        for (int c = 0; c < rs.fieldCount(); ++c) {
            QByteArrayView t = rs.utf8(r, c);
            celda.assign(t.data(), size_t(t.size()));
            worksheet_write_string(hoja, lxw_row_t(r), lxw_col_t(c), celda.c_str(), nullptr);
        }
    workbook_close(libro);
}

// Processor time of the process in milliseconds: five helpers share two cores,
// and waiting for a processor is nobody's cost.
double cpuMs()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Wall and processor time of both sides, alternated, `veces` runs each.
void comparar(const char *que, int veces, const std::function<void()> &nuestro, const std::function<void()> &base,
              const char *nombreBase = "the same statement through the sqlite3 API, every column of every row read")
{
    std::vector<double> a, b, ac, bc;
    for (int i = 0; i < veces; ++i) {
        double c = cpuMs();
        a.push_back(banco::medianaMs(1, nuestro));
        ac.push_back(cpuMs() - c);
        c = cpuMs();
        b.push_back(banco::medianaMs(1, base));
        bc.push_back(cpuMs() - c);
    }
    banco::imprimir(que, banco::mediana(a), banco::mediana(b), nombreBase);
    banco::imprimir("  the same in processor time", banco::mediana(ac), banco::mediana(bc), nombreBase);
}

} // namespace

int main(int argc, char *argv[])
{
    banco::Programa programa(argc, argv);
    const QDir out = programa.salida(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());

    const QString archivo = banco::baseGenerada(10000, 1000000);
    mPrincipal::fijarArchivoBaseDatos(archivo);
    mPrincipal::conexion().open(archivo);

    const QStringList depositos{QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03")};
    auto stockDesnudo = [&] {
        desnudo(archivo, sentenciaDepositos(finDeAnio));
        desnudo(archivo, sentenciaStockPorDeposito(finDeAnio, depositos));
    };
    stockDesnudo(); // warms the file cache
    comparar(
        "Stock por depósito at the end of the year (median of 5)", rondas, [] { armarStockPorDeposito(finDeAnio); },
        stockDesnudo);
    comparar(
        "Valorización de stock at the end of the year (median of 5)", rondas, [] { armarValorizacion(finDeAnio); },
        [&] { desnudo(archivo, sentenciaValorizacion(finDeAnio)); });

    Report &stock = rptStockDeposito();
    vincularStockPorDeposito(stock, armarStockPorDeposito(finDeAnio), finDeAnio);
    writeReportPdf(*stock.pages(), out.filePath(QStringLiteral("stock_por_deposito.pdf")));
    Report &valor = rptValorizacion();
    vincularValorizacion(valor, armarValorizacion(finDeAnio), finDeAnio);
    writeReportPdf(*valor.pages(), out.filePath(QStringLiteral("valorizacion.pdf")));
    banco::cifra("pages of Stock por depósito", stock.pages()->pageCount(), "");
    banco::cifra("pages of Valorización de stock", valor.pages()->pageCount(), "");

    std::shared_ptr<const Recordset> filas;
    {
        auto articulos = mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(anio));
        filas = armarInformeMovimientos(*articulos, anio);
    }
    Report &movimientos = rptMovim();
    vincularInformeMovimientos(movimientos, filas, anio);
    const ReportPages &paginas = *movimientos.pages();
    banco::cifra("rows of the full-year movement report", double(filas->rowCount()), "");

    const QString xlsx = out.filePath(QStringLiteral("movimientos.xlsx"));
    const QString csv = out.filePath(QStringLiteral("movimientos.csv"));
    const QString bare = out.filePath(QStringLiteral("desnudo.xlsx"));
    // Memory is sampled while the rows are written, above what the process held before.
    const double antes = banco::memoriaMiB();
    double pico = antes;
    auto muestra = [&](qsizetype, qsizetype) {
        pico = std::max(pico, banco::memoriaMiB());
        return true;
    };
    comparar(
        "the movement report as .xlsx (median of 3)", 3, [&] { writeReportSheet(paginas, xlsx, muestra); },
        [&] { xlsxDesnudo(*filas, bare); }, "libxlsxwriter, texts only");
    comparar(
        "the movement report as .csv (median of 3)", 3, [&] { writeReportSheet(paginas, csv, muestra); },
        [&] { xlsxDesnudo(*filas, bare); }, "libxlsxwriter, texts only");
    banco::cifra("memory added while exporting", pico - antes, "MiB");
    banco::cifra("size of the .xlsx", double(QFileInfo(xlsx).size()) / (1 << 20), "MiB");
    banco::cifra("size of the .csv", double(QFileInfo(csv).size()) / (1 << 20), "MiB");
    banco::cifra("peak memory of the process", banco::memoriaPicoMiB(), "MiB");
    return 0;
}
