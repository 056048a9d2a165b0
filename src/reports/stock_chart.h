#pragma once

#include "stock_history.h"

#include <QChartView>
#include <QImage>

// An article's stock drawn over a span of days: a stepped line per storage place
// and one for all places, each minimum as a dashed line of its line's colour,
// and the entries (up) and exits (down) of each week or month as bars on an
// axis of their own. Hovering a line or a bar tells its day and value.
class GraficoStock : public QChartView
{
    Q_OBJECT
public:
    explicit GraficoStock(QWidget *parent = nullptr);

    void mostrar(historiaStock::Historia historia, const QDate &desde, const QDate &hasta, const QString &titulo);

    // The picture as shown, at the given size in pixels.
    QImage imagen(const QSize &tamano);
    // Writes the picture as PNG or, for a name ending in .pdf, as a PDF page. The
    // file takes its name only when written whole; false when it cannot be written.
    bool guardar(const QString &ruta);

    // What the tooltip over a line says for a day ("01, 05-03-2026: 12.5"), or
    // over the bars ("Entradas del 02-03-2026 al 08-03-2026: 10").
    QString textoLinea(int linea, const QDate &dia) const;
    QString textoBarra(bool entradas, const QDate &dia) const;

private:
    const historiaStock::Linea &linea(int i) const;

    historiaStock::Historia historia_;
};
