#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

// Shared number and code helpers. Numbers are shown and written with "." as
// the decimal separator, and rounding is done on the decimal digits as written,
// never on the binary double (2.675 rounds to 2.68).
namespace numeros {

// The last n characters of n zeros followed by the text: 12 -> 000012 (n = 6).
QString rellenarCeros(const QString &texto, int n);

// Leading-number value: blanks, tabs and line feeds are skipped anywhere; an
// optional sign, digits with at most one period, an optional exponent; reading
// stops at the first other character. "&H" and "&O" read hexadecimal and octal.
// No leading number gives 0 ("12,5" -> 12, "abc" -> 0).
double valor(const QString &texto);

// An amount as the operator types it: the leading-number value, where a comma
// followed by a digit is a decimal mark as much as a period ("2,5" -> 2.5,
// "0,125" -> 0.125). Operators on Spanish desktops type the comma.
double valorImporte(const QString &texto);

// Whether an amount reads as one number: not "1.234,5", "2,5,1" or "1.2.3".
bool importeLegible(const QString &texto);

// An amount as it is stored: its value rounded to two decimals, as a numeral
// ("12,5" -> "12.5", "0.125" -> "0.12").
QString importe(const QString &texto);

// The largest quantity or cost, in magnitude, the program takes. A posted amount
// is at most 10^13 ten-thousandths, so the 64-bit counts that add up stocks and
// balances hold over 900,000 such amounts before they could overflow, and every
// amount keeps its cents when written with 15 significant digits.
inline constexpr double importeMaximo = 999999999.99;

// Whether the amount of a text, rounded as it is written, is within the bound;
// a number too large to read ("1e309") is not.
bool importeAdmitido(const QString &texto);

// Whether a text reads as a number: blanks around, an optional sign, digits with
// at most one decimal separator ("," or "."), an optional exponent.
bool esNumero(const QString &texto);

// The shortest text that reads back as the same double, plain digits, "." as
// separator, no exponent, no thousands separator: 12.5, -3, 0.1.
QString numeral(double v);
// The same written into buf, for readers that write a million; the view points
// there. The longest numeral, of the smallest double, takes 343 characters.
constexpr int largoNumeral = 352;
QByteArrayView numeral(double v, char (&buf)[largoNumeral]);

// The same, after cutting the value to 15 significant digits, as a sum computed
// in SQL is written back (0.1 + 0.2 -> "0.3").
QString numeral15(double v);

// A count of hundredths as a plain numeral, no trailing zeros: -12.5, 3, 0.05.
// Written into buf; the view points there.
QByteArrayView numeralCentesimas(int64_t centesimas, char (&buf)[32]);

// Rounds to the given decimals, an exact half going to the even neighbour, on
// the shortest decimal form of the value (0.125 -> 0.12, 0.375 -> 0.38).
double redondear(double v, int decimales = 2);

// A signed count of ten-thousandths: the fixed-point balance of the reports.
class Diezmilesimos
{
public:
    Diezmilesimos() = default;
    // Rounds to four decimals, halves to even; throws when out of the 64-bit range.
    static Diezmilesimos desde(double v);
    static Diezmilesimos desdeCuenta(int64_t cuenta)
    {
        Diezmilesimos d;
        d.cuenta_ = cuenta;
        return d;
    }

    int64_t cuenta() const { return cuenta_; }
    Diezmilesimos operator+(Diezmilesimos o) const;
    Diezmilesimos operator-(Diezmilesimos o) const;
    bool operator==(const Diezmilesimos &) const = default;

    // Rounded to two decimals, halves to even: a count of hundredths.
    int64_t centesimas() const;
    // The same as a plain numeral: "12.5", "-3", "2.12".
    QString texto2() const;
    // The exact product of two amounts rounded to two decimals, halves to even
    // (a quantity times a cost): a count of hundredths. Throws when out of range.
    static int64_t centesimasDelProducto(Diezmilesimos a, Diezmilesimos b);
    double aDouble() const { return double(cuenta_) / 10000.0; }

private:
    int64_t cuenta_ = 0;
};

} // namespace numeros
