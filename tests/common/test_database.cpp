#include "test_database.h"

#include "data_sets.h"
#include "database_file.h"
#include "mprincipal.h"

BaseDePrueba::BaseDePrueba(Contenido c)
{
    archivo_ = carpeta_.filePath(QStringLiteral("quendra.accdb"));
    archivoBase::crear(archivo_);
    if (c == Demo)
        datos::llenarDemo(archivo_);
    mPrincipal::fijarArchivoBaseDatos(archivo_);
    mPrincipal::conexion().open(archivo_);
}

BaseDePrueba::~BaseDePrueba()
{
    mPrincipal::conexion().close();
    mPrincipal::fijarArchivoBaseDatos(QString());
}

QString BaseDePrueba::valor(const QString &sql) const
{
    auto rs = mPrincipal::conexion().execute(sql);
    return rs->eof() ? QString() : rs->field(0).text();
}

void BaseDePrueba::ejecutar(const QString &sql) const
{
    mPrincipal::conexion().execute(sql);
}
