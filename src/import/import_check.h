#pragma once

#include "column_matching.h"

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

struct FilaRevisada
{
    // The sheet's row number.
    int fila = 0;
    Veredicto veredicto = Veredicto::SinCambios;
    // For an error: the field whose cell is wrong, and why.
    QString columna;
    QString motivo;
    // What the row's cell of each field shows (Campo order), for the preview.
    QStringList celdas;

    // What is written: the article (on its first row only), and the opening stock in a place.
    bool escribeArticulo = false;
    bool articuloNuevo = false;
    QString numero, codigo, nombre, detalle, costo;
    QDate alta;
    double stock = 0;
    QString deposito;
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
    QList<FamiliaNueva> familiasNuevas;
    int cuenta(Veredicto v) const;
    bool correcta() const { return cuenta(Veredicto::Error) == 0; }
};

// The verdict as the preview shows it: "Nuevo", "Actualiza", "Sin cambios", or the error.
QString texto(const FilaRevisada &fila);

// The texts of the sheet's first filled row, its headers.
QStringList encabezados(const QString &archivo, const QString &hoja);

// Reads every row after the headers and checks it against the database as it stands. Throws QuendraError
// when the file cannot be read.
Revision revisar(Connection &conexion, const Opciones &opciones);

} // namespace importacion
