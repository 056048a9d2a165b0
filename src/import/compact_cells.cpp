#include "compact_cells.h"
#include "quendra_error.h"

#include <limits>

namespace importacion {

void CeldasCompactas::agregar(const QStringList &fila)
{
    if (bloque_.size() >= std::numeric_limits<quint32>::max())
        throw QuendraError(QuendraError::ValorFueraDeRango, QStringLiteral("La hoja es demasiado grande"));
    inicios_.push_back(quint32(bloque_.size()));
    bloque_ += char(fila.size());
    for (const QString &t : fila) {
        const QByteArray b = t.toUtf8();
        for (auto n = quint64(b.size());; n >>= 7) {
            bloque_ += char((n & 0x7f) | (n > 0x7f ? 0x80 : 0));
            if (n <= 0x7f)
                break;
        }
        bloque_ += b;
    }
}

QString CeldasCompactas::texto(qsizetype fila, int k) const
{
    if (fila < 0 || fila >= filas())
        return {};
    const char *p = bloque_.constData() + inicios_[size_t(fila)];
    const int cuantas = quint8(*p++);
    for (int i = 0; i < cuantas; ++i) {
        quint64 n = 0;
        for (int corrimiento = 0;; corrimiento += 7) {
            const quint8 c = quint8(*p++);
            n |= quint64(c & 0x7f) << corrimiento;
            if (!(c & 0x80))
                break;
        }
        if (i == k)
            return QString::fromUtf8(p, qsizetype(n));
        p += n;
    }
    return {};
}

} // namespace importacion
