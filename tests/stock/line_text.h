#pragma once

#include "numbers.h"
#include "stock_operations.h"

#include <QStringList>

namespace pruebas {

// "comprobante[*] tipo numero cantidad costo", * marking a number proposed for a new voucher; dated 06-12-2026,
// place 01, family 0001, detail "Nota".
inline operacionesStock::Linea linea(const QString &texto)
{
    const QStringList p = texto.split(' ');
    return {.comprobante = QString(p[0]).remove('*'),
            .nuevo = p[0].endsWith('*'),
            .entrada = p[1] == "EN",
            .fecha = QDate(2026, 12, 6),
            .deposito = "01",
            .detalle = "Nota",
            .numero = p[2],
            .codigo = "0001",
            .cantidad = numeros::valor(p[3]),
            .costo = numeros::valor(p[4])};
}

} // namespace pruebas
