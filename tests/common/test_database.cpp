#include "test_database.h"

#include "data_sets.h"
#include "database_file.h"
#include "mprincipal.h"
#include "server_database.h"

#include <QCoreApplication>
#include <QFile>

QString servidorDePruebas()
{
    const QString admin = qEnvironmentVariable("QUENDRA_SERVIDOR_PRUEBAS");
    if (admin.isEmpty())
        qFatal("Las pruebas en el servidor necesitan QUENDRA_SERVIDOR_PRUEBAS: ejecútelas con ctest, en una entrada "
               "que use el servidor (quendra_uses_server en tests/CMakeLists.txt)");
    return admin;
}

QString baseNuevaEnServidor(const QString &nombre)
{
    const QString admin = servidorDePruebas();
    const QString base = nombre + QStringLiteral("_%1").arg(QCoreApplication::applicationPid());
    baseServidor::ejecutar(admin, QStringLiteral("DROP DATABASE IF EXISTS ") + base);
    baseServidor::ejecutar(admin, QStringLiteral("CREATE DATABASE ") + base);
    return admin.left(admin.lastIndexOf(QLatin1Char('/')) + 1) + base;
}

BaseDePrueba::BaseDePrueba(Contenido c)
{
    archivo_ = carpeta_.filePath(QStringLiteral("quendra.accdb"));
    archivoBase::crear(archivo_);
    if (c == Demo)
        datos::llenarDemo(archivo_);
    lugar_ = enServidor() ? copiarAlServidor() : archivo_;
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
    // The process's own database, made on first use; the cluster is thrown away after the run.
    static const QString direccion = baseNuevaEnServidor(QStringLiteral("prueba"));
    baseServidor::ejecutar(direccion, QStringLiteral("DROP SCHEMA public CASCADE; CREATE SCHEMA public"));
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
