#include "mprincipal.h"
#include "database_location.h"
#include "database_settings.h"
#include "dates.h"
#include "numbers.h"
#include "quendra_error.h"
#include "sql_text.h"

#include <QCoreApplication>

namespace mPrincipal {

QString depositoDefecto;
QString sqlBusqueda;
QString codigoBusqueda;

namespace {
QString &archivoFijado()
{
    static QString a;
    return a;
}

// Quote doubling, then a number's comma becomes a point; the insert builder
// also wraps a date between "#".
struct Valor
{
    QString texto;
    bool fecha = false;
};

Valor renderizar(const QString &v, bool conFechas)
{
    Valor r{sqlTexto(v)};
    if (numeros::esNumero(r.texto))
        r.texto.replace(QLatin1Char(','), QLatin1Char('.'));
    if (conFechas && fechas::esFecha(r.texto)) {
        r.texto = QLatin1Char('#') + r.texto + QLatin1Char('#');
        r.fecha = true;
    }
    return r;
}

void comprobarListas(const QStringList &columnas, const QStringList &valores)
{
    if (columnas.isEmpty() || columnas.size() != valores.size())
        throw QuendraError(QuendraError::NombreDesconocido,
                           QStringLiteral("Las listas de columnas y de valores no se corresponden"));
}
} // namespace

Connection &conexion()
{
    static Connection c;
    return c;
}

QString archivoBaseDatos()
{
    if (!archivoFijado().isEmpty())
        return archivoFijado();
    if (const QString servidor = ajustesBase::servidor(); !servidor.isEmpty())
        return servidor;
    return ubicacionBase::elegir(QCoreApplication::applicationDirPath(), ubicacionBase::carpetaDatos());
}

void fijarArchivoBaseDatos(const QString &archivo)
{
    archivoFijado() = archivo;
}

QString sentenciaInsert(const QString &tabla, const QStringList &columnas, QStringList valores)
{
    return sentenciaInsertFilas(tabla, columnas, {valores});
}

QString sentenciaInsertFilas(const QString &tabla, const QStringList &columnas, const QList<QStringList> &filas)
{
    QString lista;
    for (const QStringList &valores : filas) {
        comprobarListas(columnas, valores);
        lista += lista.isEmpty() ? QStringLiteral("(") : QStringLiteral(",(");
        for (qsizetype k = 0; k < valores.size(); ++k) {
            const Valor v = renderizar(valores[k], true);
            if (k > 0)
                lista += QLatin1Char(',');
            if (v.texto.isEmpty())
                lista += QStringLiteral("NULL");
            else if (v.fecha && k > 0)
                lista += v.texto;
            else
                lista += QLatin1Char('\'') + v.texto + QLatin1Char('\'');
        }
        lista += QLatin1Char(')');
    }
    if (filas.isEmpty())
        comprobarListas(columnas, {});
    return QStringLiteral("INSERT INTO ") + tabla + QLatin1Char('(') + columnas.join(QLatin1Char(','))
           + QStringLiteral(") VALUES ") + lista;
}

QString sentenciaUpdate(const QString &tabla, const QStringList &columnas, QStringList valores,
                        const QString &condicion)
{
    comprobarListas(columnas, valores);
    QString asignaciones;
    for (qsizetype k = 0; k < valores.size(); ++k) {
        QString v = renderizar(valores[k], false).texto;
        if (k > 0)
            asignaciones += QLatin1Char(',');
        asignaciones +=
            columnas[k] + (v.isEmpty() ? QStringLiteral("=NULL") : QStringLiteral("='") + v + QLatin1Char('\''));
    }
    return QStringLiteral("UPDATE ") + tabla + QStringLiteral(" SET ") + asignaciones + QStringLiteral(" WHERE ")
           + condicion;
}

void insertarRegistro(const QString &tabla, const QStringList &columnas, const QStringList &valores)
{
    conexion().execute(sentenciaInsert(tabla, columnas, valores));
}

void actualizarRegistro(const QString &tabla, const QStringList &columnas, const QStringList &valores,
                        const QString &condicion)
{
    conexion().execute(sentenciaUpdate(tabla, columnas, valores, condicion));
}

std::unique_ptr<Recordset> abrirConsulta(const QString &sql)
{
    return conexion().execute(sql);
}

void leerConsulta(const QString &sql, RowSink &destino)
{
    conexion().read(sql, destino);
}

} // namespace mPrincipal
