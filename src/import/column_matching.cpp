#include "column_matching.h"

namespace importacion {

namespace {

// The headers that name each field, as normalizado gives them, in the order of Campo.
const QList<QStringList> &nombres()
{
    static const QList<QStringList> n{
        {QStringLiteral("numero"), QStringLiteral("nro"), QStringLiteral("codigo"), QStringLiteral("cod"),
         QStringLiteral("numero de articulo"), QStringLiteral("codigo de articulo")},
        {QStringLiteral("nombre"), QStringLiteral("descripcion"), QStringLiteral("articulo")},
        {QStringLiteral("familia"), QStringLiteral("rubro"), QStringLiteral("codigo de familia")},
        {QStringLiteral("nombre de familia")},
        {QStringLiteral("detalle"), QStringLiteral("observaciones")},
        {QStringLiteral("costo"), QStringLiteral("precio de costo"), QStringLiteral("costo unitario")},
        {QStringLiteral("alta"), QStringLiteral("fecha de alta")},
        {QStringLiteral("stock"), QStringLiteral("existencia"), QStringLiteral("cantidad"),
         QStringLiteral("stock inicial")},
        {QStringLiteral("deposito")},
    };
    return n;
}

} // namespace

QString nombreCampo(Campo campo)
{
    static const QStringList n{QStringLiteral("número"),  QStringLiteral("nombre"),
                               QStringLiteral("familia"), QStringLiteral("nombre de familia"),
                               QStringLiteral("detalle"), QStringLiteral("costo"),
                               QStringLiteral("alta"),    QStringLiteral("stock"),
                               QStringLiteral("depósito")};
    return n[int(campo)];
}

QString normalizado(const QString &texto)
{
    QString sinAcentos;
    for (const QChar c : texto.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing && c != QLatin1Char('.'))
            sinAcentos += c;
    return sinAcentos.toLower().simplified();
}

Columnas emparejar(const QStringList &encabezados)
{
    Columnas columnas;
    for (int campo = 0; campo < cantidadCampos; ++campo)
        for (qsizetype k = 0; k < encabezados.size() && columnas.indice[campo] < 0; ++k)
            if (nombres()[campo].contains(normalizado(encabezados[k])) && !columnas.indice.contains(int(k)))
                columnas.indice[campo] = int(k);
    return columnas;
}

} // namespace importacion
