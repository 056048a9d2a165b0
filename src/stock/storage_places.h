#pragma once

#include <QList>
#include <QString>

class Connection;

// The storage places (table deposito): a short code, which the movements name
// in their deposito column, and a name for the operator.
namespace depositos {

struct Deposito
{
    QString codigo;
    QString nombre;
};

// The longest code a place may have: it fits the forms' DEPOSITO boxes.
inline constexpr int anchoCodigo = 4;

// Every place, in code order.
QList<Deposito> todos(Connection &conexion);
// The name of the place with that code; empty when there is none.
QString nombre(Connection &conexion, const QString &codigo);
// How many movement lines name the place.
qint64 movimientos(Connection &conexion, const QString &codigo);
// Adds the place, or gives the place of that code its new name. Two operators
// saving one code take turns, so the second renames what the first added.
void guardar(Connection &conexion, const Deposito &deposito);

// What the places window's grid shows: id, codigo, nombre in code order.
QString consultaGrilla();

} // namespace depositos
