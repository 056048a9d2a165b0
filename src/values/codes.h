#pragma once

#include <QString>
#include <optional>

// The numeric codes typed into the forms: family codes, article numbers and
// voucher numbers. A code that would be cut to fit its width names another
// record, so it is refused instead of zero-filled.
namespace codigos {

enum class Clase { Familia, Articulo, Comprobante };

int ancho(Clase clase);

// The code zero-filled to its width, or nothing when, after trimming, it holds
// anything but digits or more digits than the width that are not leading zeros
// (0000012 gives 000012; 1234567 and O'Brien are refused). Blanks give zeros.
std::optional<QString> rellenado(const QString &texto, Clase clase);

// What the operator is told about a refused code: the field and its width.
QString mensajeRechazo(Clase clase);

} // namespace codigos
