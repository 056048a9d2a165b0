#pragma once

#include <QDate>
#include <QString>
#include <memory>

class Recordset;

// "Registro de cambios": the rows of the record of changes between two days,
// both included, oldest first, as fecha, hora, operador (the server's role and,
// in brackets, the system user and the computer; on a file the user and the
// computer), tipo (as an operator reads it), numero, comprobante, objeto,
// anterior and nuevo, and the layout's style column, empty: every row prints plain.
struct FiltroRegistro
{
    QDate desde;
    QDate hasta;
    // Part of the role, the system user or the computer; empty for every operator.
    QString operador;
    // An article's number and a voucher's, zero-filled; empty for all. A voucher
    // also finds the transfers that name it.
    QString numero;
    QString comprobante;
};

QString consultaRegistro(const FiltroRegistro &filtro);
std::unique_ptr<Recordset> armarRegistro(const FiltroRegistro &filtro);
