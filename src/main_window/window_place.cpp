#include "window_place.h"
#include "database_settings.h"

#include <QEvent>
#include <QWidget>

namespace {

// Watches the window for its close, when its last place is kept.
class GuardaLugar : public QObject
{
public:
    GuardaLugar(QWidget *ventana) : QObject(ventana) { }

    QString clave() const { return QStringLiteral("lugar_") + parent()->objectName(); }

    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Close && objeto == parent())
            ajustesBase::recordar(clave(), static_cast<QWidget *>(objeto)->saveGeometry());
        return false;
    }
};

} // namespace

void recordarLugarVentana(QWidget *ventana)
{
    auto *guarda = new GuardaLugar(ventana);
    ventana->restoreGeometry(ajustesBase::recordado(guarda->clave()).toByteArray());
    ventana->installEventFilter(guarda);
}
