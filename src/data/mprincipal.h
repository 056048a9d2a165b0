#pragma once

#include "connection.h"
#include "recordset.h"

#include <QString>
#include <QStringList>
#include <memory>

// The main module: the one connection of the process, the shared texts, and the
// routines through which the forms reach the database. Opening it at start-up,
// where a failure is shown to the operator, is the main window's (open_database.h).
namespace mPrincipal {

Connection &conexion();

// The storage place this computer works in, where new vouchers start: read from
// the settings file at start-up (ajustesBase::depositoDelPuesto).
extern QString depositoDefecto;
// Query shown by the lookup dialog, and the first column of the row picked there.
extern QString sqlBusqueda;
extern QString codigoBusqueda;

// The database: the server named in the settings file; otherwise the file
// quendra.accdb in the program's folder when it is there, else in the user's
// data folder. Tests point it elsewhere. Throws QuendraError for a settings
// file it cannot use.
QString archivoBaseDatos();
void fijarArchivoBaseDatos(const QString &archivo);

// The statement texts the builders execute.
QString sentenciaInsert(const QString &tabla, const QStringList &columnas, QStringList valores);
// One insert of several rows, each value written as sentenciaInsert writes it.
QString sentenciaInsertFilas(const QString &tabla, const QStringList &columnas, const QList<QStringList> &filas);
QString sentenciaUpdate(const QString &tabla, const QStringList &columnas, QStringList valores,
                        const QString &condicion);

void insertarRegistro(const QString &tabla, const QStringList &columnas, const QStringList &valores);
void actualizarRegistro(const QString &tabla, const QStringList &columnas, const QStringList &valores,
                        const QString &condicion);
std::unique_ptr<Recordset> abrirConsulta(const QString &sql);
// The same query, its rows handed to the sink as they are read (Connection::read).
void leerConsulta(const QString &sql, RowSink &destino);

} // namespace mPrincipal
