#include "dates.h"

#include <QRegularExpression>
#include <algorithm>

namespace fechas {

namespace {
QDate &hoyFijado()
{
    static QDate fijado;
    return fijado;
}
} // namespace

QString texto(const QDate &fecha)
{
    return fecha.isValid() ? fecha.toString(QStringLiteral("dd-MM-yyyy")) : QString();
}

QByteArrayView texto(const QDate &fecha, char (&buf)[16])
{
    int anio, mes, dia;
    fecha.getDate(&anio, &mes, &dia);
    if (!fecha.isValid() || anio < 1 || anio > 9999) {
        const QByteArray t = texto(fecha).toLatin1().left(sizeof buf);
        return QByteArrayView(buf, std::copy_n(t.constData(), t.size(), buf) - buf);
    }
    buf[0] = char('0' + dia / 10), buf[1] = char('0' + dia % 10), buf[2] = '-';
    buf[3] = char('0' + mes / 10), buf[4] = char('0' + mes % 10), buf[5] = '-';
    for (int i = 9; i >= 6; --i, anio /= 10)
        buf[i] = char('0' + anio % 10);
    return QByteArrayView(buf, 10);
}

QDate leer(const QString &t)
{
    static const QRegularExpression forma(QStringLiteral("^\\s*(\\d{1,2})[-/](\\d{1,2})[-/](\\d{4})\\s*$"));
    auto m = forma.match(t);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

bool esFecha(const QString &t)
{
    return leer(t).isValid();
}

QDate leerIso(const char *t, qsizetype n)
{
    if (n != 10 || t[4] != '-' || t[7] != '-')
        return {};
    auto numero = [t](int desde, int cifras) {
        int v = 0;
        for (int i = desde; i < desde + cifras; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return -1;
            v = v * 10 + (t[i] - '0');
        }
        return v;
    };
    const int anio = numero(0, 4), mes = numero(5, 2), dia = numero(8, 2);
    if (anio < 0 || mes < 0 || dia < 0)
        return {};
    return QDate(anio, mes, dia); // invalid when the day is impossible
}

QDate hoy()
{
    return hoyFijado().isValid() ? hoyFijado() : QDate::currentDate();
}

void fijarHoyParaPruebas(const QDate &fecha)
{
    hoyFijado() = fecha;
}

} // namespace fechas
