#include "dates.h"

#include <QRegularExpression>

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
