#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Reading the rows of a spreadsheet (.xlsx, .ods, .csv, .xls) one at a time, as
// the file is read: no row is kept after the reader has seen it. (The XML of an
// .xlsx or .ods sheet is unpacked whole before it is parsed, and FreeXL loads an
// .xls whole.) Whoever reads counts, prices or a catalogue reads them here.
namespace hojas {

struct Celda
{
    enum class Tipo { Vacia, Texto, Numero, Booleano, Fecha };
    Tipo tipo = Tipo::Vacia;
    // Texto: the text as stored. A CSV field is always text.
    QString texto;
    // Numero, and Booleano as 1 or 0.
    double numero = 0;
    // Fecha: a number the cell's format shows as a date, or a date cell.
    QDate fecha;

    bool vacia() const { return tipo == Tipo::Vacia || (tipo == Tipo::Texto && texto.trimmed().isEmpty()); }
    // What the operator sees in the sheet, locale-free: numbers with a period, dates dd-mm-yyyy.
    QString comoTexto() const;
};

struct Fila
{
    // The sheet's own row number, from 1, so that what is said about a row points at the right one.
    int numero = 0;
    // From column A; the cells after the last filled one are left out.
    QList<Celda> celdas;
};

// Called with each row that has a filled cell, in order; false stops the reading.
using Destino = std::function<bool(const Fila &)>;

enum class Formato { Xlsx, Ods, Csv, Xls };

// The format by the file's extension; throws QuendraError for any other.
Formato formatoDe(const QString &archivo);

// The names of the sheets, in order; a CSV file has one, named after the file.
QStringList nombresDeHojas(const QString &archivo);

// Reads the rows of the sheet of that name (the first one when empty). Throws
// QuendraError when the file cannot be read or has no such sheet.
void leer(const QString &archivo, const QString &hoja, const Destino &destino);

} // namespace hojas
