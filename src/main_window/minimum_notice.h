#pragma once

#include "owned_thread.h"

#include <QLabel>
#include <functional>

class Connection;

// The status bar's reminder "N artículos bajo el mínimo". The count is made on
// a thread of its own with a connection of its own, so the operator never waits
// for it; with none below, or when the count fails, the reminder says nothing.
// A click on it is told by `clic`.
class AvisoMinimos : public QLabel
{
    Q_OBJECT
public:
    using Cuenta = std::function<qsizetype(Connection &conexion)>;
    explicit AvisoMinimos(Cuenta cuenta, QWidget *parent = nullptr);
    ~AvisoMinimos() override = default; // waits for a count in progress (HiloPropio)

    // Counts again on the open database; asked while a count runs, counts once more after it.
    void actualizar();

signals:
    void clic();
    // The count shown, once it is known.
    void contado(qsizetype articulos);

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void mostrar();

    Cuenta cuenta_;
    bool pendiente_ = false;
    qsizetype articulos_ = 0;
    bool fallo_ = false;
    // Last, so that it is waited for before what it writes goes.
    HiloPropio hilo_;
};
