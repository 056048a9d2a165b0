#pragma once

#include <QString>
#include <QStringList>

class Connection;

// The stock an article's movements give, for the operations that change them.
namespace stockArticulo {

// The sum of the article's movements, written as a sum computed in SQL is written back.
QString deMovimientos(Connection &conexion, const QString &numero);

// Stores that sum as the article's stock on hand.
void reescribir(Connection &conexion, const QString &numero);

// The same for many articles, with a few statements for all of them.
void reescribirVarios(Connection &conexion, const QStringList &numeros);

// Quoted numbers joined for an IN list, in parts of a size every engine takes.
QStringList listasDeNumeros(const QStringList &numeros);

} // namespace stockArticulo
