#include "icons.h"
#include "app_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace iconos {

namespace {

using Dibujo = std::function<void(QPainter &)>;

// Paints a drawing made on a 48 x 48 grid at whatever size is asked.
class Motor : public QIconEngine
{
public:
    explicit Motor(Dibujo d) : dibujo_(std::move(d)) { }
    void paint(QPainter *p, const QRect &rect, QIcon::Mode modo, QIcon::State) override
    {
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->translate(rect.topLeft());
        p->scale(rect.width() / 48.0, rect.height() / 48.0);
        if (modo == QIcon::Disabled)
            p->setOpacity(0.35);
        dibujo_(*p);
        p->restore();
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode modo, QIcon::State estado) override
    {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), modo, estado);
        return pm;
    }
    QIconEngine *clone() const override { return new Motor(dibujo_); }

private:
    Dibujo dibujo_;
};

const QColor tinta(0x2b, 0x3a, 0x4a);
const QColor azul(0x2f, 0x7d, 0xd1);
const QColor verde(0x2e, 0x9e, 0x5b);
const QColor rojo(0xd0, 0x45, 0x3c);

QPen trazo(const QColor &c, double ancho = 3)
{
    return QPen(c, ancho, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QIcon hacer(Dibujo d)
{
    return QIcon(new Motor(std::move(d)));
}

} // namespace

QIcon nuevo()
{
    return hacer([](QPainter &p) {
        QPainterPath hoja;
        hoja.moveTo(10, 4);
        hoja.lineTo(28, 4);
        hoja.lineTo(38, 14);
        hoja.lineTo(38, 44);
        hoja.lineTo(10, 44);
        hoja.closeSubpath();
        p.setPen(trazo(tinta));
        p.setBrush(Qt::white);
        p.drawPath(hoja);
        p.drawPolyline(QPolygonF({QPointF(28, 4), QPointF(28, 14), QPointF(38, 14)}));
        p.setPen(trazo(verde, 4));
        p.drawLine(QPointF(24, 22), QPointF(24, 38));
        p.drawLine(QPointF(16, 30), QPointF(32, 30));
    });
}

QIcon guardar()
{
    return hacer([](QPainter &p) {
        p.setPen(trazo(tinta));
        p.setBrush(azul);
        p.drawRoundedRect(QRectF(6, 6, 36, 36), 4, 4);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(13, 6, 22, 13));
        p.setBrush(QColor(0xe8, 0xee, 0xf4));
        p.drawRect(QRectF(12, 27, 24, 15));
        p.setPen(Qt::NoPen);
        p.setBrush(tinta);
        p.drawRect(QRectF(28, 9, 4, 7));
    });
}

QIcon consulta()
{
    return hacer([](QPainter &p) {
        p.setPen(trazo(tinta, 4));
        p.setBrush(QColor(0xdc, 0xec, 0xfb));
        p.drawEllipse(QPointF(20, 20), 12, 12);
        p.setPen(trazo(tinta, 7));
        p.drawLine(QPointF(29, 29), QPointF(42, 42));
    });
}

QIcon salir()
{
    return hacer([](QPainter &p) {
        p.setPen(trazo(tinta));
        p.setBrush(QColor(0xc8, 0x9b, 0x6a));
        p.drawRect(QRectF(8, 5, 22, 38));
        p.setBrush(tinta);
        p.drawEllipse(QPointF(25, 25), 1.5, 1.5);
        p.setPen(trazo(rojo, 4));
        p.drawLine(QPointF(24, 25), QPointF(43, 25));
        p.drawPolyline(QPolygonF({QPointF(36, 18), QPointF(43, 25), QPointF(36, 32)}));
    });
}

QIcon imprimir()
{
    return hacer([](QPainter &p) {
        p.setPen(trazo(tinta));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(13, 5, 22, 14));
        p.setBrush(QColor(0x9a, 0xa7, 0xb4));
        p.drawRoundedRect(QRectF(5, 17, 38, 18), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(13, 29, 22, 14));
        p.setPen(trazo(tinta, 2));
        p.drawLine(QPointF(17, 35), QPointF(31, 35));
        p.drawLine(QPointF(17, 39), QPointF(27, 39));
    });
}

QIcon eliminar()
{
    return hacer([](QPainter &p) {
        p.setPen(trazo(tinta));
        p.setBrush(QColor(0xf3, 0xd3, 0xd0));
        p.drawPolygon(QPolygonF({QPointF(12, 14), QPointF(36, 14), QPointF(33, 44), QPointF(15, 44)}));
        p.drawLine(QPointF(8, 12), QPointF(40, 12));
        p.drawLine(QPointF(19, 12), QPointF(21, 6));
        p.drawLine(QPointF(21, 6), QPointF(27, 6));
        p.drawLine(QPointF(27, 6), QPointF(29, 12));
        p.setPen(trazo(rojo, 2.5));
        p.drawLine(QPointF(20, 20), QPointF(21, 38));
        p.drawLine(QPointF(28, 20), QPointF(27, 38));
    });
}

QIcon aplicacion()
{
    return hacer(iconoPrograma::dibujar);
}

} // namespace iconos
