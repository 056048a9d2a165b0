#pragma once

#include "form_layout.h"

#include <QColor>
#include <QString>

class EditableGrid;
class QIcon;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

// Small pieces the catalogue forms share: a named text box at its twips, a label
// beside it, the colours of a field, the square buttons of the maintenance forms.
namespace campos {

// A control named and placed at its twips.
template <class W> W *ubicado(W *control, const QString &nombre, int izquierda, int arriba, int ancho, int alto)
{
    control->setObjectName(nombre);
    twips::ubicar(control, izquierda, arriba, ancho, alto);
    return control;
}

QLineEdit *textoEn(QWidget *formulario, const QString &nombre, int izquierda, int arriba, int ancho, int alto);
QLabel *etiquetaEn(QWidget *formulario, const QString &nombre, const QString &texto, int izquierda, int arriba,
                   int ancho, int alto);

// The background (and, when given, the text colour) in every state, so that a
// disabled field keeps its tint.
void colorear(QWidget *campo, const QColor &fondo, const QColor &texto = QColor());

// The top of a maintenance form (families, storage places): the code and name fields with their labels, in
// light green, and the grid below them, where a double click on a row puts its code and name (columns 1
// and 2) into the fields.
struct Mantenimiento
{
    QLineEdit *codigo;
    QLineEdit *nombre;
    EditableGrid *grilla;
};
Mantenimiento camposDeMantenimiento(QWidget *formulario, const QString &rotuloCodigo, const QString &rotuloNombre,
                                    const QString &campoNombre);
// A square button with its picture above its caption, in the maintenance forms' row of buttons.
QToolButton *botonConDibujo(QWidget *formulario, const QString &nombre, const QString &texto, const QIcon &dibujo,
                            int izquierda);
// A maintenance form: its name, title and client size, the 8-point face its twips were drawn for, and no
// picture in its title bar (a plain fixed border).
void formularioDeMantenimiento(QWidget *formulario, const QString &nombre, const QString &titulo, int ancho, int alto);

} // namespace campos
