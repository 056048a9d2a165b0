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

QDate hoy()
{
    return hoyFijado().isValid() ? hoyFijado() : QDate::currentDate();
}

void fijarHoyParaPruebas(const QDate &fecha)
{
    hoyFijado() = fecha;
}

} // namespace fechas
