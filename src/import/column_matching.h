#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Which column of a sheet holds each field of an article, found by its header.
namespace importacion {

enum class Campo { Numero, Nombre, Familia, NombreFamilia, Detalle, Costo, Alta, Stock, Deposito };
inline constexpr int cantidadCampos = 9;

// The field's name as the assistant and the messages show it.
QString nombreCampo(Campo campo);

// A header as it is compared: lower case, no accents, no dots, single blanks ("Nº. Cód." -> "nº cod").
QString normalizado(const QString &texto);

// The column (from 0) of each field, -1 for none.
struct Columnas
{
    QList<int> indice = QList<int>(cantidadCampos, -1);
    int operator[](Campo c) const { return indice[int(c)]; }
    int &operator[](Campo c) { return indice[int(c)]; }
};

// Each field to the first header that names it, ignoring case and accents.
Columnas emparejar(const QStringList &encabezados);

} // namespace importacion
