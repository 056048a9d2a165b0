#pragma once

// Field type codes reported by the data layer, after the common data-access
// enumeration the forms and the grid were written against.
namespace TipoCampo {
constexpr int Entero = 3;     // INTEGER columns
constexpr int Simple = 4;     // REAL columns: amounts, checked and written as numbers
constexpr int Caracter = 129; // fixed-length character (in-memory report recordsets)
constexpr int Decimal = 131;  // exact decimal
constexpr int Fecha = 133;    // DATE columns
constexpr int Texto = 202;    // TEXT columns
} // namespace TipoCampo
