// The old binary .xls through FreeXL, which gives dates already as text.
#include "dates.h"
#include "sheet_formats.h"

#include <freexl.h>
#include <memory>

namespace hojas::detalle {

namespace {

struct Cerrar
{
    void operator()(const void *h) const { freexl_close(h); }
};
using Libro = std::unique_ptr<const void, Cerrar>;

Libro abrir(const QString &archivo)
{
    const void *h = nullptr;
    const int rc = freexl_open(archivo.toLocal8Bit().constData(), &h);
    Libro libro(h);
    if (rc != FREEXL_OK)
        fallar(archivo, QStringLiteral("no es una planilla .xls que se pueda leer (FreeXL %1)").arg(rc));
    return libro;
}

QStringList nombres(const QString &archivo, const void *h)
{
    unsigned int cuantas = 0;
    if (freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &cuantas) != FREEXL_OK)
        fallar(archivo, QStringLiteral("no se leen sus hojas"));
    QStringList lista;
    for (unsigned int i = 0; i < cuantas; ++i) {
        const char *nombre = nullptr;
        if (freexl_get_worksheet_name(h, static_cast<unsigned short>(i), &nombre) != FREEXL_OK)
            fallar(archivo, QStringLiteral("no se leen sus hojas"));
        lista << QString::fromUtf8(nombre);
    }
    return lista;
}

Celda celda(const FreeXL_CellValue &v)
{
    Celda c;
    switch (v.type) {
    case FREEXL_CELL_INT:
        c.tipo = Celda::Tipo::Numero;
        c.numero = v.value.int_value;
        break;
    case FREEXL_CELL_DOUBLE:
        c.tipo = Celda::Tipo::Numero;
        c.numero = v.value.double_value;
        break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_TIME:
        c.tipo = Celda::Tipo::Texto;
        c.texto = QString::fromUtf8(v.value.text_value);
        break;
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME: {
        // "YYYY-MM-DD", with the time after it for a date and time.
        const QByteArray texto(v.value.text_value);
        c.tipo = Celda::Tipo::Fecha;
        c.fecha = fechas::leerIso(texto.constData(), std::min<qsizetype>(texto.size(), 10));
        break;
    }
    default:
        break;
    }
    return c;
}

} // namespace

QStringList hojasXls(const QString &archivo)
{
    const Libro libro = abrir(archivo);
    return nombres(archivo, libro.get());
}

void leerXls(const QString &archivo, const QString &hoja, const Destino &destino)
{
    const Libro libro = abrir(archivo);
    const QStringList lista = nombres(archivo, libro.get());
    const qsizetype indice = hoja.isEmpty() ? 0 : lista.indexOf(hoja);
    if (indice < 0 || indice >= lista.size())
        faltaHoja(archivo, hoja);
    unsigned int filas = 0;
    unsigned short columnas = 0;
    if (freexl_select_active_worksheet(libro.get(), static_cast<unsigned short>(indice)) != FREEXL_OK
        || freexl_worksheet_dimensions(libro.get(), &filas, &columnas) != FREEXL_OK)
        fallar(archivo, QStringLiteral("no se lee la hoja «%1»").arg(lista[indice]));
    Fila fila;
    for (unsigned int r = 0; r < filas; ++r) {
        fila.numero = int(r) + 1;
        fila.celdas.clear();
        for (unsigned short k = 0; k < columnas; ++k) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(libro.get(), r, k, &v) != FREEXL_OK)
                fallar(archivo, QStringLiteral("no se lee la fila %1").arg(r + 1));
            fila.celdas.append(celda(v));
        }
        while (!fila.celdas.isEmpty() && fila.celdas.last().vacia())
            fila.celdas.removeLast();
        if (!fila.celdas.isEmpty() && !destino(fila))
            return;
    }
}

} // namespace hojas::detalle
