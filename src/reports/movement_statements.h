#pragma once

#include "sql_dialect.h"
#include "sql_text.h"

#include <QString>

// What the movement report covers: the texts of the filter window's boxes at
// the moment the report is asked for.
struct FiltroMovimientos
{
    QString desde;       // first day, as the date box shows it ("05-03-2026")
    QString hasta;       // last day
    QString desdeNumero; // article number range, compared as text
    QString hastaNumero;
    QString desdeFamilia; // family code range, compared as text
    QString hastaFamilia;
    QString deposito; // storage place, already trimmed; matched as a part of the stored code
};

// The statements of the report. Every text that goes between quotes has its
// quotes doubled; the date texts go between "#" as they are, so the caller
// checks them first (fechasCompletas).
namespace sentenciasMovimientos {

// Both dates complete and possible: a date box with blanks or 31-02-2026 is refused
// before any statement runs.
bool fechasCompletas(const FiltroMovimientos &filtro);

// The articles in both ranges, in article-number order.
QString seleccionArticulos(const FiltroMovimientos &filtro);

// The two statements of each article of one report; the parts that do not
// change from one article to the next are joined once.
class PorArticulo
{
public:
    explicit PorArticulo(const FiltroMovimientos &filtro);
    // The article's balance before the first day, in the chosen storage places.
    QString saldoInicial(const QString &numero) const { return saldo_.texto(sqlTexto(numero)); }
    // The article's movements from the first to the last day, in the chosen storage places.
    QString movimientos(const QString &numero) const { return movimientos_.texto(sqlTexto(numero)); }
    // The same two, each with the article's number, its quotes doubled, as its value.
    const SentenciaConValor &sentenciaSaldo() const { return saldo_; }
    const SentenciaConValor &sentenciaMovimientos() const { return movimientos_; }

private:
    SentenciaConValor saldo_, movimientos_;
};

} // namespace sentenciasMovimientos
