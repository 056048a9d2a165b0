#pragma once

#include <QString>

// The statements of the article and family forms and of the article list.
// Every field text that goes between quotes has its quotes doubled.
namespace sqlCatalogo {

// What the article form's grid shows: every article, or those whose name holds the text.
QString grillaArticulos();
QString articulosPorNombre(const QString &nombre);
// One article with the name of its family; none when its family is missing.
QString articuloConFamilia(const QString &numero);
QString articulo(const QString &numero);
// The lookup dialog's query: code and name of the families whose name holds the text.
QString busquedaFamilias(const QString &nombre);
QString familia(const QString &codigo);

// What the family form's grid shows.
QString grillaFamilias();
QString familiaExistente(const QString &condicion);

// Every article, in name order, for the printed list.
QString listaArticulos();

// What labels print, a row per article: numero, nombre, cantidad (how many
// labels) and codigo (its oldest barcode; null when it has none). The articles
// of a range of numbers or of a family, one label each, in number order; or
// the entries of a voucher, a label per unit, in the voucher's order.
QString etiquetasDelRango(const QString &desde, const QString &hasta);
QString etiquetasDeFamilia(const QString &familia);
QString etiquetasDelComprobante(const QString &comprobante);

} // namespace sqlCatalogo
