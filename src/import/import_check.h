#pragma once

#include "column_matching.h"
#include "compact_cells.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class Connection;

// Reading a sheet of articles and their opening stock, and saying of each row
// what importing it would do or why it cannot be imported. Nothing is written here.
namespace importacion {

struct Opciones
{
    QString archivo;
    // Empty for the first sheet.
    QString hoja;
    Columnas columnas;
    // The storage place of the opening stock of a row that names none, and its date.
    QString deposito = QStringLiteral("01");
    QDate fecha;
};

enum class Veredicto { Nuevo, Actualiza, SinCambios, Error };

// What the check keeps of each row: its number and verdict, eight bytes.
struct FilaRevisada
{
    // The sheet's row number.
    int fila = 0;
    Veredicto veredicto = Veredicto::SinCambios;
};

// A wrong row (its place in Revision::filas): the field whose cell is wrong, and why.
struct ErrorDeFila
{
    qsizetype indice = 0;
    Campo campo = Campo::Numero;
    QString motivo;
};

// The opening stock a row posts in its place, small enough for a sheet of
// hundreds of thousands of rows: the article's digits as a number, its family
// code and the place as positions in lists of the texts (Revision::textos).
struct StockImportado
{
    qint32 numero = 0;
    qint32 codigo = 0;
    qint32 deposito = 0;
    double cantidad = 0;
    double costo = 0;
};

struct FamiliaNueva
{
    QString codigo;
    QString nombre;
};

struct Revision
{
    QStringList encabezados;
    QList<FilaRevisada> filas;
    // The wrong rows, in order.
    QList<ErrorDeFila> errores;
    // What the row's cell of each field shows, for the preview (Vista only: the write needs none of it); kept
    // as UTF-8, one block for every row.
    CeldasCompactas celdas;
    QList<FamiliaNueva> familiasNuevas;
    // What a right sheet writes, kept only when the check is asked for it (ParaEscribir): each article to
    // write, from its first row, new or changed (its numero, codigo, nombre, detalle, alta and costo as the
    // article form would store them) and whether it is new; the opening stock of each row that has one.
    CeldasCompactas articulos;
    QList<bool> articuloNuevo;
    QList<StockImportado> stock;
    // The family codes and places the stock rows name, each once.
    QStringList textos;
    int cuenta(Veredicto v) const;
    bool correcta() const { return errores.isEmpty(); }
    // The verdict of the row at `indice` as the preview shows it: "Nuevo", "Actualiza", "Sin cambios", or
    // for a wrong row the field's name and the reason ("costo: costo no numérico").
    QString texto(qsizetype indice) const;
};

// The texts of the sheet's first filled row, its headers.
QStringList encabezados(const QString &archivo, const QString &hoja);

// The preview needs the verdicts; the import also what the rows write.
enum class Uso { Vista, ParaEscribir };

// Reads every row after the headers and checks it against the database as it stands. Throws QuendraError
// when the file cannot be read.
Revision revisar(Connection &conexion, const Opciones &opciones, Uso uso = Uso::Vista);

} // namespace importacion
