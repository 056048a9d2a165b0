#pragma once

#include <QString>

class Connection;

// The stock an article's movements give, for the operations that change them.
namespace stockArticulo {

// The sum of the article's movements, written as a sum computed in SQL is written back.
QString deMovimientos(Connection &conexion, const QString &numero);

// Stores that sum as the article's stock on hand.
void reescribir(Connection &conexion, const QString &numero);

} // namespace stockArticulo
