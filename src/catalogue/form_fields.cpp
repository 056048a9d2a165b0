#include "form_fields.h"
#include "editable_grid.h"
#include "form_layout.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QToolButton>

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

Mantenimiento camposDeMantenimiento(QWidget *formulario, const QString &rotuloCodigo, const QString &rotuloNombre,
                                    const QString &campoNombre)
{
    const QColor verdeClaro(192, 255, 192);
    Mantenimiento m;
    etiquetaEn(formulario, QStringLiteral("Label1"), rotuloCodigo, 120, 135, 1005, 255);
    m.codigo = textoEn(formulario, QStringLiteral("t_codigo"), 1185, 120, 1335, 285);
    colorear(m.codigo, verdeClaro);
    etiquetaEn(formulario, QStringLiteral("Label2"), rotuloNombre, 120, 495, 1005, 255);
    m.nombre = textoEn(formulario, campoNombre, 1200, 480, 3495, 285);
    colorear(m.nombre, verdeClaro);
    m.grilla = new EditableGrid(formulario);
    m.grilla->setObjectName(QStringLiteral("grilla"));
    twips::ubicar(m.grilla, 60, 900, 5595, 3255);
    QObject::connect(m.grilla, &EditableGrid::dobleClic, formulario, [m](QStringList &contFila) {
        m.codigo->setText(contFila.value(1));
        m.nombre->setText(contFila.value(2));
    });
    return m;
}

QToolButton *botonConDibujo(QWidget *formulario, const QString &nombre, const QString &texto, const QIcon &dibujo,
                            int izquierda)
{
    auto *b = new QToolButton(formulario);
    b->setObjectName(nombre);
    b->setText(texto);
    b->setIcon(dibujo);
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFocusPolicy(Qt::StrongFocus);
    twips::ubicar(b, izquierda, 4215, 855, 855);
    return b;
}

void formularioDeMantenimiento(QWidget *formulario, const QString &nombre, const QString &titulo, int ancho, int alto)
{
    formulario->setObjectName(nombre);
    formulario->setWindowTitle(titulo);
    twips::tamanoCliente(formulario, ancho, alto);
    formulario->setFont(QFont(QStringLiteral("Arial"), 8));
    QPixmap sinDibujo(16, 16);
    sinDibujo.fill(Qt::transparent);
    formulario->setWindowIcon(QIcon(sinDibujo));
}

} // namespace campos
