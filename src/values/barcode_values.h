#pragma once

#include <QString>

// Barcodes as values: which symbology a code is printed in, its check digit,
// whether it may be stored, and the in-store code an article without one gets.
namespace codigoBarras {

// EAN-13, EAN-8 and UPC-A are all digits with a check digit at the end; any
// other code is printed as Code 128, as typed.
enum class Tipo { Ean13, Ean8, UpcA, Code128 };
// "EAN-13", "EAN-8", "UPC-A" or "Code 128".
QString nombre(Tipo t);

// The check digit of the digits before it (the weights 3 and 1 alternate from
// the right), for all three kinds.
int digitoControl(QStringView cuerpo);

// The kind a code is printed in: 13, 8 or 12 digits make an EAN-13, EAN-8 or
// UPC-A whatever their last digit; anything else is Code 128.
Tipo tipo(const QString &codigo);

// Why the code, already trimmed, cannot be stored, or an empty text: a wrong
// check digit, a text that reads as an article number (at most six digits), a
// character a scanner does not type, or a code longer than a label can print.
QString rechazo(const QString &codigo);

// An article number typed into an article box, rather than a code to look up:
// after trimming, at most six digits.
bool esNumeroArticulo(const QString &texto);

// The in-store EAN-13 of an article (prefix 2, free for a shop's own use):
// "200000", its six-digit number and the check digit.
QString interno(const QString &numeroArticulo);

// The longest code stored.
inline constexpr int largoMaximo = 48;

} // namespace codigoBarras
