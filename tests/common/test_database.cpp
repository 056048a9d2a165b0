#include "test_database.h"

#include "data_sets.h"
#include "database_file.h"
#include "mprincipal.h"
#include "server_database.h"

#include <QCoreApplication>
#include <QFile>

namespace {

// The test process's own database on the private server, created on first
// use and dropped when the process ends.
class BaseDelProceso
{
public:
    BaseDelProceso()
    {
        admin_ = qEnvironmentVariable("QUENDRA_SERVIDOR_PRUEBAS");
        if (admin_.isEmpty())
            qFatal("Las pruebas en el servidor necesitan QUENDRA_SERVIDOR_PRUEBAS: ejecútelas con ./test.sh");
        nombre_ = QStringLiteral("prueba_%1").arg(QCoreApplication::applicationPid());
        baseServidor::ejecutar(admin_, QStringLiteral("DROP DATABASE IF EXISTS ") + nombre_);
        baseServidor::ejecutar(admin_, QStringLiteral("CREATE DATABASE ") + nombre_);
        direccion_ = admin_.left(admin_.lastIndexOf(QLatin1Char('/')) + 1) + nombre_;
    }
    ~BaseDelProceso()
    {
        try {
            baseServidor::ejecutar(admin_, QStringLiteral("DROP DATABASE IF EXISTS ") + nombre_);
        } catch (...) {
            // the cluster is thrown away with its folder anyway
        }
    }
    const QString &direccion() const { return direccion_; }

private:
    QString admin_, nombre_, direccion_;
};

const QString &direccionDelProceso()
{
    static BaseDelProceso base;
    return base.direccion();
}

} // namespace

bool BaseDePrueba::enServidor()
{
    return qEnvironmentVariable("QUENDRA_MOTOR_PRUEBAS") == QLatin1String("postgresql");
}

BaseDePrueba::BaseDePrueba(Contenido c)
{
    archivo_ = carpeta_.filePath(QStringLiteral("quendra.accdb"));
    archivoBase::crear(archivo_);
    if (c == Demo)
        datos::llenarDemo(archivo_);
    lugar_ = archivo_;
    if (enServidor())
        lugar_ = copiarAlServidor();
    mPrincipal::fijarArchivoBaseDatos(lugar_);
    mPrincipal::conexion().open(lugar_);
}

BaseDePrueba::~BaseDePrueba()
{
    mPrincipal::conexion().close();
    mPrincipal::fijarArchivoBaseDatos(QString());
}

QString BaseDePrueba::copiarAlServidor()
{
    const QString &direccion = direccionDelProceso();
    baseServidor::ejecutar(direccion, QStringLiteral("DROP TABLE IF EXISTS articulo, familia, movstk"));
    baseServidor::crear(direccion);
    baseServidor::copiar(archivo_, direccion);
    return direccion;
}

void BaseDePrueba::llenarGenerado(int articulos, int movimientos)
{
    mPrincipal::conexion().close();
    QFile::remove(archivo_);
    archivoBase::crear(archivo_);
    datos::llenarGenerado(archivo_, articulos, movimientos);
    if (enServidor())
        lugar_ = copiarAlServidor();
    mPrincipal::conexion().open(lugar_);
}

QString BaseDePrueba::valor(const QString &sql) const
{
    auto rs = mPrincipal::conexion().execute(sql);
    return rs->eof() ? QString() : rs->field(0).text();
}

QStringList filasComoTexto(const Recordset &rs)
{
    QStringList filas;
    for (qsizetype f = 0; f < rs.rowCount(); ++f) {
        QStringList campos;
        for (int c = 0; c < rs.fieldCount(); ++c)
            campos << rs.text(f, c);
        filas << campos.join(QLatin1Char(' '));
    }
    return filas;
}

QStringList BaseDePrueba::filas(const QString &sql) const
{
    return filasComoTexto(*mPrincipal::conexion().execute(sql));
}

void BaseDePrueba::ejecutar(const QString &sql) const
{
    mPrincipal::conexion().execute(sql);
}
