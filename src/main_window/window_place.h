#pragma once

class QWidget;

// A window that opens where the operator left it: its size and place are read
// from the settings file now and written there when it closes.
void recordarLugarVentana(QWidget *ventana);
