#include "minimum_notice.h"
#include "connection.h"
#include "mprincipal.h"

#include <QMouseEvent>

AvisoMinimos::AvisoMinimos(Cuenta cuenta, QWidget *parent) : QLabel(parent), cuenta_(std::move(cuenta))
{
    setObjectName(QStringLiteral("avisoMinimos"));
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Ver los artículos a reponer"));
}

void AvisoMinimos::actualizar()
{
    if (hilo_ && !hilo_->isFinished()) {
        pendiente_ = true;
        return;
    }
    if (!mPrincipal::conexion().isOpen())
        return;
    const QString lugar = mPrincipal::conexion().archivo();
    hilo_.reset();
    hilo_.reset(QThread::create([this, lugar] {
        try {
            Connection conexion;
            conexion.open(lugar);
            articulos_ = cuenta_(conexion);
            fallo_ = false;
        } catch (...) {
            // A reminder, not an action: a failed count is left unsaid.
            fallo_ = true;
        }
    }));
    // Read on this thread once the count's thread has finished with them.
    connect(hilo_.get(), &QThread::finished, this, [this] {
        mostrar();
        if (pendiente_) {
            pendiente_ = false;
            // Queued: the finished thread is not deleted inside its own signal.
            QMetaObject::invokeMethod(this, &AvisoMinimos::actualizar, Qt::QueuedConnection);
        }
    });
    hilo_->start(QThread::LowPriority);
}

void AvisoMinimos::mostrar()
{
    const qsizetype n = fallo_ ? 0 : articulos_;
    setText(n == 0   ? QString()
            : n == 1 ? QStringLiteral("1 artículo bajo el mínimo")
                     : QStringLiteral("%1 artículos bajo el mínimo").arg(n));
    if (!fallo_)
        emit contado(n);
}

void AvisoMinimos::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && !text().isEmpty())
        emit clic();
    QLabel::mouseReleaseEvent(e);
}
