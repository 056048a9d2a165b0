#include "app_icon.h"

#include <QColor>
#include <QLineF>
#include <QPainter>
#include <QRectF>

namespace iconoPrograma {

namespace {

const QColor carton(0xd9, 0xa4, 0x5b);
const QColor tinta(0x2b, 0x3a, 0x4a);
const QColor azul(0x2f, 0x7d, 0xd1);
constexpr double ancho = 2.5;

const QRectF cajas[] = {{5, 24, 18, 18}, {25, 24, 18, 18}, {15, 5, 18, 18}};
const QLineF cintas[] = {{14, 24, 14, 31}, {34, 24, 34, 31}, {24, 5, 24, 12}};

QPen trazo(const QColor &c)
{
    return QPen(c, ancho, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QByteArray color(const QColor &c)
{
    return c.name().toLatin1();
}

} // namespace

void dibujar(QPainter &p)
{
    p.setPen(trazo(tinta));
    p.setBrush(carton);
    for (const QRectF &c : cajas)
        p.drawRect(c);
    p.setPen(trazo(azul));
    for (const QLineF &l : cintas)
        p.drawLine(l);
}

QByteArray svg()
{
    QByteArray s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"48\" viewBox=\"0 0 48 48\">\n"
                   "  <g stroke-width=\""
                   + QByteArray::number(ancho)
                   + "\" stroke-linecap=\"round\" "
                     "stroke-linejoin=\"round\">\n";
    for (const QRectF &c : cajas)
        s += "    <rect x=\"" + QByteArray::number(c.x()) + "\" y=\"" + QByteArray::number(c.y()) + "\" width=\""
             + QByteArray::number(c.width()) + "\" height=\"" + QByteArray::number(c.height()) + "\" fill=\""
             + color(carton) + "\" stroke=\"" + color(tinta) + "\"/>\n";
    for (const QLineF &l : cintas)
        s += "    <line x1=\"" + QByteArray::number(l.x1()) + "\" y1=\"" + QByteArray::number(l.y1()) + "\" x2=\""
             + QByteArray::number(l.x2()) + "\" y2=\"" + QByteArray::number(l.y2()) + "\" stroke=\"" + color(azul)
             + "\"/>\n";
    return s + "  </g>\n</svg>\n";
}

} // namespace iconoPrograma
