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

void ordenDeTabulacion(const QList<QWidget *> &orden)
{
    for (qsizetype i = 1; i < orden.size(); ++i)
        QWidget::setTabOrder(orden[i - 1], orden[i]);
}

void cerrarFormulario(QWidget *formulario)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(formulario->parentWidget()))
        sub->close();
    else
        formulario->close();
}
