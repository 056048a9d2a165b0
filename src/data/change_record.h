#pragma once

#include <QString>
#include <QStringList>

class Connection;

// The record of who changed what (the table registro_cambios): one row per
// change, written by the operation that makes the change inside its own
// transaction, so that the change and its row are stored together or not at all.
// The database adds the day and the time, and on a server the role; the row
// carries the system user and the computer.
namespace registroCambios {

enum class Tipo {
    ArticuloAlta,
    ArticuloCambio,
    ArticuloBaja,
    FamiliaAlta,
    FamiliaCambio,
    FamiliaBaja,
    LineaAlta,
    LineaCambio,
    ComprobanteBaja,
    ComprobanteImpreso,
    // A cell saved in a list window's grid: objeto names the table and the column.
    CeldaGrilla,
    // A row of another table deleted in a list window's grid: objeto names the table.
    FilaBaja,
    Importacion,
    Conteo,
    Transferencia,
    TransferenciaCambio,
    TransferenciaBaja,
};

struct Cambio
{
    Tipo tipo;
    // The article's six digits, when the change is about one article.
    QString numero;
    // The voucher's eight digits, when the change is about one voucher.
    QString comprobante;
    // Whatever else names what changed: a family's code, a transfer's number, the file imported.
    QString objeto;
    QString anterior;
    QString nuevo;
};

// Adds the row. Throws QuendraError when the database refuses it; the caller's
// transaction then stores nothing of its change either.
void anotar(Connection &conexion, const Cambio &cambio);

// The kind as stored, and as an operator reads it.
QString clave(Tipo tipo);
QString descripcion(const QString &clave);
// The same as an SQL expression over the column that holds the key.
QString descripcionSql(const QString &columna);

// "columna: valor; columna: valor" for the columns whose values differ, old and
// new. Numbers that are equal as numbers ("2" and "2.00") and texts that differ
// only in surrounding blanks are no difference.
struct Diferencias
{
    QString anterior;
    QString nuevo;
};
Diferencias diferencias(const QStringList &columnas, const QStringList &anteriores, const QStringList &nuevos);

// "columna: valor; ..." for every column: a row added or deleted whole.
QString valores(const QStringList &columnas, const QStringList &textos);

// Who is at this computer, as the record names them.
QString usuarioDelSistema();
QString equipo();

} // namespace registroCambios
