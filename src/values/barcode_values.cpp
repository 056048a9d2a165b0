#include "barcode_values.h"

namespace codigoBarras {

namespace {

bool soloDigitos(QStringView texto)
{
    for (QChar c : texto)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return !texto.isEmpty();
}

} // namespace

QString nombre(Tipo t)
{
    switch (t) {
    case Tipo::Ean13:
        return QStringLiteral("EAN-13");
    case Tipo::Ean8:
        return QStringLiteral("EAN-8");
    case Tipo::UpcA:
        return QStringLiteral("UPC-A");
    case Tipo::Code128:
        break;
    }
    return QStringLiteral("Code 128");
}

int digitoControl(QStringView cuerpo)
{
    int suma = 0;
    bool triple = true;
    for (qsizetype i = cuerpo.size() - 1; i >= 0; --i, triple = !triple)
        suma += (cuerpo[i].unicode() - '0') * (triple ? 3 : 1);
    return (10 - suma % 10) % 10;
}

Tipo tipo(const QString &codigo)
{
    if (!soloDigitos(codigo))
        return Tipo::Code128;
    switch (codigo.size()) {
    case 13:
        return Tipo::Ean13;
    case 8:
        return Tipo::Ean8;
    case 12:
        return Tipo::UpcA;
    default:
        return Tipo::Code128;
    }
}

QString rechazo(const QString &codigo)
{
    if (codigo.isEmpty())
        return QStringLiteral("Falta el código de barras");
    if (esNumeroArticulo(codigo))
        return QStringLiteral("El código %1 se leería como un número de artículo: un código debe tener más de seis "
                              "caracteres o alguno que no sea un dígito")
            .arg(codigo);
    if (codigo.size() > largoMaximo)
        return QStringLiteral("El código de barras puede tener hasta %1 caracteres").arg(largoMaximo);
    // A scanner types printable ASCII, and Code 128 prints nothing else.
    for (QChar c : codigo)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return QStringLiteral("El código %1 tiene caracteres que un lector de códigos no escribe").arg(codigo);
    const Tipo t = tipo(codigo);
    if (t == Tipo::Code128)
        return QString();
    const int esperado = digitoControl(QStringView(codigo).chopped(1));
    if (codigo.back().unicode() - '0' == esperado)
        return QString();
    return QStringLiteral("El código %1 no es un %2 válido: su dígito de control debería ser %3")
        .arg(codigo, nombre(t), QString::number(esperado));
}

bool esNumeroArticulo(const QString &texto)
{
    const QString limpio = texto.trimmed();
    return limpio.size() <= 6 && (limpio.isEmpty() || soloDigitos(limpio));
}

QString interno(const QString &numeroArticulo)
{
    const QString cuerpo = QStringLiteral("200000") + numeroArticulo;
    return cuerpo + QString::number(digitoControl(cuerpo));
}

} // namespace codigoBarras
