#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>

// Date texts are "dd-mm-yyyy", day first, everywhere the operator sees or types them.
namespace fechas {

QString texto(const QDate &fecha);
// The same written into buf digit by digit, for readers that write a million;
// the view points there. Years beyond 1 to 9999 take the general way.
QByteArrayView texto(const QDate &fecha, char (&buf)[16]);

// Reads d-m-yyyy or dd-mm-yyyy ("-" or "/"); an incomplete or impossible date
// (31-02-2024) gives an invalid QDate.
QDate leer(const QString &texto);

bool esFecha(const QString &texto);

// yyyy-mm-dd as both engines give dates back, read digit by digit: a report
// reads a million of them. Anything else gives an invalid QDate.
QDate leerIso(const char *texto, qsizetype bytes);

// Today's date; tests may fix it.
QDate hoy();
void fijarHoyParaPruebas(const QDate &fecha); // an invalid date goes back to the clock

} // namespace fechas
