#include "bench_support.h"
#include "schema_version.h"

#include "application_setup.h"
#include "connection.h"
#include "mprincipal.h"
#include "server_database.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>
#include <ctime>
#include <libpq-fe.h>
#include <malloc.h>
#include <sqlite3.h>
#include <stdexcept>

namespace banco {

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double medianaMs(int veces, const std::function<void()> &f)
{
    std::vector<double> t;
    for (int i = 0; i < veces; ++i) {
        auto a = std::chrono::steady_clock::now();
        f();
        auto b = std::chrono::steady_clock::now();
        t.push_back(std::chrono::duration<double, std::milli>(b - a).count());
    }
    return mediana(std::move(t));
}

namespace {
double campoStatus(const char *campo)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &l : f.readAll().split('\n'))
        if (l.startsWith(campo))
            return l.mid(qsizetype(strlen(campo))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}
} // namespace

double memoriaMiB()
{
    return campoStatus("VmRSS:");
}
double memoriaPicoMiB()
{
    return campoStatus("VmHWM:");
}

double memoriaAsignadaMiB()
{
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / 1048576.0;
}

QString baseGenerada(int articulos, int movimientos)
{
    // The schema's checksum and version in the name: a file generated before the
    // schema (its indexes, its upgrade steps) changed is not reused.
    // Two programs of one version may hold different steps, so their names count too.
    QFile esquema(QStringLiteral(":/db/schema.sql"));
    QByteArray texto = esquema.open(QIODevice::ReadOnly) ? esquema.readAll() : QByteArray();
    for (const char *paso : versionEsquema::guiones)
        texto += paso;
    const quint16 huella = qChecksum(texto);
    QString archivo = QDir::temp().filePath(QStringLiteral("quendra-bench-%1-%2-%3-v%4.accdb")
                                                .arg(articulos)
                                                .arg(movimientos)
                                                .arg(huella, 4, 16, QLatin1Char('0'))
                                                .arg(versionEsquema::actual));
    if (QFileInfo::exists(archivo))
        return archivo;
    std::printf("Generando %s ...\n", qUtf8Printable(archivo));
    std::fflush(stdout);
    // Built under a name of its own and renamed when whole, so that another
    // benchmark never opens it half generated.
    const QString parcial = archivo + QStringLiteral(".%1.parcial").arg(QCoreApplication::applicationPid());
    int rc =
        QProcess::execute(QStringLiteral(QUENDRA_DB_TOOL),
                          {QStringLiteral("generate"), parcial, QStringLiteral("--articles"),
                           QString::number(articulos), QStringLiteral("--movements"), QString::number(movimientos)});
    if (rc != 0)
        throw std::runtime_error("quendra-db generate failed");
    QFile::remove(parcial + QStringLiteral("-wal"));
    QFile::remove(parcial + QStringLiteral("-shm"));
    if (!QFile::rename(parcial, archivo) && !QFileInfo::exists(archivo))
        throw std::runtime_error("could not rename the generated database");
    QFile::remove(parcial);
    return archivo;
}

QString copiaDeGenerada(const QTemporaryDir &carpeta, int articulos, int movimientos)
{
    const QString generada = baseGenerada(articulos, movimientos);
    const QString archivo = carpeta.filePath(QStringLiteral("quendra.accdb"));
    if (QFile::copy(generada, archivo))
        return archivo;
    std::fprintf(stderr, "cannot copy %s\n", qUtf8Printable(generada));
    return QString();
}

bool abrirCopiaDeGenerada(const QTemporaryDir &carpeta, int articulos, int movimientos)
{
    const QString archivo = copiaDeGenerada(carpeta, articulos, movimientos);
    if (archivo.isEmpty())
        return false;
    quendraDb({QStringLiteral("upgrade"), archivo});
    mPrincipal::conexion().open(archivo);
    return true;
}

void leerDesnudo(const QString &archivo, const QByteArray &sql)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(archivo.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            if (sqlite3_column_type(st, i) == SQLITE_TEXT)
                sqlite3_column_text(st, i);
            else
                sqlite3_column_double(st, i);
    sqlite3_finalize(st);
    sqlite3_close(db);
}

void ejecutarDesnudo(sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *st = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), -1, &st, nullptr) != SQLITE_OK)
        qFatal("%s: %s", utf8.constData(), sqlite3_errmsg(db));
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            sqlite3_column_text(st, i);
    sqlite3_finalize(st);
}

QString baseEnServidor(const QString &nombre)
{
    const QString servidor = qEnvironmentVariable("QUENDRA_SERVIDOR_PRUEBAS");
    if (servidor.isEmpty())
        throw std::runtime_error("no server: run the benchmark through bench/with_server.sh");
    baseServidor::ejecutar(servidor, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(nombre));
    baseServidor::ejecutar(servidor, QStringLiteral("CREATE DATABASE %1").arg(nombre));
    const QString direccion = servidor.left(servidor.lastIndexOf(QLatin1Char('/')) + 1) + nombre;
    baseServidor::crear(direccion);
    return direccion;
}

