#include "barcode_painting.h"
#include "barcode_values.h"
#include "quendra_error.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <memory>
#include <zint.h>

namespace {

using Simbolo = std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)>;

int simbologia(const QString &code)
{
    switch (codigoBarras::tipo(code)) {
    case codigoBarras::Tipo::Ean13:
    case codigoBarras::Tipo::Ean8:
        return BARCODE_EANX_CHK;
    case codigoBarras::Tipo::UpcA:
        return BARCODE_UPCA_CHK;
    case codigoBarras::Tipo::Code128:
        break;
    }
    return BARCODE_CODE128;
}

// The code drawn by zint as vectors, its bars `height` modules high.
Simbolo codificar(const QByteArray &datos, int tipo, float height)
{
    Simbolo s(ZBarcode_Create(), &ZBarcode_Delete);
    s->symbology = tipo;
    s->output_options |= BARCODE_QUIET_ZONES;
    if (height > 0)
        s->height = height;
    const int error = ZBarcode_Encode_and_Buffer_Vector(s.get(), reinterpret_cast<const unsigned char *>(datos.data()),
                                                        int(datos.size()), 0);
    if (error >= ZINT_ERROR || !s->vector)
        throw QuendraError(QuendraError::ErrorDeInforme,
                           QStringLiteral("El código %1 no se puede imprimir en barras: %2")
                               .arg(QString::fromLatin1(datos), QString::fromLatin1(s->errtxt)));
    return s;
}

} // namespace

void paintBarcode(QPainter &painter, const QRectF &box, const QString &code, const QFont &font)
{
    const QByteArray datos = code.toLatin1();
    const int tipo = simbologia(code);
    Simbolo s = codificar(datos, tipo, 0);
    // The width sets the module; the bars then grow to fill the height left by the digits.
    const double unidad = box.width() / s->vector->width;
    const double otros = s->vector->height - 2 * s->height;
    const float alto = float(std::max(5.0, (box.height() / unidad - otros) / 2));
    s = codificar(datos, tipo, alto);
    const double escala = std::min(unidad, box.height() / s->vector->height);

    painter.save();
    painter.translate(box.left() + (box.width() - s->vector->width * escala) / 2, box.top());
    painter.scale(escala, escala);
    for (const zint_vector_rect *r = s->vector->rectangles; r; r = r->next)
        painter.fillRect(QRectF(r->x, r->y, r->width, r->height), Qt::black);
    painter.setPen(Qt::black);
    for (const zint_vector_string *t = s->vector->strings; t; t = t->next) {
        QFont f(font);
        f.setPixelSize(std::max(1, int(t->fsize * 0.8)));
        const QString texto = QString::fromUtf8(reinterpret_cast<const char *>(t->text), t->length);
        const double ancho = QFontMetricsF(f).horizontalAdvance(texto);
        // zint places a text by its baseline, at its centre, start or end.
        const double x = t->halign == 1 ? t->x : t->halign == 2 ? t->x - ancho : t->x - ancho / 2;
        painter.setFont(f);
        painter.drawText(QPointF(x, t->y), texto);
    }
    painter.restore();
}
