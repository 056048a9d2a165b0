#pragma once

#include <QDate>
#include <QString>
#include <memory>

class Recordset;

// "Artículos a reponer": the articles at or below their minimum at the end of a
// day, for one storage place or (an empty code) for every minimum. A row per
// article and place: numero, nombre, deposito ("Todos" for a minimum of all
// places), stock, minimo, reponer, pedir (what brings it up to the order-up-to
// quantity, or to the minimum without one), costo and importe (pedir times
// costo in cents). Grouped by supplier, then family: a row naming the supplier
// before its articles, one with each family's subtotal after them, one with the
// supplier's subtotal and at the end one with the total.
std::unique_ptr<Recordset> armarReposicion(const QDate &al, const QString &deposito);
