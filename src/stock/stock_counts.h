#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class Connection;

// Physical counts of a storage place. A count is opened for a place, a day and
// the articles it covers; the quantities counted are saved line by line as they
// are entered, so a count may last days and several operators may fill it at
// once. Its differences against the books are computed at any time and posted
// in one step (aplicar) as an entry voucher for the surpluses and an exit
// voucher for the shortages; or the count is discarded. An applied or discarded
// count no longer changes. Refusals come back as values; a database error
// throws QuendraError and leaves nothing written.
namespace recuentos {

enum class Estado { Abierto, Aplicado, Descartado };

// The articles a count covers: a number range and a family range, an empty bound being no limit.
struct Alcance
{
    QString desdeNumero, hastaNumero;
    QString desdeFamilia, hastaFamilia;
};

struct Recuento
{
    int numero = 0;
    QString deposito;
    // The books are taken at the end of this day.
    QDate fecha;
    Alcance alcance;
    Estado estado = Estado::Abierto;
    // The articles covered and not counted are taken as counted 0.
    bool noContadosCero = false;
    QString abiertoPor, abiertoEl;
    // Who applied or discarded it, and when.
    QString cerradoPor, cerradoEl;
    // The adjustment vouchers an applied count posted; empty when it had none of that kind.
    QString comprobanteEntrada, comprobanteSalida;
};

enum class Rechazo {
    Ninguno,
    NoExiste,
    // Applied or discarded: the count no longer changes.
    Cerrado,
    ArticuloInexistente,
    // A count is zero or more, within the amounts the program takes.
    CantidadInvalida,
    // Posting the adjustment found the voucher numbers used up.
    SinNumeros,
};

// Whether the ranges cover the article of that number and family, compared as the statements compare texts.
bool cubre(const Alcance &alcance, const QString &numero, const QString &familia);

// Opens a new count for the place and day; its number.
int abrir(Connection &conexion, const QString &deposito, const QDate &fecha, const Alcance &alcance,
          const QString &usuario);
std::optional<Recuento> leer(Connection &conexion, int numero);
// The open counts, oldest first.
QList<Recuento> abiertos(Connection &conexion);

enum class Modo { Sumar, Reemplazar };

struct Anotado
{
    Rechazo rechazo = Rechazo::Ninguno;
    // The quantity the line holds now.
    double contado = 0;
};

// Saves the quantity counted of an article (at once, on its own): added to what
// the line already holds, or put in its place. Rounded to two decimals.
Anotado anotar(Connection &conexion, int recuento, const QString &numero, double cantidad, Modo modo);
// What the line of the article holds, when the article was counted.
std::optional<double> contado(Connection &conexion, int recuento, const QString &numero);
Rechazo quitar(Connection &conexion, int recuento, const QString &numero);
Rechazo fijarNoContadosCero(Connection &conexion, int recuento, bool cero);

struct LineaContada
{
    QString numero, nombre;
    double contado = 0;
};
// The lines entered so far, in article order.
std::vector<LineaContada> lineas(Connection &conexion, int recuento);

struct Diferencia
{
    QString numero, nombre, familia;
    // What the place's movements give at the end of the count's day, and what was counted.
    double libro = 0;
    double contado = 0;
    double costo = 0;
    // Not counted, and taken as counted 0 (noContadosCero).
    bool noContado = false;
    // contado - libro, to the hundredth.
    double diferencia() const;
    // The difference times the cost, rounded half to even, in hundredths.
    int64_t valor() const;
};

// The articles whose count or book quantity matters, in article order: each
// counted article, and with noContadosCero each article covered whose books
// show any stock. An open count is computed against the movements as they are
// now; an applied one gives the figures it was posted with.
std::vector<Diferencia> diferencias(Connection &conexion, const Recuento &recuento);

struct ArticuloPlanilla
{
    QString numero, nombre, familia;
    double libro = 0;
};
// The articles the count covers, in family then article order, for the sheet the counters fill.
// The book quantity only when asked for: counters count what they see.
std::vector<ArticuloPlanilla> planilla(Connection &conexion, const Recuento &recuento, bool conLibro);

// The article of exactly that number, for the window that enters lines (libro left 0).
std::optional<ArticuloPlanilla> articulo(Connection &conexion, const QString &numero);

struct Aplicacion
{
    Rechazo rechazo = Rechazo::Ninguno;
    // The count as it was applied, and its differences as they were posted.
    Recuento recuento;
    std::vector<Diferencia> diferencias;
};

// The note of both adjustment vouchers.
QString detalleAjuste(int recuento);

// Applies the count in one transaction: its differences computed again, the
// surpluses posted as one entry voucher and the shortages as one exit voucher
// in its place, dated its day; an exit that exceeds the books is not refused,
// since it brings them to what is there. The count is then closed with the
// figures posted. A closed count is refused.
Aplicacion aplicar(Connection &conexion, int recuento, const QString &usuario);

// Closes an open count without posting anything.
Rechazo descartar(Connection &conexion, int recuento, const QString &usuario);

} // namespace recuentos
