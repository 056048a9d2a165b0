#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class Recordset;

// What the two stock reports cover: a day and the article and family ranges,
// as the filter window's boxes hold them.
struct FiltroStock
{
    QString al;          // the last day counted, "31-12-2025"
    QString desdeNumero; // article number range, compared as text
    QString hastaNumero;
    QString desdeFamilia; // family code range, compared as text
    QString hastaFamilia;
};

// The day is complete and possible: a date box with blanks or 31-02-2026 is
// refused before any statement runs.
bool fechaStockCompleta(const FiltroStock &filtro);

// The stock of each article in each storage place at the end of the day: a
// row per article (its number, name, a column per storage place, the total
// and the mark), and the codes of the storage places in column order. The
// storage places come first (those with movements up to the day), then one
// statement grouped by article gives a pair of sums per place. A place column
// is there when some selected article has movements in it up to the day; a
// place without movements of an article is left empty. The mark "*" says that
// the article's stored stock is not the sum of all of its movements (a voucher
// was deleted after posting, or the stock was edited by hand). A last row
// "Total" sums each column.
// The rows of both reports carry a column "estilo" that sets some apart when
// printed (report_layout.h, styleField): a heading bold, a total bold under a rule.
extern const QString columnaEstilo, estiloTitulo, estiloTotal;

struct StockPorDeposito
{
    std::unique_ptr<Recordset> filas;
    QStringList depositos; // a null text for the movements without a storage place
};
QString sentenciaDepositos(const FiltroStock &filtro);
QString sentenciaStockPorDeposito(const FiltroStock &filtro, const QStringList &depositos);
StockPorDeposito armarStockPorDeposito(const FiltroStock &filtro);
// The column of the i-th storage place in the rows.
QString columnaDeposito(int i);

// The value of the stock at the end of the day, from one statement grouped by
// article: per article its stock, its cost and their product rounded to cents
// (halves to even, on the exact decimals), in family order; before each family a
// row with its heading, after it one with its subtotal, and at the end one with
// the grand total. Columns: numero, nombre, stock, costo, importe, estilo.
QString sentenciaValorizacion(const FiltroStock &filtro);
std::unique_ptr<Recordset> armarValorizacion(const FiltroStock &filtro);
