#include "numbers.h"
#include "quendra_error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace numeros {

QString rellenarCeros(const QString &texto, int n)
{
    return (QString(n, QLatin1Char('0')) + texto).right(n);
}

namespace {

bool esBlanco(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

double enteroEnBase(const QString &digitos, int base)
{
    double v = 0;
    for (QChar c : digitos) {
        int d = c.isDigit() ? c.digitValue() : (c.toLower().unicode() - 'a' + 10);
        if (d < 0 || d >= base)
            break;
        v = v * base + d;
    }
    return v;
}

// Shortest decimal digits and exponent of a finite double: v = 0.DIGITS x 10^exp10.
struct Decimal
{
    bool negativo = false;
    std::string digitos; // no leading zeros; empty for zero
    int exp10 = 0;       // the value is 0.d1d2d3... x 10^exp10
};

// The shortest digits of a finite double and its sign, without trailing zeros:
// v = 0.DIGITS x 10^exp10. Returns the number of digits, 0 for zero.
int digitosCortos(double v, char (&digitos)[20], bool &negativo, int &exp10)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    const char *p = buf;
    negativo = *p == '-';
    if (negativo)
        ++p;
    int n = 0;
    for (; p < r.ptr && *p != 'e'; ++p)
        if (*p != '.')
            digitos[n++] = *p;
    int exp = 0;
    std::from_chars(p + 1 + (p[1] == '+'), r.ptr, exp);
    while (n > 0 && digitos[n - 1] == '0')
        --n;
    exp10 = n == 0 ? 0 : exp + 1;
    return n;
}

Decimal descomponer(double v)
{
    Decimal d;
    char digitos[20];
    const int n = digitosCortos(v, digitos, d.negativo, d.exp10);
    d.digitos.assign(digitos, size_t(n));
    return d;
}

// Plain digits with "." where the decimal point falls: 0.DIGITS x 10^exp10.
qsizetype escribirEn(bool negativo, const char *digitos, int n, int exp10, char *out)
{
    char *p = out;
    if (n == 0) {
        *p++ = '0';
        return 1;
    }
    if (negativo)
        *p++ = '-';
    if (exp10 <= 0) {
        *p++ = '0';
        *p++ = '.';
        p = std::fill_n(p, -exp10, '0');
        p = std::copy_n(digitos, n, p);
    } else if (exp10 >= n) {
        p = std::copy_n(digitos, n, p);
        p = std::fill_n(p, exp10 - n, '0');
    } else {
        p = std::copy_n(digitos, exp10, p);
        *p++ = '.';
        p = std::copy_n(digitos + exp10, n - exp10, p);
    }
    return p - out;
}

QString escribir(const Decimal &d)
{
    char buf[largoNumeral];
    const qsizetype n = escribirEn(d.negativo, d.digitos.data(), int(d.digitos.size()), d.exp10, buf);
    return QString::fromLatin1(buf, n);
}

// Keeps the digits up to 10^-decimales, rounding an exact half to even.
Decimal redondearDecimal(Decimal d, int decimales)
{
    if (d.digitos.empty())
        return d;
    int guardar = d.exp10 + decimales; // digits kept
    int n = int(d.digitos.size());
    if (guardar >= n)
        return d;
    if (guardar < 0) {
        d.digitos.clear();
        d.exp10 = 0;
        return d;
    }
    std::string resto = d.digitos.substr(size_t(guardar));
    std::string kept = d.digitos.substr(0, size_t(guardar));
    bool subir;
    if (resto[0] > '5')
        subir = true;
    else if (resto[0] < '5')
        subir = false;
    else if (resto.find_first_not_of('0', 1) != std::string::npos)
        subir = true;
    else
        subir = !kept.empty() && ((kept.back() - '0') % 2 == 1);
    if (subir) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[size_t(i)] == '9') {
            kept[size_t(i)] = '0';
            --i;
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
            d.exp10 += 1;
        } else {
            kept[size_t(i)] += 1;
        }
    }
    while (!kept.empty() && kept.back() == '0')
        kept.pop_back();
    if (kept.empty()) {
        d.digitos.clear();
        d.exp10 = 0;
        d.negativo = false;
        return d;
    }
    d.digitos = kept;
    return d;
}

