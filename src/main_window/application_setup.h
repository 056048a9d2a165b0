#pragma once

class QApplication;

// Spanish throughout: Qt's own Spanish texts ("Sí", "No", "Aceptar") and the
// program's name.
void prepararAplicacion(QApplication &app);
