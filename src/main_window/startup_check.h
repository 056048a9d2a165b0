#pragma once

#include <QtGlobal>
#include <functional>

class Connection;

// The quick check of the database when the program opens it, so that a damaged
// file is named at start-up instead of at the first statement that meets the damage.
namespace revisionInicial {

// A small file is checked at once: damage closes the connection and is thrown as
// the error of the open. A larger one is checked on a connection of its own in
// the background, with the main window usable; damage found there is shown and
// closes the connection, so that nothing more is written into the file.
void comenzar(Connection &conexion);

// Runs `siguiente` once the open file is known sound: at once when no check is
// running, or on the user-interface thread when the background check finds no
// damage; never when it finds some or is cancelled. The day's copy waits for it,
// so that a copy of a damaged file never takes the place of a good one.
void cuandoSana(std::function<void()> siguiente);

// Waits for a background check to end; `cancelar` stops it first.
void esperar(bool cancelar = false);

// Tests check small files in the background by lowering the page count; 0 restores it.
void fijarUmbralParaPruebas(qint64 paginas);

} // namespace revisionInicial
