// Whether a shop's data reads the same after quendra-db copy: a generated shop
// (10,000 articles, 1,000,000 movements) and the demo file are copied onto a
// private server, and the full-year movement report is assembled on the file
// and on the server and compared row by row, value and type; the demo year's
// report is also written to PDF on both and compared as pdftotext reads it.
// Prints the row counts and the first difference, if any (exit status 1).
// Usage: bench/with_server.sh build/bench/bench_server_compare [folder for the PDFs and texts]

#include "bench_support.h"
#include "connection.h"
#include "movement_report.h"
#include "mprincipal.h"
#include "quendra_error.h"
#include "recordset.h"
#include "report.h"
#include "report_pdf.h"
#include "rpt_movim_layout.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

const FiltroMovimientos anio = banco::anioCompleto();

// The report assembled on the database, and the seconds it took (the articles' query included).
std::shared_ptr<Recordset> informeEn(const QString &lugar, double *segundos = nullptr)
{
    mPrincipal::fijarArchivoBaseDatos(lugar);
    mPrincipal::conexion().open(lugar);
    QElapsedTimer reloj;
    reloj.start();
    auto articulos = mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(anio));
    std::shared_ptr<Recordset> filas = armarInformeMovimientos(*articulos, anio);
    if (segundos)
        *segundos = double(reloj.nsecsElapsed()) / 1e9;
    mPrincipal::conexion().close();
    return filas;
}

// The report on both, three times each in turn: the medians and their ratio.
void compararTiempos(const QString &archivo, const QString &servidor)
{
    std::vector<double> enArchivo, enServidor;
    for (int i = 0; i < 3; ++i) {
        enArchivo.push_back(0);
        enServidor.push_back(0);
        informeEn(archivo, &enArchivo.back());
        informeEn(servidor, &enServidor.back());
    }
    std::sort(enArchivo.begin(), enArchivo.end());
    std::sort(enServidor.begin(), enServidor.end());
    std::printf("full-year movement report, median of 3: file %.2f s, server %.2f s (%.1fx)\n", enArchivo[1],
                enServidor[1], enServidor[1] / enArchivo[1]);
}

QString copiaEnServidor(const QString &archivo, const QString &base)
{
    const QString direccion = banco::baseEnServidor(base);
    std::printf("quendra-db copy %s\n%s", qUtf8Printable(archivo),
                qUtf8Printable(banco::quendraDb({QStringLiteral("copy"), archivo, direccion})));
    return direccion;
}

QString mostrado(const QVariant &v)
{
    return v.isNull() ? QStringLiteral("(null)")
                      : QStringLiteral("«%1» (%2)").arg(v.toString(), QLatin1String(v.typeName()));
}

// The row counts and the first cell, or column type, that differs.
bool mismasFilas(const Recordset &archivo, const Recordset &servidor)
{
    std::printf("report rows: file %lld, server %lld\n", qlonglong(archivo.rowCount()), qlonglong(servidor.rowCount()));
    if (archivo.fieldCount() != servidor.fieldCount()) {
        std::printf("first difference: %d columns on the file, %d on the server\n", archivo.fieldCount(),
                    servidor.fieldCount());
        return false;
    }
    for (int c = 0; c < archivo.fieldCount(); ++c)
        if (archivo.type(c) != servidor.type(c)) {
            std::printf("first difference: column %s has type %d on the file, %d on the server\n",
                        qUtf8Printable(archivo.name(c)), int(archivo.type(c)), int(servidor.type(c)));
            return false;
        }
    const qsizetype filas = std::min(archivo.rowCount(), servidor.rowCount());
    for (qsizetype r = 0; r < filas; ++r)
        for (int c = 0; c < archivo.fieldCount(); ++c) {
            const QVariant a = archivo.value(r, c), b = servidor.value(r, c);
            if (a != b || a.isNull() != b.isNull()) {
                std::printf("first difference: row %lld, column %s: file %s, server %s\n", qlonglong(r + 1),
                            qUtf8Printable(archivo.name(c)), qUtf8Printable(mostrado(a)), qUtf8Printable(mostrado(b)));
                return false;
            }
        }
    if (archivo.rowCount() != servidor.rowCount()) {
        std::printf("first difference: row %lld is on one side only\n", qlonglong(filas + 1));
        return false;
    }
    std::printf("first difference: none\n");
    return true;
}

// The report's PDF as pdftotext reads it, page layout kept.
QStringList textoDelPdf(std::shared_ptr<const Recordset> filas, const QString &pdf)
{
    Report &informe = rptMovim();
    vincularInformeMovimientos(informe, std::move(filas), anio);
    writeReportPdf(*informe.pages(), pdf);
    informe.setDataSource(nullptr);
    const QString texto = pdf + QStringLiteral(".txt");
    if (QProcess::execute(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, texto}) != 0)
        throw std::runtime_error("pdftotext failed");
    QFile f(texto);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("no text from pdftotext");
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
}

bool mismoTexto(const QStringList &archivo, const QStringList &servidor)
{
    std::printf("pdftotext lines: file %lld, server %lld\n", qlonglong(archivo.size()), qlonglong(servidor.size()));
    for (qsizetype i = 0; i < std::max(archivo.size(), servidor.size()); ++i)
        if (archivo.value(i) != servidor.value(i)) {
            std::printf("first difference: line %lld\n  file:   %s\n  server: %s\n", qlonglong(i + 1),
                        qUtf8Printable(archivo.value(i)), qUtf8Printable(servidor.value(i)));
            return false;
        }
    std::printf("first difference: none\n");
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    banco::Programa programa(argc, argv);
    const QDir salida = programa.salida(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    try {
        QElapsedTimer reloj;
        reloj.start();
        const QString generada = banco::baseGenerada(10000, 1000000);
        const QString enServidor = copiaEnServidor(generada, QStringLiteral("quendra_comparar"));
        bool iguales = mismasFilas(*informeEn(generada), *informeEn(enServidor));
        compararTiempos(generada, enServidor);

        const QString demo = salida.filePath(QStringLiteral("demo.accdb"));
        QFile::remove(demo);
        banco::quendraDb({QStringLiteral("demo"), demo});
        const QString demoEnServidor = copiaEnServidor(demo, QStringLiteral("quendra_comparar_demo"));
        const auto filasArchivo = informeEn(demo), filasServidor = informeEn(demoEnServidor);
        iguales = mismasFilas(*filasArchivo, *filasServidor) && iguales;
        iguales = mismoTexto(textoDelPdf(filasArchivo, salida.filePath(QStringLiteral("demo-file.pdf"))),
                             textoDelPdf(filasServidor, salida.filePath(QStringLiteral("demo-server.pdf"))))
                  && iguales;
        std::printf("%s in %.0f s\n", iguales ? "the same on both engines" : "DIFFERENT",
                    double(reloj.elapsed()) / 1e3);
        return iguales ? 0 : 1;
    } catch (const QuendraError &e) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(e.texto()));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    return 1;
}
