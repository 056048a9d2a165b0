#include "article_stock.h"
#include "batched_writes.h"
#include "connection.h"
#include "numbers.h"
#include "sql_text.h"
#include "stock_sql.h"

#include <QHash>

namespace stockArticulo {

namespace {
// Numbers in one IN list: short statements on either engine.
constexpr qsizetype numerosPorLista = 500;
} // namespace

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
    EscriturasEnTandas escrituras(conexion);
    for (qsizetype desde = 0; desde < numeros.size(); desde += numerosPorLista) {
        const QStringList parte = numeros.mid(desde, numerosPorLista);
        QHash<QString, double> sumas;
        for (auto rs = conexion.execute(sqlStock::sumas(listasDeNumeros(parte).constFirst())); !rs->eof();
             rs->moveNext())
            sumas.insert(rs->field(0).text(), rs->field(1).value().toDouble());
        // Each sum written as reescribir writes it: the same figure.
        QStringList stocks;
        for (const QString &numero : parte)
            stocks << numeros::numeral15(sumas.value(numero));
        escrituras.agregar(sqlStock::actualizarStocks(parte, stocks));
    }
    escrituras.enviar();
}

QStringList listasDeNumeros(const QStringList &numeros)
{
    QStringList listas;
    for (qsizetype i = 0; i < numeros.size(); i += numerosPorLista) {
        QString lista;
        for (qsizetype k = i; k < std::min(i + numerosPorLista, numeros.size()); ++k)
            lista += (k > i ? QStringLiteral(",") : QString()) + sqlEntreComillas(numeros[k]);
        listas << lista;
    }
    return listas;
}

} // namespace stockArticulo
