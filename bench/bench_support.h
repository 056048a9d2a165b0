#pragma once

#include "movement_statements.h"

#include <QDir>
#include <QString>

struct sqlite3;
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QApplication;
struct pg_conn;

// Shared pieces of the benchmark programs: timing as the median of runs, the
// process's peak memory, and a large generated database kept between runs.
namespace banco {

// The movement report over the whole of 2026, every article, family and place: what the benchmarks measure.
inline FiltroMovimientos anioCompleto()
{
    return {QStringLiteral("01-01-2026"),
            QStringLiteral("31-12-2026"),
            QStringLiteral("0"),
            QStringLiteral("99999999"),
            QStringLiteral("0"),
            QStringLiteral("99999999"),
            QString()};
}

// The median of measured values (the upper one of an even count).
double mediana(std::vector<double> v);

// Median wall time in milliseconds of `veces` runs of f.
double medianaMs(int veces, const std::function<void()> &f);

// Resident memory now and at its peak, in MiB (from /proc/self/status).
double memoriaMiB();
double memoriaPicoMiB();
// What the allocator has handed out and not yet taken back, in MiB: unlike the
// resident memory, room freed by an earlier run and reused does not hide here.
double memoriaAsignadaMiB();

// A database generated with quendra-db in /tmp, reused when it already exists.
QString baseGenerada(int articulos, int movimientos);

// A copy of the generated database in the folder, for a benchmark that changes
// it, so the shared one stays as made; empty (with a message) when it cannot be made.
QString copiaDeGenerada(const QTemporaryDir &carpeta, int articulos, int movimientos);

// The same copy brought to the program's version and opened as the program's
// connection; false (with a message) when it cannot be made.
bool abrirCopiaDeGenerada(const QTemporaryDir &carpeta, int articulos, int movimientos);

// A statement in SQLite's own dialect run on the file through the bare sqlite3
// API, every column of every row read (text or double); the rows go nowhere.
void leerDesnudo(const QString &archivo, const QByteArray &sql);

// A statement run through the bare sqlite3 API on a connection already open
// (the program's own handle), every column of every row read as text.
void ejecutarDesnudo(sqlite3 *db, const QString &sql);

// A database of its own, made afresh with the program's empty tables, on the
// private server that bench/with_server.sh starts (QUENDRA_SERVIDOR_PRUEBAS);
// its address. Throws when no server was started.
QString baseEnServidor(const QString &nombre);

// Runs quendra-db with these arguments and gives what it printed; throws when it fails.
QString quendraDb(const QStringList &argumentos);

// The machine's load averages as /proc/loadavg gives them (other work shares it).
QString cargaDeLaMaquina();

// A time alone.
void imprimir(const char *que, double ms);
// A time of the program beside its bare side measured in the same run, their
// ratio, and under them what the bare side does.
void imprimir(const char *que, double ms, double msBase, const char *ladoDesnudo);
// A time of form or widget work that no bare statement does: shown as a form
// time, never as a ratio over a query.
void tiempoDeForma(const char *que, double ms);
// One figure in any unit, aligned with the others.
void cifra(const char *que, double valor, const char *unidad);

// Wall and processor time of one run of f, in milliseconds: the machine may be
// shared, and waiting for a processor is nobody's cost.
struct Tiempo
{
    double pared = 0, cpu = 0;
};
Tiempo medir(const std::function<void()> &f);

// The medians of `veces` runs of the program's side and of its bare side,
// alternating, so that both meet the same machine.
struct Par
{
    Tiempo programa, desnudo;
};
Par alternando(int veces, const std::function<void()> &programa, const std::function<void()> &desnudo);
// Both sides in wall and in processor time, with their ratios, and under them
// what the bare side does.
void imprimir(const char *que, const Par &par, const char *ladoDesnudo);

// Windows go to the offscreen display unless the caller named another; call
// before the application object is made.
void pantallaVirtual();

// What a benchmark with windows starts with: the offscreen display, the
// application set up as the program sets itself up, and a folder for the files
// it writes (a scratch folder removed at the end, unless the caller names one).
class Programa
{
public:
    Programa(int &argc, char **argv);
    ~Programa();
    Programa(const Programa &) = delete;
    Programa &operator=(const Programa &) = delete;
    // The folder, made when missing: `carpeta`, or the scratch folder when empty.
    QDir salida(const QString &carpeta = QString()) const;

private:
    std::unique_ptr<QApplication> app_;
    QTemporaryDir scratch_;
};

// A bare libpq connection.
class Pg
{
public:
    explicit Pg(const QString &direccion);
    ~Pg();
    Pg(const Pg &) = delete;
    Pg &operator=(const Pg &) = delete;

    // Runs one statement; a query's rows are read whole, each value touched.
    qint64 correr(const QByteArray &sql);
    // A table's rows in COPY's text form.
    std::string copiarFuera(const char *tabla);
    void copiarDentro(const char *tabla, const std::string &datos);

private:
    ::pg_conn *c_;
    long tocados_ = 0;
};

} // namespace banco
