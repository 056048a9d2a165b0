#pragma once

#include <QString>

// The transfer window's article lookups; quotes in the texts are doubled.
namespace sqlTransferencias {

// The article of exactly that number.
QString articulo(const QString &numero);
// The lookup dialog's query: number, name and family of the articles whose name holds the text.
QString busquedaPorNombre(const QString &nombre);

} // namespace sqlTransferencias
