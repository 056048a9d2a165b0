#include "grid_statements.h"
#include "dates.h"
#include "numbers.h"
#include "quendra_error.h"
#include "sql_text.h"
#include "type_codes.h"

namespace sentenciasGrilla {

namespace {

const QString coma = QStringLiteral(",");
const QString punto = QStringLiteral(".");

QString entreComillas(const QString &t)
{
    return QLatin1Char('\'') + sqlTexto(t) + QLatin1Char('\'');
}

// A number as SQL reads it: a decimal comma written as a point.
QString conPunto(QString t)
{
    qsizetype i = t.indexOf(coma);
    if (i >= 0)
        t.replace(i, 1, punto);
    return t;
}

// A value written without quotes must be a number; anything else is quoted,
// so no cell text can change the statement.
QString numeroSinComillas(const QString &t)
{
    return numeros::esNumero(t) ? conPunto(t) : entreComillas(t);
}

// yyyy-mm-dd for a day-first date text; a text that is no date stays as it is.
QString fechaIso(const QString &t)
{
    QDate f = fechas::leer(t);
    return f.isValid() ? f.toString(QStringLiteral("yyyy-MM-dd")) : t;
}

QString condicionClave(const Fila &fila, int k)
{
    const QString &h = fila.encabezados[k];
    const QString &w = fila.textos[k];
    const TipoCampo tipo = fila.tipos[k];
    // An empty key matches a stored null whatever the column's type: "H = " with
    // nothing after it, or a date read from nothing, would not run.
    if (w.isEmpty())
        return QStringLiteral("ISNULL(") + h + QLatin1Char(')');
    if (tipo == TipoCampo::Simple)
        return h + QStringLiteral(" = ") + numeroSinComillas(w);
    if (tipo == TipoCampo::Fecha)
        return h + QStringLiteral(" = '") + fechaIso(w) + QLatin1Char('\'');
    if (tipo == TipoCampo::Decimal && w.contains(coma))
        return h + QStringLiteral(" = ") + numeroSinComillas(w);
    return h + QStringLiteral(" = ") + entreComillas(w);
}

// One comparison of the deletion condition. An empty cell stands for a stored
// null as much as for an empty text, so it matches both.
QString comparacion(const Fila &fila, int i)
{
    const QString &h = fila.encabezados[i];
    const QString &v = fila.textos[i];
    const TipoCampo tipo = fila.tipos[i];
    if (v.isEmpty())
        return QStringLiteral("(ISNULL(") + h + QStringLiteral(") or ") + h + QStringLiteral("='')");
    if (tipo == TipoCampo::Simple)
        return h + QLatin1Char('=') + numeroSinComillas(v);
    if (tipo == TipoCampo::Fecha)
        return h + QLatin1Char('=') + entreComillas(fechaIso(v));
    if (esNumerica(tipo))
        return h + QLatin1Char('=') + entreComillas(conPunto(v));
    return h + QLatin1Char('=') + entreComillas(v);
}

void comprobarFila(const Fila &fila)
{
    if (fila.tipos.size() != fila.encabezados.size() || fila.textos.size() != fila.encabezados.size())
        throw QuendraError(QuendraError::ValorFueraDeRango,
                           QStringLiteral("La fila no tiene un texto y un tipo por columna"));
}

} // namespace

QString actualizacion(const QString &tabla, const Fila &fila, int columna, const QList<int> &claves)
{
    comprobarFila(fila);
    if (claves.isEmpty())
        throw QuendraError(QuendraError::ValorFueraDeRango,
                           QStringLiteral("Sin columnas clave no se puede saber qué fila guardar"));
    const int n = int(fila.encabezados.size());
    for (int k : claves)
        if (k < 0 || k >= n)
            throw QuendraError(QuendraError::ValorFueraDeRango,
                               QStringLiteral("La columna clave %1 no existe en la grilla").arg(k));
    if (columna < 0 || columna >= n)
        throw QuendraError(QuendraError::ValorFueraDeRango,
                           QStringLiteral("La columna %1 no existe en la grilla").arg(columna));

    const QString &v = fila.textos[columna];
    QString asignacion;
    switch (fila.tipos[columna]) {
    case TipoCampo::Fecha:
        asignacion = QStringLiteral(" ='") + fechaIso(v) + QLatin1Char('\'');
        break;
    case TipoCampo::Simple:
        asignacion = QStringLiteral(" =") + numeroSinComillas(v);
        break;
    default:
        asignacion = QStringLiteral(" = ") + entreComillas(v);
    }

    QStringList condiciones;
    for (int k : claves)
        condiciones << condicionClave(fila, k);
    return QStringLiteral("UPDATE ") + tabla + QStringLiteral(" SET ") + fila.encabezados[columna] + asignacion
           + QStringLiteral(" where ") + condiciones.join(QStringLiteral(" and "));
}

QString eliminacion(const QString &tabla, const Fila &fila)
{
    comprobarFila(fila);
    QStringList comparaciones;
    for (int i = 0; i < fila.encabezados.size(); ++i)
        comparaciones << comparacion(fila, i);
    return QStringLiteral("delete from ") + tabla + QStringLiteral(" where ")
           + comparaciones.join(QStringLiteral(" and "));
}

Chequeo chequear(const QString &texto, TipoCampo tipo)
{
    if (texto.trimmed().isEmpty())
        return Chequeo::Vacia;
    if (tipo == TipoCampo::Fecha && !fechas::esFecha(texto))
        return Chequeo::FechaIncorrecta;
    if (tipo == TipoCampo::Simple && !numeros::esNumero(texto))
        return Chequeo::NumeroIncorrecto;
    return Chequeo::Valida;
}

} // namespace sentenciasGrilla
