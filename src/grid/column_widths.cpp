#include "column_widths.h"
#include "grid_model.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
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
        : fuente_(f), fm_(f), avances_(0x10000, sinMedir), paresLatinos_(256 * 256, sinMedir),
          pasosAscii_(128 * 128, pasoSinMedir)
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

    // The same estimate of a cell's UTF-8 text, without a QString while it is
    // plain ASCII, as most cells are. The font's measures are whole 64ths of a
    // pixel, so they add up exactly as integers, each character with the
    // kerning before it in one step.
    qreal estimado(QByteArrayView utf8)
    {
        int64_t suma = 0;
        unsigned anterior = 0;
        for (char b : utf8) {
            const unsigned u = static_cast<unsigned char>(b);
            if (u >= 0x80)
                return estimado(QString::fromUtf8(utf8));
            int32_t &paso = pasosAscii_[anterior * 128 + u];
            if (paso == pasoSinMedir)
                paso = medirPaso(anterior, u);
            suma += paso;
            anterior = u;
        }
        return enSesentaicuatroavos_ ? qreal(suma) / 64 : estimado(QString::fromUtf8(utf8));
    }

    qreal exacto(const QString &t) const { return fm_.horizontalAdvance(t); }

private:
    static constexpr qreal sinMedir = -1e9;
    static constexpr int32_t pasoSinMedir = INT32_MIN;

    // A character's advance and its kerning after `anterior` (none after 0), in 64ths.
    int32_t medirPaso(unsigned anterior, unsigned u)
    {
        const qreal ancho = avance(char16_t(u)) + (anterior ? ajustePar(char16_t(anterior), char16_t(u)) : 0);
        const qreal enteros = std::nearbyint(ancho * 64);
        if (enteros != ancho * 64)
            enSesentaicuatroavos_ = false;
        return int32_t(enteros);
    }

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
    std::vector<int32_t> pasosAscii_; // by previous character * 128 + character
    bool enSesentaicuatroavos_ = true;
};

// More layouts than this per column and the widest estimate left stands in for
// the rest: a hair wider than needed, never narrower.
constexpr int maximoExactos = 256;

// The widest text of a column, header included, measured exactly. Every cell is
// estimated from its UTF-8 bytes; the one estimated widest is laid out, and only
// the cells whose estimate could still beat its exact width are laid out after
// it, widest estimate first: on a large grid that is a handful.
qreal anchoTexto(const ModeloGrilla &m, int columna, Medidor &medidor)
{
    const int filas = m.rowCount();
    const bool escritos = m.hayEscritos();
    auto texto = [&](int fila) { return fila < 0 ? m.encabezado(columna) : m.texto(fila, columna); };
    std::vector<qreal> estimados(static_cast<size_t>(filas));
    char sitio[ColumnStore::textRoom];
    int filaMayor = -1;
    qreal mayor = medidor.estimado(m.encabezado(columna));
    for (int f = 0; f < filas; ++f) {
        const qreal e =
            escritos ? medidor.estimado(m.texto(f, columna)) : medidor.estimado(m.utf8Cargado(f, columna, sitio));
        estimados[size_t(f)] = e;
        if (e > mayor) {
            mayor = e;
            filaMayor = f;
        }
    }
    if (mayor <= 0.01)
        return 0;
    const qreal primero = medidor.exacto(texto(filaMayor));

    struct Candidato
    {
        qreal estimado;
        int fila; // -1 for the header
    };
    std::vector<Candidato> candidatos{{mayor, filaMayor}};
    auto considerar = [&](qreal e, int fila) {
        if (e > primero + 0.01 && fila != filaMayor)
            candidatos.push_back({e, fila});
    };
    considerar(medidor.estimado(m.encabezado(columna)), -1);
    for (int f = 0; f < filas; ++f)
        considerar(estimados[size_t(f)], f);
    std::sort(candidatos.begin() + 1, candidatos.end(),
              [](const Candidato &a, const Candidato &b) { return a.estimado > b.estimado; });

    qreal mejor = primero;
    for (size_t i = 1; i < candidatos.size(); ++i) {
        const Candidato &c = candidatos[i];
        if (c.estimado <= mejor + 0.01) // the same text width, give or take rounding
            break;
        if (int(i) == maximoExactos)
            return c.estimado;
        mejor = std::max(mejor, medidor.exacto(texto(c.fila)));
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
