#include "column_widths.h"
#include "grid_model.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr int margenPx = 8; // 120 twips

// Measuring every text exactly costs a text layout each, far too slow for
// 100,000 rows. Each text is first estimated from the advances of its characters
// and the kerning of each pair of neighbours, both kept once measured; only the
// texts whose estimate could still beat the widest exact width found are laid out.
class Medidor
{
public:
    explicit Medidor(const QFont &f)
        : fuente_(f), fm_(f), avances_(0x10000, sinMedir), paresLatinos_(256 * 256, sinMedir)
    {
    }

    const QFont &fuente() const { return fuente_; }

    qreal estimado(const QString &t)
    {
        qreal suma = 0;
        char16_t anterior = 0;
        for (QChar c : t) {
            if (c.isSurrogate())
                return exacto(t); // outside the caches: lay it out whole
            const char16_t u = c.unicode();
            suma += avance(u);
            if (anterior)
                suma += ajustePar(anterior, u);
            anterior = u;
        }
        return suma;
    }

    qreal exacto(const QString &t) const { return fm_.horizontalAdvance(t); }

private:
    static constexpr qreal sinMedir = -1e9;

    qreal avance(char16_t u)
    {
        qreal &a = avances_[u];
        if (a == sinMedir)
            a = fm_.horizontalAdvance(QChar(u));
        return a;
    }

    // What a pair measures beyond its two characters: the font's kerning.
    qreal ajustePar(char16_t a, char16_t b)
    {
        auto medir = [&] {
            const QChar par[2] = {QChar(a), QChar(b)};
            return exacto(QString(par, 2)) - avance(a) - avance(b);
        };
        if (a < 256 && b < 256) {
            qreal &k = paresLatinos_[size_t(a) * 256 + b];
            if (k == sinMedir)
                k = medir();
            return k;
        }
        const quint32 clave = (quint32(a) << 16) | b;
        auto it = otrosPares_.constFind(clave);
        if (it == otrosPares_.cend())
            it = otrosPares_.insert(clave, medir());
        return *it;
    }

    QFont fuente_;
    QFontMetricsF fm_;
    std::vector<qreal> avances_;
    std::vector<qreal> paresLatinos_;
    QHash<quint32, qreal> otrosPares_;
};

// More layouts than this per column and the widest estimate left stands in for
// the rest: a hair wider than needed, never narrower.
constexpr int maximoExactos = 256;

qreal anchoTexto(const ModeloGrilla &m, int columna, Medidor &medidor)
{
    struct Candidato
    {
        qreal estimado;
        int fila; // -1 for the header
    };
    std::vector<Candidato> candidatos;
    const int filas = m.rowCount();
    candidatos.reserve(size_t(filas) + 1);
    candidatos.push_back({medidor.estimado(m.encabezado(columna)), -1});
    for (int f = 0; f < filas; ++f)
        candidatos.push_back({medidor.estimado(m.texto(f, columna)), f});

    std::sort(candidatos.begin(), candidatos.end(),
              [](const Candidato &a, const Candidato &b) { return a.estimado > b.estimado; });
    qreal mejor = 0;
    int medidos = 0;
    for (const Candidato &c : candidatos) {
        if (c.estimado <= mejor + 0.01) // the same text width, give or take rounding
            break;
        if (medidos++ == maximoExactos)
            return c.estimado;
        mejor = std::max(mejor, medidor.exacto(c.fila < 0 ? m.encabezado(columna) : m.texto(c.fila, columna)));
    }
    return mejor;
}

} // namespace

namespace {
// What was measured stays for the next load in the same font: a voucher's grid
// reloads after every posted line, and measuring its characters and their pairs
// afresh each time would cost more than the rest of the reload. Every grid uses
// the one font, so one set of measures is kept.
std::unique_ptr<Medidor> medidorGuardado;

Medidor &medidorPara(const QFont &fuente)
{
    if (!medidorGuardado) // fonts must go before the application object does
        qAddPostRoutine([] { medidorGuardado.reset(); });
    if (!medidorGuardado || medidorGuardado->fuente() != fuente)
        medidorGuardado = std::make_unique<Medidor>(fuente);
    return *medidorGuardado;
}
} // namespace

std::vector<int> anchosColumnas(const ModeloGrilla &modelo, const QFont &fuente)
{
    Medidor &medidor = medidorPara(fuente);
    std::vector<int> anchos;
    for (int c = 0; c < modelo.columnCount(); ++c)
        anchos.push_back(int(std::ceil(anchoTexto(modelo, c, medidor))) + margenPx);
    return anchos;
}
