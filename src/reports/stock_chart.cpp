#include "stock_chart.h"
#include "dates.h"

#include <QAreaSeries>
#include <QDateTimeAxis>
#include <QFileInfo>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

using numeros::Diezmilesimos;

namespace {

qreal momento(const QDate &d)
{
    return qreal(d.startOfDay().toMSecsSinceEpoch());
}

QDate diaDe(qreal x)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(x)).date();
}

// The balance holds from the day it was reached until the next change, and the
// last one up to the end of the span.
QLineSeries *escalones(const historiaStock::Linea &linea, const QDate &finSpan)
{
    auto *serie = new QLineSeries;
    const auto &p = linea.puntos;
    serie->append(momento(p.front().fecha), p.front().saldo.aDouble());
    for (size_t i = 1; i < p.size(); ++i) {
        serie->append(momento(p[i].fecha), p[i - 1].saldo.aDouble());
        serie->append(momento(p[i].fecha), p[i].saldo.aDouble());
    }
    serie->append(momento(finSpan), p.back().saldo.aDouble());
    return serie;
}

// Bars as filled rectangles over the days of their period, clipped to the span:
// upwards for entries, downwards for exits.
QAreaSeries *barras(const std::vector<historiaStock::Barra> &barras, bool entradas, const QDate &desde,
                    const QDate &finSpan)
{
    auto *arriba = new QLineSeries, *base = new QLineSeries;
    for (const auto &b : barras) {
        const qreal x0 = momento(std::max(b.desde, desde)), x1 = momento(std::min(b.hasta.addDays(1), finSpan));
        const qreal margen = (x1 - x0) * 0.08;
        const qreal y = entradas ? b.entradas.aDouble() : -b.salidas.aDouble();
        arriba->append({{x0 + margen, 0}, {x0 + margen, y}, {x1 - margen, y}, {x1 - margen, 0}});
    }
    for (const QPointF &p : arriba->points())
        base->append(p.x(), 0);
    return new QAreaSeries(arriba, base);
}

// The places in colours of their own, the total in near black.
QColor color(int linea, int lineas)
{
    static const QColor colores[] = {QColor(31, 119, 180), QColor(255, 127, 14), QColor(148, 103, 189),
                                     QColor(23, 190, 207), QColor(188, 189, 34), QColor(140, 86, 75)};
    return linea == lineas - 1 ? QColor(40, 40, 40) : colores[linea % int(std::size(colores))];
}

// A round step (1, 2 or 5 times a power of ten) that cuts the span in about five.
double paso(double span)
{
    const double crudo = span / 5, potencia = std::pow(10.0, std::floor(std::log10(crudo)));
    for (double m : {1.0, 2.0, 5.0})
        if (crudo <= m * potencia)
            return m * potencia;
    return 10 * potencia;
}

// Both axes with their zero on one line, so that a bar starts where the stock is
// 0: the axis whose zero sits lower is taken down until the two agree. Ticks
// are counted from zero on each.
void alinearCeros(QValueAxis *stock, double menorStock, double mayorStock, QValueAxis *movs, double salidas,
                  double entradas)
{
    mayorStock = mayorStock > 0 ? mayorStock : std::max(1.0, -menorStock / 4);
    entradas = entradas > 0 ? entradas : std::max(1.0, salidas / 4);
    // A little room above the highest line and bar.
    mayorStock *= 1.05;
    entradas *= 1.05;
    const double cero = std::max(-menorStock / (mayorStock - menorStock), salidas / (entradas + salidas));
    const double bajo = cero / (1 - cero);
    for (auto [eje, mayor] : {std::pair{stock, mayorStock}, std::pair{movs, entradas}}) {
        eje->setRange(-bajo * mayor, mayor);
        eje->setTickType(QValueAxis::TicksDynamic);
        eje->setTickAnchor(0);
        eje->setTickInterval(paso(mayor * (1 + bajo)));
    }
}

} // namespace

GraficoStock::GraficoStock(QWidget *parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("GraficoStock"));
    setRenderHint(QPainter::Antialiasing);
}

const historiaStock::Linea &GraficoStock::linea(int i) const
{
    return i < int(historia_.depositos.size()) ? historia_.depositos[size_t(i)] : historia_.total;
}

