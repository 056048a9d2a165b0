#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class Connection;
class Recordset;

// The operations that change stock, on either engine, each in one transaction of
// its own on the connection given. They take plain values and hold the voucher
// and the article against other operators while they run. What the rules refuse
// comes back as a value; an error of the database throws QuendraError, and then
// nothing of the operation stays written.
namespace operacionesStock {

// One line of a voucher: one article entering or leaving a storage place.
struct Linea
{
    // Eight digits. A number proposed for a new voucher (`nuevo`) is only taken
    // when the line is posted: if another operator stored lines under it
    // meanwhile, the line goes to the next free number instead.
    QString comprobante;
    bool nuevo = false;
    bool entrada = true;
    QDate fecha;
    QString deposito;
    QString detalle;
    // The article's six digits and its family's code.
    QString numero;
    QString codigo;
    // Stored rounded to two decimals.
    double cantidad = 0;
    double costo = 0;
    // A count's adjustment brings the books to what is there: its exit is not
    // refused for exceeding the stock.
    bool ajuste = false;
};

enum class Rechazo {
    Ninguno,
    // The exit exceeds the article's stock.
    SinStock,
    // The line was for a new voucher and the eight digits are used up.
    SinNumeros,
    // A line of the voucher is printed: the voucher stays as its ticket lists it.
    Impreso,
    // The voucher is half of a transfer, which changes only as a whole (transfer_operations.h).
    DeTransferencia,
};

struct Resultado
{
    Rechazo rechazo = Rechazo::Ninguno;
    // The voucher that holds the line: another than the one asked when it was renumbered.
    QString comprobante;
    // SinStock: the stock the movements give, cut to 15 significant digits as it is written back.
    double stock = 0;
    // SinNumeros: the greatest stored voucher number.
    QString ultimo;
};

// Posts the line: the voucher's number settled, an exit checked against the
// stock its movements give (without the line it writes over), the line
// inserted or, when the article already has one in the voucher, written over;
// then the article's stock written back. Nothing is written into a printed voucher.
Resultado registrarLinea(Connection &conexion, const Linea &linea);

struct ResultadoLineas
{
    // The first refusal; Ninguno when every line was posted.
    Resultado resultado;
    // The index of the refused line.
    qsizetype indice = -1;
    // The voucher of each line, when every line was posted.
    QStringList comprobantes;
};

// Posts the lines in order, each as registrarLinea does, all or nothing: the
// first refusal leaves none written. A line into either voucher of a transfer is refused. Lines proposed for one new voucher go to
// the same number, the one the first of them took.
ResultadoLineas registrarLineas(Connection &conexion, const QList<Linea> &lineas);

// The same inside a transaction the caller has begun and will end, so that
// other writes (an import's articles) and the lines are kept or undone together.
// After a refusal the caller rolls back.
ResultadoLineas registrarLineasEnCurso(Connection &conexion, const QList<Linea> &lineas);

// The same as registrarLineasEnCurso, with the same checks, refusals and stored
// rows, for many lines at once (an import): entries into a voucher that holds no
// line of their article yet are inserted together, and each article's stock is
// written back once, at the end. On a server this takes a few round trips
// instead of several per line.
ResultadoLineas registrarLoteEnCurso(Connection &conexion, const QList<Linea> &lineas);

// The number after the greatest stored voucher ("00000001" for the first);
// empty when the eight digits are used up, `ultimo` then naming the last one.
QString siguienteComprobante(Connection &conexion, QString &ultimo);

struct Estado
{
    int lineas = 0;
    int impresas = 0;
};

// How many lines the voucher holds, and how many of them are printed.
Estado estadoComprobante(Connection &conexion, const QString &comprobante);

// Deletes every line of the voucher and writes back the stock of its articles.
// A voucher with a printed line (Impreso) or half of a transfer (DeTransferencia)
// is refused and nothing is deleted.
Resultado eliminarComprobante(Connection &conexion, const QString &comprobante);

struct Impresion
{
    // The sum of the voucher's exits, cut to 15 significant digits as a sum
    // computed in SQL is written back, so 1.1 + 2.4 is the 3.5 it stands for.
    double totalSalida = 0;
    // The ticket's rows: numero, nombre, cantidad.
    std::shared_ptr<const Recordset> filas;
};

// Marks every unprinted line of the voucher printed, then reads its exit total
// and ticket rows, holding the voucher so that the ticket lists exactly what is marked.
Impresion marcarImpreso(Connection &conexion, const QString &comprobante);

} // namespace operacionesStock