// A plain numeral as our own helpers write it, read the same under any C library locale.
double leer(const QString &s)
{
    const QByteArray t = s.toLatin1();
    double v = 0;
    std::from_chars(t.constData(), t.constData() + t.size(), v);
    return v;
}

} // namespace

namespace {

bool esDigito(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

bool esSeparador(QChar c, bool comaDecimal)
{
    return c == QLatin1Char('.') || (comaDecimal && c == QLatin1Char(','));
}

// A leading number as read, and whether another one follows it.
struct Lectura
{
    double valor = 0; // an overflow gives an infinity
    bool otroNumero = false;
};

// The number as written, read by std::from_chars, which knows no locale. Out of
// range, it is an infinity when its first significant digit lies left of the
// point, else a zero.
double convertir(bool negativo, const std::string &num, int orden)
{
    double v = 0;
    const auto r = std::from_chars(num.data(), num.data() + num.size(), v);
    if (r.ec == std::errc::result_out_of_range)
        v = orden > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negativo ? -v : v;
}

// The leading number of a text: blanks skipped anywhere, an optional sign,
// digits with one decimal separator (a period, or also a comma followed by a
// digit when comaDecimal), an optional exponent; "&H" and "&O" read hexadecimal
// and octal.
Lectura leerNumero(const QString &texto, bool comaDecimal)
{
    QString s;
    s.reserve(texto.size());
    for (QChar c : texto)
        if (!esBlanco(c))
            s += c;
    if (s.size() >= 2 && s[0] == QLatin1Char('&')) {
        QChar b = s[1].toUpper();
        if (b == QLatin1Char('H'))
            return {enteroEnBase(s.mid(2), 16)};
        if (b == QLatin1Char('O'))
            return {enteroEnBase(s.mid(2), 8)};
    }
    const auto separadorEn = [&](qsizetype k) {
        return k < s.size() && esSeparador(s[k], comaDecimal)
               && (s[k] == QLatin1Char('.') || (k + 1 < s.size() && esDigito(s[k + 1])));
    };
    qsizetype i = 0;
    std::string num;
    const bool negativo = i < s.size() && s[i] == QLatin1Char('-');
    if (i < s.size() && (s[i] == QLatin1Char('+') || negativo))
        ++i;
    bool punto = false, digitos = false;
    int orden = 0; // the power of ten of the first significant digit, plus one
    bool significativo = false;
    for (; i < s.size(); ++i) {
        if (esDigito(s[i])) {
            num += char(s[i].unicode());
            digitos = true;
            significativo = significativo || s[i] != QLatin1Char('0');
            if (!punto && significativo)
                ++orden;
            else if (punto && !significativo)
                --orden;
        } else if (!punto && separadorEn(i)) {
            num += '.';
            punto = true;
        } else {
            break;
        }
    }
    if (!digitos)
        return {};
    if (i < s.size() && (s[i].toUpper() == QLatin1Char('E') || s[i].toUpper() == QLatin1Char('D'))) {
        std::string exp = "e";
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            exp += char(s[j++].unicode());
        bool hay = false;
        for (; j < s.size() && esDigito(s[j]); ++j) {
            exp += char(s[j].unicode());
            hay = true;
        }
        if (hay) {
            num += exp;
            i = j;
            int e = 0;
            // An exponent beyond int is beyond any double too.
            if (std::from_chars(exp.data() + 1 + (exp[1] == '+'), exp.data() + exp.size(), e).ec != std::errc())
                e = exp[1] == '-' ? -100000 : 100000;
            orden += e;
        }
    }
    const bool otro = i + 1 < s.size() && esSeparador(s[i], comaDecimal) && esDigito(s[i + 1]);
    return {convertir(negativo, num, orden), otro};
}

// The leading number as read, an overflow giving an infinity.
double leerValor(const QString &texto)
{
    return leerNumero(texto, false).valor;
}

// An amount as typed, a comma being a decimal mark too.
Lectura leerImporte(const QString &texto)
{
    return leerNumero(texto, true);
}

} // namespace

double valor(const QString &texto)
{
    const double v = leerValor(texto);
    return std::isfinite(v) ? v : 0;
}

double valorImporte(const QString &texto)
{
    const double v = leerImporte(texto).valor;
    return std::isfinite(v) ? v : 0;
}

bool importeLegible(const QString &texto)
{
    return !leerImporte(texto).otroNumero;
}

QString importe(const QString &texto)
{
    return numeral(redondear(valorImporte(texto)));
}

bool importeAdmitido(const QString &texto)
{
    return std::fabs(redondear(leerImporte(texto).valor)) <= importeMaximo;
}

bool esNumero(const QString &texto)
{
    QString s = texto.trimmed();
    qsizetype i = 0;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        ++i;
    bool separador = false, digitos = false;
    for (; i < s.size(); ++i) {
        QChar c = s[i];
        if (c.unicode() >= '0' && c.unicode() <= '9')
            digitos = true;
        else if ((c == QLatin1Char('.') || c == QLatin1Char(',')) && !separador)
            separador = true;
        else
            break;
    }
    if (!digitos)
        return false;
    if (i < s.size() && s[i].toUpper() == QLatin1Char('E')) {
        ++i;
        if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
            ++i;
        bool exp = false;
        for (; i < s.size() && s[i].unicode() >= '0' && s[i].unicode() <= '9'; ++i)
            exp = true;
        if (!exp)
            return false;
    }
    return i == s.size();
}

QString numeral(double v)
{
    char buf[largoNumeral];
    const QByteArrayView t = numeral(v, buf);
    return QString::fromLatin1(t.data(), t.size());
}

QByteArrayView numeral(double v, char (&buf)[largoNumeral])
{
    if (!std::isfinite(v)) {
        const QByteArray t = QByteArray::number(v);
        return QByteArrayView(buf, std::copy_n(t.constData(), t.size(), buf) - buf);
    }
    char digitos[20];
    bool negativo = v < 0;
    int exp10;
    int n;
    // An amount of at most four decimals, as the forms write them, is its own
    // shortest form below 1e9 (see Diezmilesimos::desde): its digits are those of
    // its count of ten-thousandths, with no search for the shortest.
    if (std::fabs(v) < 1e9 && std::nearbyint(v * 10000) / 10000 == v) {
        const uint64_t cuenta = uint64_t(std::fabs(std::nearbyint(v * 10000)));
        n = int(std::to_chars(digitos, digitos + sizeof digitos, cuenta).ptr - digitos);
        exp10 = n - 4;
        while (n > 0 && digitos[n - 1] == '0')
            --n;
    } else {
        n = digitosCortos(v, digitos, negativo, exp10);
    }
    return QByteArrayView(buf, escribirEn(negativo, digitos, n, exp10, buf));
}

QString numeral15(double v)
{
    if (!std::isfinite(v) || v == 0)
        return numeral(v);
    char buf[64];
    const auto escrito = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    double cortado = 0;
    std::from_chars(buf, escrito.ptr, cortado);
    return numeral(cortado);
}

double redondear(double v, int decimales)
{
    if (!std::isfinite(v))
        return v;
    return leer(escribir(redondearDecimal(descomponer(v), decimales)));
}

Diezmilesimos Diezmilesimos::desde(double v)
{
    if (!std::isfinite(v) || std::fabs(v) >= 9.2e14)
        throw QuendraError(QuendraError::ValorFueraDeRango,
                           QStringLiteral("El valor %1 no cabe en un saldo").arg(numeral(v)));
    // Below 1e9 only one value of four decimals lies within reach of a double, so
    // when the double is that value it is also its shortest form: taken as it is.
    if (std::fabs(v) < 1e9) {
        const double cuenta = std::nearbyint(v * 10000);
        if (cuenta / 10000 == v)
            return desdeCuenta(int64_t(cuenta));
    }
    Decimal d = redondearDecimal(descomponer(v), 4);
    d.exp10 += 4; // now an integer count of ten-thousandths
    QString s = escribir(d);
    Diezmilesimos r;
    r.cuenta_ = s.toLongLong();
    return r;
}

namespace {
int64_t sumar(int64_t a, int64_t b)
{
    int64_t r;
    if (__builtin_add_overflow(a, b, &r))
        throw QuendraError(QuendraError::ValorFueraDeRango, QStringLiteral("El saldo excede el rango admitido"));
    return r;
}
} // namespace

Diezmilesimos Diezmilesimos::operator+(Diezmilesimos o) const
{
    return desdeCuenta(sumar(cuenta_, o.cuenta_));
}

Diezmilesimos Diezmilesimos::operator-(Diezmilesimos o) const
{
    if (o.cuenta_ == std::numeric_limits<int64_t>::min())
        throw QuendraError(QuendraError::ValorFueraDeRango, QStringLiteral("El saldo excede el rango admitido"));
    return desdeCuenta(sumar(cuenta_, -o.cuenta_));
}

namespace {
// The magnitude divided by a power of ten, an exact half going to the even neighbour.
unsigned __int128 dividirAlPar(unsigned __int128 a, unsigned __int128 divisor)
{
    unsigned __int128 cociente = a / divisor, resto = a % divisor;
    if (resto * 2 > divisor || (resto * 2 == divisor && cociente % 2 == 1))
        ++cociente;
    return cociente;
}

unsigned __int128 magnitud(int64_t v)
{
    return v < 0 ? uint64_t(0) - uint64_t(v) : uint64_t(v);
}
} // namespace

int64_t Diezmilesimos::centesimas() const
{
    // Work on the exact decimal digits of the count, never on a double.
    const int64_t c = int64_t(dividirAlPar(magnitud(cuenta_), 100));
    return cuenta_ < 0 ? -c : c;
}

int64_t Diezmilesimos::centesimasDelProducto(Diezmilesimos a, Diezmilesimos b)
{
    // Ten-thousandths times ten-thousandths are hundred-millionths: a million of them to the hundredth.
    const unsigned __int128 c = dividirAlPar(magnitud(a.cuenta_) * magnitud(b.cuenta_), 1000000);
    if (c > static_cast<unsigned __int128>(std::numeric_limits<int64_t>::max()))
        throw QuendraError(QuendraError::ValorFueraDeRango, QStringLiteral("El importe excede el rango admitido"));
    return (a.cuenta_ < 0) != (b.cuenta_ < 0) ? -int64_t(c) : int64_t(c);
}

QString Diezmilesimos::texto2() const
{
    char buf[32];
    const QByteArrayView t = numeralCentesimas(centesimas(), buf);
    return QString::fromLatin1(t.data(), t.size());
}

QByteArrayView numeralCentesimas(int64_t centesimas, char (&buf)[32])
{
    char *fin = buf + sizeof buf, *p = fin;
    const bool negativo = centesimas < 0;
    uint64_t a = negativo ? uint64_t(0) - uint64_t(centesimas) : uint64_t(centesimas);
    const unsigned decimales = unsigned(a % 100);
    a /= 100;
    if (decimales != 0) {
        if (decimales % 10 != 0)
            *--p = char('0' + decimales % 10);
        *--p = char('0' + decimales / 10);
        *--p = '.';
    }
    do
        *--p = char('0' + a % 10);
    while (a /= 10);
    if (negativo)
        *--p = '-';
    return QByteArrayView(p, fin - p);
}

} // namespace numeros
