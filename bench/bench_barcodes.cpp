// Reading a scanned code into an article box among 100,000 codes (10 per
// article, 10,000 articles): codigosBarras::leer beside bare SQLite preparing,
// binding and stepping the same look-up; under bench/with_server.sh also on the
// server, beside one bare PQexec of the same statement.
#include "article_barcodes.h"
#include "barcode_values.h"
#include "bench_support.h"
#include "database_file.h"
#include "mprincipal.h"
#include "process_setup.h"
#include "server_database.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

constexpr int articulos = 10000, porArticulo = 10, lecturas = 2000;

// The i-th EAN-13 of a maker's range, with its check digit.
QString ean(int i)
{
    const QString cuerpo = QStringLiteral("400%1").arg(i, 9, 10, QLatin1Char('0'));
    return cuerpo + QString::number(codigoBarras::digitoControl(cuerpo));
}

void llenar(sqlite3 *db)
{
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *art = nullptr, *cod = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES (?,'0001',?,1,0)", -1, &art,
                       nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO codigo_barras(numero,codigo) VALUES (?,?)", -1, &cod, nullptr);
    for (int a = 1; a <= articulos; ++a) {
        const QByteArray numero = QByteArray::number(a).rightJustified(6, '0');
        const QByteArray nombre = "Artículo " + numero;
        sqlite3_bind_text(art, 1, numero.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(art, 2, nombre.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(art);
        sqlite3_reset(art);
        for (int c = 0; c < porArticulo; ++c) {
            const QByteArray codigo = ean(a * porArticulo + c).toLatin1();
            sqlite3_bind_text(cod, 1, numero.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(cod, 2, codigo.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_step(cod);
            sqlite3_reset(cod);
        }
    }
    sqlite3_finalize(art);
    sqlite3_finalize(cod);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

// The program's reading of the codes beside the bare side's, alternating runs.
void medirLecturas(Connection &conexion, const QStringList &codigos, const char *donde,
                   const std::function<void(const QByteArray &)> &desnudo, const char *ladoDesnudo)
{
    int halladas = 0;
    const banco::Par par = banco::alternando(
        5,
        [&] {
            for (const QString &c : codigos)
                halladas += !codigosBarras::leer(conexion, c).numero.isEmpty();
        },
        [&] {
            for (const QString &c : codigos)
                desnudo(c.toLatin1());
        });
    std::printf("%s: %d look-ups per run, %d found in all\n", donde, lecturas, halladas);
    banco::imprimir("2000 codes read (codigosBarras::leer)", par, ladoDesnudo);
    banco::cifra("one code read, program", par.programa.pared / lecturas * 1000, "µs");
    banco::cifra("one code read, bare", par.desnudo.pared / lecturas * 1000, "µs");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    prepararProceso();
    QTemporaryDir dir;
    const QString archivo = dir.filePath(QStringLiteral("codigos.accdb"));
    archivoBase::crear(archivo);
    Connection &conexion = mPrincipal::conexion();
    conexion.open(archivo);
    llenar(conexion.handle());
    std::printf("%s codes on %d articles; machine load %s\n",
                qPrintable(conexion.execute(QStringLiteral("select count(*) from codigo_barras"))->field(0).text()),
                articulos, qPrintable(banco::cargaDeLaMaquina()));

    QStringList codigos;
    for (int i = 0; i < lecturas; ++i)
        codigos << ean(QRandomGenerator::global()->bounded(porArticulo, (articulos + 1) * porArticulo));
    medirLecturas(
        conexion, codigos, "file",
        [&](const QByteArray &codigo) {
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(conexion.handle(), "select numero from codigo_barras where codigo=?", -1, &st, nullptr);
            sqlite3_bind_text(st, 1, codigo.constData(), -1, SQLITE_STATIC);
            if (sqlite3_step(st) == SQLITE_ROW)
                sqlite3_column_text(st, 0);
            sqlite3_finalize(st);
        },
        "prepare, bind, step and finalize the same look-up, bare SQLite");

    if (qEnvironmentVariableIsEmpty("QUENDRA_SERVIDOR_PRUEBAS"))
        return 0;
    const QString direccion = banco::baseEnServidor(QStringLiteral("quendra_bench_codigos"));
    baseServidor::ejecutar(
        direccion,
        QStringLiteral("INSERT INTO articulo(numero,codigo,nombre,costo,stock) SELECT lpad(a::text,6,'0'),'0001',"
                       "'Artículo '||a,1,0 FROM generate_series(1,%1) a; INSERT INTO codigo_barras(numero,codigo) "
                       "SELECT lpad((c/%2)::text,6,'0'),'P'||c FROM generate_series(%2,%3) c")
            .arg(articulos)
            .arg(porArticulo)
            .arg((articulos + 1) * porArticulo - 1));
    conexion.open(direccion);
    PGconn *pg = PQconnectdb(direccion.toUtf8().constData());
    QStringList enServidor;
    for (const QString &c : codigos)
        enServidor << QStringLiteral("P%1").arg(c.mid(3, 9).toInt());
    medirLecturas(
        conexion, enServidor, "server",
        [&](const QByteArray &codigo) {
            PQclear(PQexec(pg, "select numero from codigo_barras where codigo='" + codigo + "'"));
        },
        "the same statement, one PQexec, bare libpq");
    PQfinish(pg);
    return 0;
}