void GraficoStock::mostrar(historiaStock::Historia historia, const QDate &desde, const QDate &hasta,
                           const QString &titulo)
{
    historia_ = std::move(historia);
    const QDate finSpan = hasta.addDays(1);
    auto *grafico = new QChart;
    grafico->setTitle(titulo);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    auto *ejeX = new QDateTimeAxis;
    ejeX->setFormat(QStringLiteral("dd-MM-yyyy"));
    ejeX->setRange(desde.startOfDay(), finSpan.startOfDay());
    ejeX->setTickCount(7);
    auto *ejeStock = new QValueAxis;
    ejeStock->setTitleText(QStringLiteral("Stock"));
    ejeStock->setLabelFormat(QStringLiteral("%.6g"));
    auto *ejeMovs = new QValueAxis;
    ejeMovs->setTitleText(QStringLiteral("Entradas / salidas"));
    ejeMovs->setLabelFormat(QStringLiteral("%.6g"));
    grafico->addAxis(ejeX, Qt::AlignBottom);
    grafico->addAxis(ejeStock, Qt::AlignLeft);
    grafico->addAxis(ejeMovs, Qt::AlignRight);

    double mayorEntrada = 0, mayorSalida = 0;
    for (const auto &b : historia_.barras) {
        mayorEntrada = std::max(mayorEntrada, b.entradas.aDouble());
        mayorSalida = std::max(mayorSalida, b.salidas.aDouble());
    }
    for (bool entradas : {true, false}) {
        QAreaSeries *s = barras(historia_.barras, entradas, desde, finSpan);
        s->setName(entradas ? QStringLiteral("Entradas") : QStringLiteral("Salidas"));
        s->setColor(entradas ? QColor(120, 190, 120, 150) : QColor(220, 120, 110, 150));
        s->setBorderColor(s->color().darker(130));
        grafico->addSeries(s);
        s->attachAxis(ejeX);
        s->attachAxis(ejeMovs);
        connect(s, &QAreaSeries::hovered, this, [this, entradas](const QPointF &p, bool dentro) {
            if (dentro)
                QToolTip::showText(QCursor::pos(), textoBarra(entradas, diaDe(p.x())), this);
        });
    }

    double menor = 0, mayor = 0;
    const int lineas = int(historia_.depositos.size()) + 1;
    for (int i = 0; i < lineas; ++i) {
        const auto &l = linea(i);
        QLineSeries *s = escalones(l, finSpan);
        s->setName(l.deposito.isEmpty() ? QStringLiteral("Total") : QStringLiteral("Dep. ") + l.deposito);
        s->setPen(QPen(color(i, lineas), i == lineas - 1 ? 2.5 : 1.5));
        grafico->addSeries(s);
        s->attachAxis(ejeX);
        s->attachAxis(ejeStock);
        connect(s, &QLineSeries::hovered, this, [this, i](const QPointF &p, bool dentro) {
            if (dentro)
                QToolTip::showText(QCursor::pos(), textoLinea(i, diaDe(p.x())), this);
        });
        for (const auto &punto : l.puntos) {
            menor = std::min(menor, punto.saldo.aDouble());
            mayor = std::max(mayor, punto.saldo.aDouble());
        }
        if (l.minimo) {
            auto *m = new QLineSeries;
            m->setName(QStringLiteral("Mín. ") + (l.deposito.isEmpty() ? QStringLiteral("total") : l.deposito));
            m->append(momento(desde), l.minimo->aDouble());
            m->append(momento(finSpan), l.minimo->aDouble());
            QPen guiones(s->color(), 1.5, Qt::DashLine);
            m->setPen(guiones);
            grafico->addSeries(m);
            m->attachAxis(ejeX);
            m->attachAxis(ejeStock);
            menor = std::min(menor, l.minimo->aDouble());
            mayor = std::max(mayor, l.minimo->aDouble());
        }
    }
    alinearCeros(ejeStock, menor, mayor, ejeMovs, mayorSalida, mayorEntrada);
    QChart *anterior = chart();
    setChart(grafico);
    delete anterior;
}

QString GraficoStock::textoLinea(int i, const QDate &dia) const
{
    const auto &l = linea(i);
    return (l.deposito.isEmpty() ? QStringLiteral("Total") : l.deposito) + QStringLiteral(", ") + fechas::texto(dia)
           + QStringLiteral(": ") + l.saldoAl(dia).texto2();
}

QString GraficoStock::textoBarra(bool entradas, const QDate &dia) const
{
    const auto &bs = historia_.barras;
    const auto b = std::find_if(bs.begin(), bs.end(), [&](const auto &b) { return b.desde <= dia && dia <= b.hasta; });
    if (b == bs.end())
        return {};
    return (entradas ? QStringLiteral("Entradas del ") : QStringLiteral("Salidas del ")) + fechas::texto(b->desde)
           + QStringLiteral(" al ") + fechas::texto(b->hasta) + QStringLiteral(": ")
           + (entradas ? b->entradas : b->salidas).texto2();
}

QImage GraficoStock::imagen(const QSize &tamano)
{
    QImage img(tamano, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter pintor(&img);
    pintor.setRenderHint(QPainter::Antialiasing);
    render(&pintor, QRectF(QPointF(), tamano), rect());
    return img;
}

bool GraficoStock::guardar(const QString &ruta)
{
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        return false;
    if (QFileInfo(ruta).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
        QPdfWriter pdf(&archivo);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setTitle(chart() ? chart()->title() : QString());
        QPainter pintor(&pdf);
        render(&pintor, QRectF(pintor.viewport()), rect());
        pintor.end();
    } else if (!imagen(size() * 2).save(&archivo, "PNG")) {
        archivo.cancelWriting();
        return false;
    }
    return archivo.commit();
}
