#include "form_fields.h"
#include "form_layout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>

namespace campos {

QLineEdit *textoEn(QWidget *formulario, const QString &nombre, int izquierda, int arriba, int ancho, int alto)
{
    auto *t = new QLineEdit(formulario);
    t->setObjectName(nombre);
    twips::ubicar(t, izquierda, arriba, ancho, alto);
    return t;
}

QLabel *etiquetaEn(QWidget *formulario, const QString &nombre, const QString &texto, int izquierda, int arriba,
                   int ancho, int alto)
{
    auto *l = new QLabel(texto, formulario);
    l->setObjectName(nombre);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    twips::ubicar(l, izquierda, arriba, ancho, alto);
    return l;
}

void colorear(QWidget *campo, const QColor &fondo, const QColor &texto)
{
    QPalette p = campo->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Base, fondo);
        if (texto.isValid() && g != QPalette::Disabled)
            p.setColor(g, QPalette::Text, texto);
    }
    campo->setPalette(p);
}

} // namespace campos
