// quendra-db: creates, fills and checks Quendra database files.
#include "backup.h"
#include "connection.h"
#include "data_sets.h"
#include "database_check.h"
#include "database_file.h"
#include "import_command.h"
#include "process_setup.h"
#include "quendra_error.h"
#include "restore.h"
#include "schema_upgrade.h"
#include "server_copy.h"
#include "server_database.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

namespace {

// One line per command, so a new command is one more row.
struct Orden
{
    const char *nombre, *argumentos, *descripcion;
};
const Orden ordenes[] = {
    {"create", "ARCHIVO|postgresql://...", "base vacía de esta versión, en un archivo o en el servidor"},
    {"copy", "ARCHIVO postgresql://...", "copia los datos del archivo al servidor"},
    {"demo", "ARCHIVO", "base con datos de demostración"},
    {"generate", "ARCHIVO --articles N --movements M", "base grande para medir tiempos"},
    {"check", "ARCHIVO|postgresql://...", "versión, integridad y stock contra movimientos"},
    {"upgrade", "ARCHIVO|postgresql://...", "lleva la base a esta versión (de un archivo, antes una copia)"},
    {"backup", "ARCHIVO DESTINO", "copia de seguridad, también con el programa abierto"},
    {"backup", "postgresql://... DESTINO", "los datos del servidor en un archivo que abre el programa"},
    {"restore", "COPIA ARCHIVO", "pone la copia en lugar del archivo, que queda como .anterior"},
    {"import", "PLANILLA ARCHIVO|postgresql://... [--deposito 01] [--fecha dd-mm-aaaa] [--hoja NOMBRE] [--revisar]",
     "artículos y stock inicial de una planilla, todo o nada"},
};

void escribirUso(std::FILE *salida)
{
    std::fputs("Uso: quendra-db ORDEN ARGUMENTOS | --help | --version\n", salida);
    for (const Orden &o : ordenes)
        std::fprintf(salida, "  %-9s %-36s  %s\n", o.nombre, o.argumentos, o.descripcion);
}

int uso()
{
    escribirUso(stderr);
    return 2;
}

int entero(const QStringList &args, const QString &nombre, int defecto)
{
    int i = args.indexOf(nombre);
    if (i < 0 || i + 1 >= args.size())
        return defecto;
    bool ok = false;
    int v = args[i + 1].toInt(&ok);
    if (!ok || v < 1)
        throw QuendraError(QuendraError::ValorFueraDeRango, nombre + QStringLiteral(" necesita un número positivo"));
    return v;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    prepararProceso();
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
        escribirUso(stdout);
        return 0;
    }
    if (args.size() == 1 && (args[0] == QLatin1String("--version") || args[0] == QLatin1String("-v"))) {
        std::printf("quendra-db %s\n", qUtf8Printable(QCoreApplication::applicationVersion()));
        return 0;
    }
    if (args.size() < 2)
        return uso();
    const QString orden = args[0], archivo = args[1];
    try {
        QElapsedTimer reloj;
        reloj.start();
        if (orden == QLatin1String("create") && esDireccionServidor(archivo)) {
            baseServidor::crear(archivo);
        } else if (orden == QLatin1String("create")) {
            archivoBase::crear(archivo);
        } else if (orden == QLatin1String("copy")) {
            if (args.size() < 3 || !esDireccionServidor(args[2]))
                return uso();
            const auto cuentas = baseServidor::copiar(archivo, args[2]);
            std::printf("%-12s %12s %12s\n", "tabla", "archivo", "servidor");
            for (const auto &c : cuentas)
                std::printf("%-12s %12lld %12lld\n", qUtf8Printable(c.tabla), c.origen, c.destino);
            std::printf("copiado en %.1f s\n", double(reloj.elapsed()) / 1000.0);
        } else if (orden == QLatin1String("demo")) {
            archivoBase::crear(archivo);
            datos::llenarDemo(archivo);
        } else if (orden == QLatin1String("generate")) {
            int articulos = entero(args, QStringLiteral("--articles"), 10000);
            int movimientos = entero(args, QStringLiteral("--movements"), 1000000);
            archivoBase::crear(archivo);
            datos::llenarGenerado(archivo, articulos, movimientos);
            std::printf("%d artículos y %d movimientos en %.1f s\n", articulos, movimientos,
                        double(reloj.elapsed()) / 1000.0);
        } else if (orden == QLatin1String("upgrade")) {
            Connection c;
            c.open(archivo);
            const auto r = actualizacionEsquema::actualizar(c);
            if (!r.hecha())
                std::printf("%s ya está en la versión %d\n", qUtf8Printable(c.archivo()), r.hasta);
            else
                std::printf(
                    "%s actualizada de la versión %d a la %d%s\n", qUtf8Printable(c.archivo()), r.desde, r.hasta,
                    qUtf8Printable(r.copia.isEmpty() ? QString() : QStringLiteral("; copia anterior en ") + r.copia));
        } else if (orden == QLatin1String("check")) {
            if (const QString version = datos::descripcionVersion(archivo); !version.isEmpty())
                std::printf("%s\n", qUtf8Printable(version));
            const QStringList problemas = datos::comprobar(archivo);
            for (const QString &p : problemas)
                std::printf("%s\n", qUtf8Printable(p));
            if (problemas.isEmpty())
                std::printf("%s: correcto\n", qUtf8Printable(archivo));
            return problemas.isEmpty() ? 0 : 1;
        } else if (orden == QLatin1String("backup") && args.size() == 3) {
            const bool servidor = esDireccionServidor(archivo);
            QString destino = args[2];
            if (QFileInfo(destino).isDir())
                destino = QDir(destino).filePath(servidor ? copiaServidor::nombreDelDia(QDate::currentDate())
                                                          : copias::nombreDelDia(QDate::currentDate()));
            if (servidor) {
                for (const copiaServidor::Cuenta &c : copiaServidor::aArchivo(archivo, destino))
                    std::printf("%-12s %10lld\n", qUtf8Printable(c.tabla), c.filas);
            } else {
                copias::copiar(archivo, destino);
            }
            std::printf("Copia guardada en %s\n", qUtf8Printable(destino));
        } else if (orden == QLatin1String("import") && args.size() >= 3) {
            return ordenImportar(args);
        } else if (orden == QLatin1String("restore") && args.size() == 3) {
            datos::restaurar(archivo, args[2]);
            std::printf("%s restaurado desde %s\n", qUtf8Printable(args[2]), qUtf8Printable(archivo));
        } else {
            return uso();
        }
    } catch (const QuendraError &e) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(e.texto()));
        return 1;
    }
    return 0;
}
