#include "codes.h"
#include "numbers.h"

namespace codigos {

int ancho(Clase clase)
{
    switch (clase) {
    case Clase::Familia:
        return 4;
    case Clase::Articulo:
        return 6;
    case Clase::Comprobante:
        break;
    }
    return 8;
}

std::optional<QString> rellenado(const QString &texto, Clase clase)
{
    const QString limpio = texto.trimmed();
    for (QChar c : limpio)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const qsizetype sobrantes = limpio.size() - ancho(clase);
    for (qsizetype i = 0; i < sobrantes; ++i)
        if (limpio[i] != QLatin1Char('0'))
            return std::nullopt;
    return numeros::rellenarCeros(limpio, ancho(clase));
}

QString mensajeRechazo(Clase clase)
{
    const QString campo = clase == Clase::Familia    ? QStringLiteral("El código de familia")
                          : clase == Clase::Articulo ? QStringLiteral("El número de artículo")
                                                     : QStringLiteral("El número de comprobante");
    return campo + QStringLiteral(" debe tener hasta %1 dígitos").arg(ancho(clase));
}

} // namespace codigos
