#pragma once

class QWidget;

// A work form's buttons answer their own access keys (Alt and the underlined
// letter) before the main window's menu does, as the operator expects inside a
// form: Alt+S on "&Salir" closes the form instead of leaving the program, and
// Alt+I on "&Imprimir" prints instead of opening "&Informes". The focus moves
// to the button first, so the field being left sees its lost focus.
void teclasDeAccesoPropias(QWidget *formulario);
