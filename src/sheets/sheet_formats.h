#pragma once

#include "sheet_reader.h"

#include <QDate>
#include <string_view>

// The reader of each format behind sheet_reader.h.
namespace hojas::detalle {

// .xlsx through liborcus' streaming import interface.
QStringList hojasXlsx(const QString &archivo);
void leerXlsx(const QString &archivo, const QString &hoja, const Destino &destino);

// .ods through liborcus' zip and XML parsers.
QStringList hojasOds(const QString &archivo);
void leerOds(const QString &archivo, const QString &hoja, const Destino &destino);

// .xls through FreeXL.
QStringList hojasXls(const QString &archivo);
void leerXls(const QString &archivo, const QString &hoja, const Destino &destino);

void leerCsv(const QString &archivo, const Destino &destino);

// The day of a spreadsheet's serial date number counted from the workbook's origin.
QDate diaDeSerie(double serie, const QDate &origen);
// Whether a number format code shows a date: it has day, month-with-day or year parts outside quotes and brackets.
bool esFormatoDeFecha(std::string_view codigo);
// Excel's built-in number formats that show a date.
bool esFormatoFechaIncorporado(size_t identificador);

// The error of a file that could not be read, naming it.
[[noreturn]] void fallar(const QString &archivo, const QString &motivo);
// The same for a sheet asked for by name (the first one, when empty) that the file lacks.
[[noreturn]] void faltaHoja(const QString &archivo, const QString &hoja);

} // namespace hojas::detalle
