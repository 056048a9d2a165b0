#pragma once

// Field type codes reported by the data layer, after the common data-access
// enumeration the forms and the grid were written against.
enum class TipoCampo : int {
    Ninguno = 0,    // a computed column whose first value has not been read yet
    Entero = 3,     // INTEGER columns
    Simple = 4,     // REAL columns: amounts, checked and written as numbers
    Caracter = 129, // fixed-length character (in-memory report recordsets)
    Decimal = 131,  // exact decimal
    Fecha = 133,    // DATE columns
    Texto = 202,    // TEXT columns
};

// Whether a column holds numbers: checked as numbers, aligned right.
constexpr bool esNumerica(TipoCampo tipo)
{
    return tipo == TipoCampo::Simple || tipo == TipoCampo::Entero || tipo == TipoCampo::Decimal;
}
