// Importing 10,000 articles with their opening stock in 3 places (30,000 rows)
// from .xlsx, .ods and .csv: reading and checking beside liborcus' own parse of
// the same sheet (or the CSV's bytes) into nothing; writing on the file beside
// bare SQLite inserts of the same rows, and on the server (through
// bench/with_server.sh) beside bare libpq inserts. Then the peak memory of
// checking a 20 MB CSV sheet, and of importing it.
#include "bench_support.h"
#include "connection.h"
#include "import_write.h"
#include "process_setup.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <cstdio>
#include <libpq-fe.h>
#include <orcus/sax_parser.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>
#include <sqlite3.h>
#include <xlsxwriter.h>

namespace {

constexpr int articulos = 10000;
const char *lugares[] = {"01", "02", "03"};

QByteArray filaCsv(int i, int lugar)
{
    return QByteArray::number(i) + ";Artículo de prueba " + QByteArray::number(i) + ";Familia "
           + QByteArray::number(i % 20) + ";" + QByteArray::number(i % 500) + ",25;05-03-2024;"
           + QByteArray::number(1 + i % 7 + lugar) + ";" + lugares[lugar] + "\n";
}

const QByteArray cabecera = "Número;Nombre;Familia;Costo;Alta;Stock;Depósito\n";

void escribirCsv(const QString &ruta, int filasPorLugar)
{
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    f.write(cabecera);
    for (int i = 1; i <= filasPorLugar; ++i)
        for (int l = 0; l < 3; ++l)
            f.write(filaCsv(i, l));
}

void escribirXlsx(const QString &ruta)
{
    lxw_workbook *libro = workbook_new(ruta.toUtf8().constData());
    lxw_worksheet *hoja = workbook_add_worksheet(libro, "Artículos");
    lxw_format *fecha = workbook_add_format(libro);
    format_set_num_format(fecha, "dd-mm-yyyy");
    const char *titulos[] = {"Número", "Nombre", "Familia", "Costo", "Alta", "Stock", "Depósito"};
    for (int k = 0; k < 7; ++k)
        worksheet_write_string(hoja, 0, lxw_col_t(k), titulos[k], nullptr);
    lxw_row_t r = 1;
    for (int i = 1; i <= articulos; ++i)
        for (int l = 0; l < 3; ++l, ++r) {
            worksheet_write_number(hoja, r, 0, i, nullptr);
            worksheet_write_string(hoja, r, 1, ("Artículo de prueba " + std::to_string(i)).c_str(), nullptr);
            worksheet_write_string(hoja, r, 2, ("Familia " + std::to_string(i % 20)).c_str(), nullptr);
            worksheet_write_number(hoja, r, 3, i % 500 + 0.25, nullptr);
            worksheet_write_number(hoja, r, 4, 45356, fecha);
            worksheet_write_number(hoja, r, 5, 1 + i % 7 + l, nullptr);
            worksheet_write_string(hoja, r, 6, lugares[l], nullptr);
        }
    workbook_close(libro);
}

// A parse that keeps nothing: what liborcus itself costs.
struct Nada
{
    void doctype(const orcus::sax::doctype_declaration &) { }
    void start_declaration(std::string_view) { }
    void end_declaration(std::string_view) { }
    void start_element(const orcus::sax::parser_element &) { }
    void end_element(const orcus::sax::parser_element &) { }
    void characters(std::string_view, bool) { }
    void attribute(const orcus::sax::parser_attribute &) { }
};

void leerDesnudo(const QString &ruta, const char *parte)
{
    orcus::zip_archive_stream_fd flujo(ruta.toLocal8Bit().constData());
    orcus::zip_archive zip(&flujo);
    zip.load();
    std::vector<unsigned char> xml;
    zip.read_file_entry(parte, xml);
    Nada nada;
    orcus::sax_parser<Nada> parser(reinterpret_cast<const char *>(xml.data()), xml.size(), nada);
    parser.parse();
}

void leerCsvDesnudo(const QString &ruta)
{
    QFile f(ruta);
    f.open(QIODevice::ReadOnly);
    qint64 lineas = 0;
    while (!f.atEnd())
        lineas += f.read(1 << 20).count('\n');
    if (lineas == 0)
        std::abort();
}

importacion::Opciones opciones(const QString &ruta)
{
    importacion::Opciones o;
    o.archivo = ruta;
    o.fecha = QDate(2026, 12, 1);
    o.columnas = importacion::emparejar(importacion::encabezados(ruta, QString()));
    return o;
}

void lugaresEn(Connection &c)
{
    c.execute(QStringLiteral("insert into deposito(codigo, nombre) values ('02', 'Dos')"));
    c.execute(QStringLiteral("insert into deposito(codigo, nombre) values ('03', 'Tres')"));
}

// The same rows as bare inserts: 10,000 articles, 20 families and 30,000 lines in one transaction.
void insertarConSqlite(const QString &archivo)
{
    sqlite3 *db = nullptr;
    sqlite3_open(archivo.toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *a = nullptr, *m = nullptr;
    sqlite3_prepare_v2(
        db, "insert into articulo(numero,codigo,nombre,detalle,alta,costo,stock) values (?,?,?,'','2024-03-05',?,?)",
        -1, &a, nullptr);
    sqlite3_prepare_v2(
        db,
        "insert into movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,Entrada,Salida,codigo) values (?,'EN','2026-12-01',?,?,'Stock inicial','N',?,?,0,?)",
        -1, &m, nullptr);
    for (int f = 1; f <= 20; ++f)
        sqlite3_exec(db,
                     ("insert into familia(codigo,familia) values ('" + std::to_string(1000 + f) + "','F')").c_str(),
                     nullptr, nullptr, nullptr);
    for (int i = 1; i <= articulos; ++i) {
        const std::string numero = std::to_string(100000 + i), codigo = std::to_string(1000 + i % 20);
        sqlite3_bind_text(a, 1, numero.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(a, 2, codigo.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(a, 3, "Artículo de prueba", -1, SQLITE_STATIC);
        sqlite3_bind_double(a, 4, i % 500 + 0.25);
        sqlite3_bind_double(a, 5, 12);
        sqlite3_step(a);
        sqlite3_reset(a);
        for (int l = 0; l < 3; ++l) {
            sqlite3_bind_text(m, 1, ("0000000" + std::to_string(l + 1)).c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(m, 2, numero.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(m, 3, i % 500 + 0.25);
            sqlite3_bind_text(m, 4, lugares[l], -1, SQLITE_STATIC);
            sqlite3_bind_double(m, 5, 1 + i % 7 + l);
            sqlite3_bind_text(m, 6, codigo.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(m);
            sqlite3_reset(m);
        }
    }
    sqlite3_finalize(a);
    sqlite3_finalize(m);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void insertarConLibpq(const QString &direccion)
{
    PGconn *pg = PQconnectdb(direccion.toUtf8().constData());
    PQclear(PQexec(pg, "BEGIN"));
    for (int i = 1; i <= articulos; ++i) {
        const std::string numero = std::to_string(100000 + i);
        const std::string costo = std::to_string(i % 500) + ".25";
        const char *va[] = {numero.c_str(), costo.c_str()};
        PQclear(PQexecParams(
            pg,
            "insert into articulo(numero,codigo,nombre,detalle,alta,costo,stock) values ($1,'0001','Artículo de prueba','','2024-03-05',$2,12)",
            2, nullptr, va, nullptr, nullptr, 0));
        for (int l = 0; l < 3; ++l) {
            const std::string comprobante = "0000000" + std::to_string(l + 1);
            const char *vm[] = {comprobante.c_str(), numero.c_str(), costo.c_str(), lugares[l]};
            PQclear(PQexecParams(
                pg,
                "insert into movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,entrada,salida,codigo) values ($1,'EN','2026-12-01',$2,$3,'Stock inicial','N',$4,5,0,'0001')",
                4, nullptr, vm, nullptr, nullptr, 0));
        }
    }
    PQclear(PQexec(pg, "COMMIT"));
    PQfinish(pg);
}

// A child run: the big sheet checked (--revisar) or imported (--importar) into the database, and the peak memory.
int medirMemoria(const QStringList &args)
{
    const double antes = banco::memoriaPicoMiB();
    Connection c;
    c.open(args[3]);
    if (args[1] == QLatin1String("--revisar")) {
        const auto r = importacion::revisar(c, opciones(args[2]));
        banco::cifra("rows checked", double(r.filas.size()), "rows");
        banco::cifra("peak memory of the process before checking it", antes, "MiB");
        banco::cifra("peak memory of a process that checks it", banco::memoriaPicoMiB(), "MiB");
    } else {
        if (!importacion::importar(c, opciones(args[2])).escrito)
            std::abort();
        banco::cifra("peak memory of a process that imports it on the file", banco::memoriaPicoMiB(), "MiB");
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    prepararProceso();
    if (const QStringList args = app.arguments(); args.size() == 4)
        return medirMemoria(args);
    std::printf("load: %s\n", qUtf8Printable(banco::cargaDeLaMaquina()));
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("articulos.csv"));
    const QString xlsx = dir.filePath(QStringLiteral("articulos.xlsx"));
    const QString ods = dir.filePath(QStringLiteral("articulos.ods"));
    escribirCsv(csv, articulos);
    escribirXlsx(xlsx);
    const bool conOds = !QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty()
                        && QProcess::execute(QStringLiteral("soffice"),
                                             {QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                              QStringLiteral("ods"), QStringLiteral("--outdir"), dir.path(), xlsx})
                               == 0
                        && QFile::exists(ods);

    const QString vacia = dir.filePath(QStringLiteral("vacia.accdb"));
    banco::quendraDb({QStringLiteral("create"), vacia});
    {
        Connection c;
        c.open(vacia);
        lugaresEn(c);
    }
    Connection base;
    base.open(vacia);

    struct Hoja
    {
        const char *que;
        QString ruta;
        std::function<void()> desnudo;
    };
    std::vector<Hoja> hojas{
        {"read+check 30,000 rows, .csv", csv, [&] { leerCsvDesnudo(csv); }},
        {"read+check 30,000 rows, .xlsx", xlsx, [&] { leerDesnudo(xlsx, "xl/worksheets/sheet1.xml"); }},
    };
    if (conOds)
        hojas.push_back({"read+check 30,000 rows, .ods", ods, [&] { leerDesnudo(ods, "content.xml"); }});
    else
        std::printf(".ods: soffice not found, not measured\n");
    for (const Hoja &h : hojas) {
        const auto o = opciones(h.ruta);
        int filas = 0;
        const auto par = banco::alternando(
            3, [&] { filas = int(importacion::revisar(base, o).filas.size()); }, h.desnudo);
        banco::imprimir(h.que, par, "liborcus' zip and XML parse of the sheet into nothing / the CSV's bytes read");
        if (filas != 3 * articulos)
            std::printf("  rows checked: %d\n", filas);
    }
    base.close();

    // Writing: each run on a fresh copy of the empty database.
    int copia = 0;
    const auto fresca = [&] {
        const QString destino = dir.filePath(QStringLiteral("base%1.accdb").arg(++copia));
        QFile::copy(vacia, destino);
        return destino;
    };
    const auto o = opciones(csv);
    const auto escritura = banco::alternando(
        3,
        [&] {
            Connection c;
            c.open(fresca());
            if (!importacion::importar(c, o).escrito)
                std::abort();
        },
        [&] { insertarConSqlite(fresca()); });
    banco::imprimir("import 30,000 rows on the file (check, copy, write)", escritura,
                    "sqlite3 prepared inserts of the same articles and lines, one transaction");

    if (!qEnvironmentVariable("QUENDRA_SERVIDOR_PRUEBAS").isEmpty()) {
        // Both databases made before the clock starts: making one costs the server more than the import.
        const QString direccion = banco::baseEnServidor(QStringLiteral("bench_import_1"));
        {
            Connection c;
            c.open(direccion);
            lugaresEn(c);
        }
        const QString desnuda = banco::baseEnServidor(QStringLiteral("bench_import_bare"));
        const auto servidor = banco::alternando(
            1,
            [&] {
                Connection c;
                c.open(direccion);
                if (!importacion::importar(c, o).escrito)
                    std::abort();
            },
            [&] { insertarConLibpq(desnuda); });
        banco::imprimir("import 30,000 rows on the server", servidor,
                        "libpq inserts of the same articles and lines, one transaction, one round trip each");
    } else {
        std::printf("server: run through bench/with_server.sh to measure it\n");
    }

    // A 20 MB sheet checked, then imported, each in a process of its own: its peak memory.
    const QString grande = dir.filePath(QStringLiteral("grande.csv"));
    escribirCsv(grande, 110000);
    banco::cifra("sheet size", double(QFile(grande).size()) / (1 << 20), "MiB");
    for (const char *que : {"--revisar", "--importar"}) {
        QProcess hijo;
        hijo.setProcessChannelMode(QProcess::ForwardedChannels);
        hijo.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(que), grande, fresca()});
        hijo.waitForFinished(-1);
    }
    return 0;
}
