#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

// Small pieces the catalogue forms share: a named text box at its twips, a label
// beside it, and the colours of a field.
namespace campos {

QLineEdit *textoEn(QWidget *formulario, const QString &nombre, int izquierda, int arriba, int ancho, int alto);
QLabel *etiquetaEn(QWidget *formulario, const QString &nombre, const QString &texto, int izquierda, int arriba,
                   int ancho, int alto);

// The background (and, when given, the text colour) in every state, so that a
// disabled field keeps its tint.
void colorear(QWidget *campo, const QColor &fondo, const QColor &texto = QColor());

} // namespace campos
