#pragma once

#include <QWidget>

// Forms are laid out in twips, as their layout tables give them: 15 twips per
// pixel at 96 dpi (Qt scales for larger screens).
namespace twips {

constexpr int aPixeles(int tw)
{
    return tw >= 0 ? (tw + 7) / 15 : -((-tw + 7) / 15);
}

void ubicar(QWidget *w, int izquierda, int arriba, int ancho, int alto);
void tamanoCliente(QWidget *w, int ancho, int alto);

} // namespace twips

// The tab order of a form's controls, in the order given.
void ordenDeTabulacion(const QList<QWidget *> &orden);

// Closes a work form: its MDI sub-window when it has one, else the widget itself.
void cerrarFormulario(QWidget *formulario);
