#include "article_barcodes.h"
#include "barcode_values.h"
#include "codes.h"
#include "connection.h"
#include "sql_text.h"

namespace codigosBarras {

namespace {

// The article that holds the code, with its name; no row when none does.
std::unique_ptr<Recordset> duenio(Connection &conexion, const QString &codigo)
{
    return conexion.execute(
        QStringLiteral("select c.numero, a.nombre from codigo_barras c left join articulo a on a.numero=c.numero "
                       "where c.codigo=")
        + sqlEntreComillas(codigo));
}

// Inside the caller's transaction: why the code cannot go to the article, or
// an empty text once it is stored. A code the article already holds is a
// refusal only when `yaTenidoRechaza`.
QString guardar(Connection &conexion, const QString &numero, const QString &codigo, bool yaTenidoRechaza)
{
    conexion.bloquear(QStringLiteral("codigo_barras ") + codigo);
    auto rs = duenio(conexion, codigo);
    if (!rs->eof()) {
        const QString otro = rs->field(0).text();
        if (otro != numero)
            return QStringLiteral("El código %1 ya es del artículo %2 %3").arg(codigo, otro, rs->field(1).text());
        return yaTenidoRechaza ? QStringLiteral("El artículo %1 ya tiene el código %2").arg(numero, codigo) : QString();
    }
    conexion.execute(QStringLiteral("insert into codigo_barras(numero, codigo) values (") + sqlEntreComillas(numero)
                     + QStringLiteral(", ") + sqlEntreComillas(codigo) + QLatin1Char(')'));
    return QString();
}

} // namespace

Lectura leer(Connection &conexion, const QString &texto)
{
    if (codigoBarras::esNumeroArticulo(texto))
        return {false, texto};
    auto rs = conexion.execute(QStringLiteral("select numero from codigo_barras where codigo=")
                               + sqlEntreComillas(texto.trimmed()));
    return {true, rs->eof() ? QString() : rs->field(0).text()};
}

QString mensajeDesconocido(const QString &codigo)
{
    return QStringLiteral("Ningún artículo tiene el código %1").arg(codigo.trimmed());
}

QStringList delArticulo(Connection &conexion, const QString &numero)
{
    QStringList codigos;
    for (auto rs = conexion.execute(QStringLiteral("select codigo from codigo_barras where numero=")
                                    + sqlEntreComillas(numero) + QStringLiteral(" order by id"));
         !rs->eof(); rs->moveNext())
        codigos.append(rs->field(0).text());
    return codigos;
}

QString agregar(Connection &conexion, const QString &numero, const QString &codigo)
{
    const QString limpio = codigo.trimmed();
    if (const QString rechazo = codigoBarras::rechazo(limpio); !rechazo.isEmpty())
        return rechazo;
    Transaction transaccion(conexion);
    if (conexion.execute(QStringLiteral("select numero from articulo where numero=") + sqlEntreComillas(numero))->eof())
        return QStringLiteral("Guarde el artículo antes de darle códigos de barras");
    const QString rechazo = guardar(conexion, numero, limpio, true);
    if (rechazo.isEmpty())
        transaccion.commit();
    return rechazo;
}

void quitar(Connection &conexion, const QString &numero, const QString &codigo)
{
    conexion.execute(QStringLiteral("delete from codigo_barras where numero=") + sqlEntreComillas(numero)
                     + QStringLiteral(" and codigo=") + sqlEntreComillas(codigo));
}

QString asignarInternos(Connection &conexion, const QStringList &numeros)
{
    Transaction transaccion(conexion);
    for (const QString &numero : numeros) {
        // The code is made of the number's six digits; an older number of another form has none to give.
        if (numero.size() != 6 || !codigos::rellenado(numero, codigos::Clase::Articulo))
            return QStringLiteral("El artículo %1 no tiene un número de seis dígitos del que hacer su código interno")
                .arg(numero);
        if (const QString rechazo = guardar(conexion, numero, codigoBarras::interno(numero), false); !rechazo.isEmpty())
            return rechazo;
    }
    transaccion.commit();
    return QString();
}

} // namespace codigosBarras