QString quendraDb(const QStringList &argumentos)
{
    QProcess p;
    p.start(QStringLiteral(QUENDRA_DB_TOOL), argumentos);
    p.waitForFinished(-1);
    const QString salida = QString::fromUtf8(p.readAllStandardOutput());
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error(
            ("quendra-db " + argumentos.join(QLatin1Char(' ')) + ": " + QString::fromUtf8(p.readAllStandardError()))
                .toStdString());
    return salida;
}

QString cargaDeLaMaquina()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QStringLiteral("?\n");
}

void imprimir(const char *que, double ms)
{
    std::printf("%-58s %10.2f ms\n", que, ms);
    std::fflush(stdout);
}

void imprimir(const char *que, double ms, double msBase, const char *ladoDesnudo)
{
    std::printf("%-58s %10.2f ms   bare %10.2f ms   ratio %.2f\n", que, ms, msBase, ms / msBase);
    std::printf("    bare side: %s\n", ladoDesnudo);
    std::fflush(stdout);
}

void tiempoDeForma(const char *que, double ms)
{
    std::printf("%-58s %10.2f ms   form time\n", que, ms);
    std::fflush(stdout);
}

void cifra(const char *que, double valor, const char *unidad)
{
    std::printf("%-58s %10.2f %s\n", que, valor, unidad);
    std::fflush(stdout);
}

namespace {
double cpuMs()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}
} // namespace

Tiempo medir(const std::function<void()> &f)
{
    const double c0 = cpuMs();
    const double pared = medianaMs(1, f);
    return {pared, cpuMs() - c0};
}

Par alternando(int veces, const std::function<void()> &programa, const std::function<void()> &desnudo)
{
    std::vector<double> p, pc, d, dc;
    for (int i = 0; i < veces; ++i) {
        const Tiempo a = medir(programa), b = medir(desnudo);
        p.push_back(a.pared), pc.push_back(a.cpu), d.push_back(b.pared), dc.push_back(b.cpu);
    }
    return {{mediana(p), mediana(pc)}, {mediana(d), mediana(dc)}};
}

void imprimir(const char *que, const Par &par, const char *ladoDesnudo)
{
    std::printf("%-58s %10.2f ms   bare %10.2f ms   ratio %.2f\n", que, par.programa.pared, par.desnudo.pared,
                par.programa.pared / par.desnudo.pared);
    std::printf("%-58s %10.2f ms   bare %10.2f ms   ratio %.2f\n", "  the same in processor time", par.programa.cpu,
                par.desnudo.cpu, par.programa.cpu / par.desnudo.cpu);
    std::printf("    bare side: %s\n", ladoDesnudo);
    std::fflush(stdout);
}

void pantallaVirtual()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

Programa::Programa(int &argc, char **argv)
{
    pantallaVirtual();
    app_ = std::make_unique<QApplication>(argc, argv);
    prepararAplicacion(*app_);
}

Programa::~Programa() = default;

QDir Programa::salida(const QString &carpeta) const
{
    QDir d(carpeta.isEmpty() ? scratch_.path() : carpeta);
    d.mkpath(QStringLiteral("."));
    return d;
}

Pg::Pg(const QString &direccion) : c_(PQconnectdb(direccion.toUtf8().constData()))
{
    if (PQstatus(c_) != CONNECTION_OK)
        throw std::runtime_error(PQerrorMessage(c_));
}
Pg::~Pg()
{
    PQfinish(c_);
}

qint64 Pg::correr(const QByteArray &sql)
{
    PGresult *r = PQexec(c_, sql.constData());
    const ExecStatusType estado = PQresultStatus(r);
    qint64 filas = 0;
    if (estado == PGRES_TUPLES_OK) {
        filas = PQntuples(r);
        for (int f = 0; f < filas; ++f)
            for (int i = 0; i < PQnfields(r); ++i)
                tocados_ += PQgetisnull(r, f, i) ? 0 : PQgetvalue(r, f, i)[0];
    }
    PQclear(r);
    if (estado != PGRES_TUPLES_OK && estado != PGRES_COMMAND_OK && estado != PGRES_COPY_OUT && estado != PGRES_COPY_IN)
        throw std::runtime_error(PQerrorMessage(c_));
    return filas;
}
std::string Pg::copiarFuera(const char *tabla)
{
    correr(QByteArray("COPY ") + tabla + " TO STDOUT");
    std::string datos;
    char *bloque = nullptr;
    int n;
    while ((n = PQgetCopyData(c_, &bloque, 0)) > 0) {
        datos.append(bloque, size_t(n));
        PQfreemem(bloque);
    }
    PQclear(PQgetResult(c_));
    return datos;
}
void Pg::copiarDentro(const char *tabla, const std::string &datos)
{
    correr(QByteArray("COPY ") + tabla + " FROM STDIN");
    for (size_t desde = 0; desde < datos.size(); desde += 1 << 20)
        PQputCopyData(c_, datos.data() + desde, int(std::min<size_t>(1 << 20, datos.size() - desde)));
    PQputCopyEnd(c_, nullptr);
    PGresult *r = PQgetResult(c_);
    const bool bien = PQresultStatus(r) == PGRES_COMMAND_OK;
    PQclear(r);
    if (!bien)
        throw std::runtime_error(PQerrorMessage(c_));
}

} // namespace banco
