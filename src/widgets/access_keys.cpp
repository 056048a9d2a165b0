#include "access_keys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QKeySequence>

namespace {

// Watches the form and every control in it, so that the key is taken before a
// text box can type the letter.
class TeclasDeAcceso : public QObject
{
public:
    explicit TeclasDeAcceso(QWidget *formulario) : QObject(formulario), formulario_(formulario) { }

    bool eventFilter(QObject *, QEvent *evento) override
    {
        if (evento->type() != QEvent::ShortcutOverride && evento->type() != QEvent::KeyPress)
            return false;
        QAbstractButton *boton = botonDe(static_cast<QKeyEvent *>(evento));
        if (!boton)
            return false;
        // The override keeps the key from the main window's menu; the key press
        // that follows clicks the button.
        if (evento->type() == QEvent::ShortcutOverride) {
            if (boton->focusPolicy() & Qt::TabFocus)
                boton->setFocus(Qt::ShortcutFocusReason);
        } else {
            boton->click();
        }
        evento->accept();
        return true;
    }

private:
    QAbstractButton *botonDe(const QKeyEvent *tecla) const
    {
        if (tecla->modifiers() != Qt::AltModifier || tecla->key() == Qt::Key_Alt)
            return nullptr;
        const QKeySequence pulsada(QKeyCombination(tecla->modifiers(), Qt::Key(tecla->key())));
        for (QAbstractButton *b : formulario_->findChildren<QAbstractButton *>())
            if (b->isVisible() && b->isEnabled() && QKeySequence::mnemonic(b->text()) == pulsada)
                return b;
        return nullptr;
    }

    QWidget *formulario_;
};

} // namespace

void teclasDeAccesoPropias(QWidget *formulario)
{
    auto *filtro = new TeclasDeAcceso(formulario);
    formulario->installEventFilter(filtro);
    for (QWidget *control : formulario->findChildren<QWidget *>())
        control->installEventFilter(filtro);
}
