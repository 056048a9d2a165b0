#include "form_layout.h"

#include <QMdiSubWindow>

namespace twips {

void ubicar(QWidget *w, int izquierda, int arriba, int ancho, int alto)
{
    w->setGeometry(aPixeles(izquierda), aPixeles(arriba), aPixeles(ancho), aPixeles(alto));
}

void tamanoCliente(QWidget *w, int ancho, int alto)
{
    w->setFixedSize(aPixeles(ancho), aPixeles(alto));
}

} // namespace twips

void cerrarFormulario(QWidget *formulario)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(formulario->parentWidget()))
        sub->close();
    else
        formulario->close();
}
