#pragma once

#include <QString>
#include <memory>

class Connection;
class Recordset;

// The labels to print: which articles, from where on the sheet, with which codes.
namespace etiquetas {

enum class Origen { Rango, Familia, Comprobante };

struct Pedido
{
    Origen origen = Origen::Rango;
    QString desde, hasta; // article numbers, zero-filled
    QString familia;      // family code
    QString comprobante;  // voucher number: a label per unit it entered
    int primeraLibre = 1; // the first free position of a partly used sheet, from 1
};

struct Etiquetas
{
    // numero, nombre, codigo: one row per label, blank rows for the positions
    // already used; null when refused.
    std::unique_ptr<Recordset> filas;
    // Why nothing is printed (an in-store code another article holds), or empty.
    QString rechazo;
    qsizetype cantidad = 0; // labels with an article
};

// Reads the articles and gives those without a barcode their in-store EAN-13
// (stored, so the labels scan), then lays out the rows.
Etiquetas armar(Connection &conexion, const Pedido &pedido);

} // namespace etiquetas
