#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

class Connection;
class Recordset;

// Transfers between storage places: goods leave one place and enter another in
// one document, kept as an exit voucher in the origin and an entry voucher in
// the destination with the same lines, tied together by the transfer's number
// (table transferencia). Like the stock operations they post through, each runs
// in one transaction, holds what it touches against other operators and
// returns a refusal as a value; a database error throws QuendraError and leaves
// nothing written.
namespace transferencias {

struct Linea
{
    // The article's six digits and its family's code.
    QString numero;
    QString codigo;
    // Stored rounded to two decimals.
    double cantidad = 0;
    double costo = 0;
};

struct Transferencia
{
    // 0 for a new transfer; else the stored one it replaces.
    int numero = 0;
    QDate fecha;
    QString origen;
    QString destino;
    QString detalle;
    QList<Linea> lineas;
    // A stored transfer's vouchers, and whether it was printed.
    QString salida;
    QString entrada;
    bool impresa = false;
};

enum class Rechazo {
    Ninguno,
    MismoDeposito,
    DepositoInexistente,
    SinLineas,
    // An article on two lines: each article is moved by one line.
    ArticuloRepetido,
    // A quantity of zero or less moves nothing the other way round.
    CantidadInvalida,
    // The origin holds less than the line takes out, at the transfer's date or after it.
    SinStockEnOrigen,
    // The article's stock over every place is less than the line (a place below zero elsewhere).
    SinStock,
    SinNumeros,
    Impresa,
    // Deleted by another operator meanwhile.
    NoExiste,
};

struct Resultado
{
    Rechazo rechazo = Rechazo::Ninguno;
    // The refused line.
    qsizetype indice = -1;
    // SinStockEnOrigen, SinStock: what there is, cut to 15 significant digits.
    double stock = 0;
    // SinNumeros: the greatest stored voucher number.
    QString ultimo;
    // Once posted: the transfer's number and its two vouchers.
    int numero = 0;
    QString salida;
    QString entrada;
};

// The note both vouchers carry: "Transferencia 7 de 01 a 02".
QString detalleComprobantes(int numero, const QString &origen, const QString &destino);
// How the record of changes names a transfer: "Transferencia 7 (salida 00000012, entrada 00000013)".
QString enRegistro(int numero, const QString &salida, const QString &entrada);

// What the place holds of the article: its movements there up to the day, and
// all of them (later ones too), each cut to 15 significant digits.
struct StockEnDeposito
{
    double alDia = 0;
    double total = 0;
};
StockEnDeposito stockEnDeposito(Connection &conexion, const QString &numero, const QString &deposito, const QDate &dia);

// Posts a new transfer, or replaces a stored unprinted one as a whole: every
// line checked against what the origin holds, then both vouchers written.
Resultado registrar(Connection &conexion, const Transferencia &transferencia);

// Deletes an unprinted transfer with both its vouchers; the stock of every
// article it moved is written back. Ninguno, Impresa or NoExiste.
Resultado eliminar(Connection &conexion, int numero);

// A stored transfer with its lines (those of its exit voucher), or none.
std::optional<Transferencia> leer(Connection &conexion, int numero);

// The transfer a voucher belongs to; 0 for a voucher of no transfer.
int deComprobante(Connection &conexion, const QString &comprobante);

struct Remito
{
    Transferencia transferencia;
    // numero, nombre, cantidad, costo: one row per line, in article order.
    std::shared_ptr<const Recordset> filas;
};

// Marks both vouchers printed and reads what the transfer note lists; none
// when the transfer is gone.
std::optional<Remito> marcarImpresa(Connection &conexion, int numero);

} // namespace transferencias
