#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

// Every message box of the program goes through here, so tests can answer them.
namespace mensajes {

inline const QString tituloAplicacion = QStringLiteral("Quendra");

struct Mensaje
{
    QString texto;
    QMessageBox::Icon icono;
    QMessageBox::StandardButtons botones;
    QString titulo;
    // The button Enter presses; NoButton leaves it to the box.
    QMessageBox::StandardButton defecto = QMessageBox::NoButton;
};

// Shows a modal message box; without a title of its own it carries "Quendra".
QMessageBox::StandardButton mostrar(const QString &texto, QMessageBox::Icon icono = QMessageBox::NoIcon,
                                    QMessageBox::StandardButtons botones = QMessageBox::Ok,
                                    const QString &titulo = QString(),
                                    QMessageBox::StandardButton defecto = QMessageBox::NoButton);

// Tests answer the boxes instead of the operator; an empty function restores them.
using Respondedor = std::function<QMessageBox::StandardButton(const Mensaje &)>;
void fijarRespondedor(Respondedor r);

} // namespace mensajes
