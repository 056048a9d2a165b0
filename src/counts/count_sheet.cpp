#include "count_sheet.h"
#include "article_barcodes.h"
#include "column_matching.h"
#include "numbers.h"
#include "sheet_reader.h"
#include "stock_counts.h"

namespace planillaContada {

namespace {

struct Columnas
{
    int numero = -1, cantidad = -1;
};

Columnas columnas(const hojas::Fila &encabezado)
{
    QStringList textos;
    for (const hojas::Celda &c : encabezado.celdas)
        textos << c.comoTexto();
    Columnas r;
    const importacion::Columnas emparejadas = importacion::emparejar(textos);
    r.numero = emparejadas[importacion::Campo::Numero];
    for (qsizetype i = 0; i < textos.size() && r.cantidad < 0; ++i)
        if (const QString t = importacion::normalizado(textos[i]);
            t == QLatin1String("contado") || t == QLatin1String("cantidad contada"))
            r.cantidad = int(i);
    if (r.cantidad < 0)
        r.cantidad = emparejadas[importacion::Campo::Stock];
    return r;
}

// The quantity of a cell, or why it is none.
QString cantidad(const hojas::Celda &celda, double &valor)
{
    const QString texto = celda.comoTexto().trimmed();
    if (celda.tipo == hojas::Celda::Tipo::Numero)
        valor = celda.numero;
    else if (numeros::esNumero(texto) && numeros::importeLegible(texto))
        valor = numeros::valorImporte(texto);
    else
        return QStringLiteral("la cantidad «%1» no es un número").arg(texto);
    if (valor < 0 || !numeros::importeAdmitido(numeros::numeral(valor)))
        return QStringLiteral("la cantidad %1 debe ser 0 o más, hasta 999999999,99").arg(numeros::numeral(valor));
    return {};
}

} // namespace

Lectura leer(Connection &conexion, const QString &archivo)
{
    Lectura lectura;
    std::optional<Columnas> cols;
    hojas::leer(archivo, QString(), [&](const hojas::Fila &fila) {
        if (!cols) {
            cols = columnas(fila);
            return cols->numero >= 0 && cols->cantidad >= 0;
        }
        const hojas::Celda celdaNumero = fila.celdas.value(cols->numero);
        const hojas::Celda celdaCantidad = fila.celdas.value(cols->cantidad);
        if (celdaNumero.vacia() || celdaCantidad.vacia())
            return true;
        Renglon r;
        r.fila = fila.numero;
        const QString texto = celdaNumero.comoTexto().trimmed();
        const codigosBarras::Lectura articulo = codigosBarras::leer(conexion, texto);
        r.numero = articulo.numero.isEmpty() ? texto : numeros::rellenarCeros(articulo.numero, 6);
        if (articulo.esCodigo && articulo.numero.isEmpty())
            r.error = codigosBarras::mensajeDesconocido(texto);
        else if (!recuentos::articulo(conexion, r.numero))
            r.error = QStringLiteral("el artículo %1 no existe").arg(r.numero);
        else
            r.error = cantidad(celdaCantidad, r.cantidad);
        lectura.renglones << r;
        return true;
    });
    if (!cols || cols->numero < 0 || cols->cantidad < 0)
        lectura.error = QStringLiteral("La planilla no tiene en su primera fila una columna de número de artículo y "
                                       "una de cantidad contada («Contado»)");
    return lectura;
}

QList<Renglon> porArticulo(const QList<Renglon> &renglones)
{
    QList<Renglon> suma;
    for (const Renglon &r : renglones) {
        if (!r.error.isEmpty())
            continue;
        auto igual = std::find_if(suma.begin(), suma.end(), [&r](const Renglon &s) { return s.numero == r.numero; });
        if (igual == suma.end())
            suma << r;
        else
            igual->cantidad = numeros::redondear(igual->cantidad + numeros::redondear(r.cantidad));
    }
    return suma;
}

} // namespace planillaContada
