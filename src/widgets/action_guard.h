#pragma once

#include <QApplication>
#include <functional>

// Runs one user action (a button, a key, a menu command, a lost focus). An error
// that escapes it is shown with the critical icon and ends only that action: the
// program keeps running and the form stays usable.
void protegido(const std::function<void()> &accion);

// The hourglass while a long operation runs.
class CursorEspera
{
public:
    CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QApplication::restoreOverrideCursor(); }
    CursorEspera(const CursorEspera &) = delete;
    CursorEspera &operator=(const CursorEspera &) = delete;
};

// The hourglass while the data layer brings back a lost server connection on
// this window's thread; set once at start-up.
void esperaAlReconectar();
