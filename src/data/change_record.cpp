#include "change_record.h"
#include "connection.h"
#include "numbers.h"
#include "sql_text.h"

#include <QSysInfo>
#include <pwd.h>
#include <unistd.h>

namespace registroCambios {

namespace {

struct Nombre
{
    Tipo tipo;
    const char *clave;
    const char *descripcion;
};

// The keys are stored: they never change once a row carries them.
constexpr Nombre nombres[] = {
    {Tipo::ArticuloAlta, "articulo-alta", "Artículo agregado"},
    {Tipo::ArticuloCambio, "articulo-cambio", "Artículo cambiado"},
    {Tipo::ArticuloBaja, "articulo-baja", "Artículo eliminado"},
    {Tipo::FamiliaAlta, "familia-alta", "Familia agregada"},
    {Tipo::FamiliaCambio, "familia-cambio", "Familia cambiada"},
    {Tipo::FamiliaBaja, "familia-baja", "Familia eliminada"},
    {Tipo::LineaAlta, "linea-alta", "Línea registrada"},
    {Tipo::LineaCambio, "linea-cambio", "Línea cambiada"},
    {Tipo::ComprobanteBaja, "comprobante-baja", "Comprobante eliminado"},
    {Tipo::ComprobanteImpreso, "comprobante-impreso", "Comprobante impreso"},
    {Tipo::CeldaGrilla, "celda-grilla", "Celda guardada en la grilla"},
    {Tipo::FilaBaja, "fila-baja", "Fila eliminada en la grilla"},
    {Tipo::Importacion, "importacion", "Importación aplicada"},
    {Tipo::Conteo, "conteo", "Conteo aplicado"},
    {Tipo::Transferencia, "transferencia", "Transferencia registrada"},
    {Tipo::TransferenciaCambio, "transferencia-cambio", "Transferencia cambiada"},
    {Tipo::TransferenciaBaja, "transferencia-baja", "Transferencia eliminada"},
};

const QString separador = QStringLiteral("; ");

QString par(const QString &columna, const QString &texto)
{
    return columna + QStringLiteral(": ") + texto;
}

bool iguales(const QString &a, const QString &b)
{
    const QString x = a.trimmed();
    const QString y = b.trimmed();
    if (x == y)
        return true;
    return numeros::esNumero(x) && numeros::esNumero(y) && numeros::valorImporte(x) == numeros::valorImporte(y);
}

// Empty stays NULL, so that a search for a voucher finds only the rows that name one.
QString valorSql(const QString &texto)
{
    return texto.isEmpty() ? QStringLiteral("NULL") : sqlEntreComillas(texto);
}

} // namespace

QString clave(Tipo tipo)
{
    for (const Nombre &n : nombres)
        if (n.tipo == tipo)
            return QString::fromLatin1(n.clave);
    return {};
}

QString descripcion(const QString &clave)
{
    for (const Nombre &n : nombres)
        if (clave == QLatin1String(n.clave))
            return QString::fromUtf8(n.descripcion);
    // A kind added by a newer program reads as it is stored.
    return clave;
}

QString descripcionSql(const QString &columna)
{
    QString sql = QStringLiteral("CASE ") + columna;
    for (const Nombre &n : nombres)
        sql += QStringLiteral(" WHEN ") + sqlEntreComillas(QLatin1String(n.clave)) + QStringLiteral(" THEN ")
               + sqlEntreComillas(QString::fromUtf8(n.descripcion));
    return sql + QStringLiteral(" ELSE ") + columna + QStringLiteral(" END");
}

QString usuarioDelSistema()
{
    if (const passwd *pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString equipo()
{
    return QSysInfo::machineHostName();
}

void anotar(Connection &conexion, const Cambio &cambio)
{
    static const QString usuario = usuarioDelSistema();
    static const QString maquina = equipo();
    conexion.execute(
        QStringLiteral("INSERT INTO registro_cambios (usuario, equipo, tipo, numero, comprobante, objeto, anterior, "
                       "nuevo) VALUES (")
        + QStringList{valorSql(usuario), valorSql(maquina), valorSql(clave(cambio.tipo)), valorSql(cambio.numero),
                      valorSql(cambio.comprobante), valorSql(cambio.objeto), valorSql(cambio.anterior),
                      valorSql(cambio.nuevo)}
              .join(QStringLiteral(", "))
        + QLatin1Char(')'));
}

Diferencias diferencias(const QStringList &columnas, const QStringList &anteriores, const QStringList &nuevos)
{
    QStringList antes;
    QStringList despues;
    for (qsizetype i = 0; i < columnas.size(); ++i) {
        const QString a = anteriores.value(i);
        const QString n = nuevos.value(i);
        if (iguales(a, n))
            continue;
        antes << par(columnas[i], a);
        despues << par(columnas[i], n);
    }
    return {antes.join(separador), despues.join(separador)};
}

QString valores(const QStringList &columnas, const QStringList &textos)
{
    QStringList partes;
    for (qsizetype i = 0; i < columnas.size(); ++i)
        partes << par(columnas[i], textos.value(i));
    return partes.join(separador);
}

} // namespace registroCambios
