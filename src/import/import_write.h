#pragma once

#include "import_check.h"

#include <QString>
#include <QStringList>

class Connection;

namespace importacion {

struct Resumen
{
    int agregados = 0;
    int actualizados = 0;
    int familias = 0;
    // One entry voucher per storage place, "comprobante (depósito)".
    QStringList comprobantes;
    // The copy of the file made first, and the command that puts it back; empty on a server.
    QString copia;
    QString restaurar;
};

struct Resultado
{
    // The rows as checked inside the transaction; with any wrong row nothing was written.
    Revision revision;
    Resumen resumen;
    // Every row was right, and whatever they change is stored.
    bool escrito = false;
};

// Imports the sheet in one transaction: the rows checked again against the
// database as it stands, then the new families, the articles added or updated
// (never their stock, which the postings keep), and the opening stock posted as
// entry vouchers, one per place, detail "Stock inicial", at each row's cost. A
// file is first copied into backups/, unless nothing changes. Any wrong row, a refused posting or an
// error of the database leaves the database as it was.
Resultado importar(Connection &conexion, const Opciones &opciones);

} // namespace importacion
