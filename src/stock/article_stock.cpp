#include "article_stock.h"
#include "connection.h"
#include "numbers.h"
#include "sql_text.h"
#include "stock_sql.h"

#include <QHash>

namespace stockArticulo {

QString deMovimientos(Connection &conexion, const QString &numero)
{
    return numeros::numeral15(
        conexion.execute(sqlStock::suma(numero))->field(QStringLiteral("stk")).value().toDouble());
}

void reescribir(Connection &conexion, const QString &numero)
{
    conexion.execute(sqlStock::actualizarStock(numero, deMovimientos(conexion, numero)));
}

void reescribirVarios(Connection &conexion, const QStringList &numeros)
{
    QHash<QString, double> sumas;
    for (const QString &lista : listasDeNumeros(numeros))
        for (auto rs = conexion.execute(sqlStock::sumas(lista)); !rs->eof(); rs->moveNext())
            sumas.insert(rs->field(0).text(), rs->field(1).value().toDouble());
    // Each sum written as reescribir writes it: the same statement, the same figure.
    QStringList sentencias;
    sentencias.reserve(numeros.size());
    for (const QString &numero : numeros)
        sentencias << sqlStock::actualizarStock(numero, numeros::numeral15(sumas.value(numero)));
    conexion.executeAll(sentencias);
}

QStringList listasDeNumeros(const QStringList &numeros)
{
    constexpr qsizetype porLista = 500;
    QStringList listas;
    for (qsizetype i = 0; i < numeros.size(); i += porLista) {
        QString lista;
        for (qsizetype k = i; k < std::min(i + porLista, numeros.size()); ++k)
            lista += (k > i ? QStringLiteral(",") : QString()) + sqlEntreComillas(numeros[k]);
        listas << lista;
    }
    return listas;
}

} // namespace stockArticulo
