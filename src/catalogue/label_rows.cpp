#include "label_rows.h"
#include "article_barcodes.h"
#include "barcode_values.h"
#include "catalogue_sql.h"
#include "connection.h"

#include <QStringList>
#include <cmath>

namespace etiquetas {

namespace {

QString consulta(const Pedido &p)
{
    switch (p.origen) {
    case Origen::Rango:
        return sqlCatalogo::etiquetasDelRango(p.desde, p.hasta);
    case Origen::Familia:
        return sqlCatalogo::etiquetasDeFamilia(p.familia);
    case Origen::Comprobante:
        break;
    }
    return sqlCatalogo::etiquetasDelComprobante(p.comprobante);
}

void fila(Recordset &rs, const QString &numero, const QString &nombre, const QString &codigo)
{
    rs.appendText(0, numero.toUtf8());
    rs.appendText(1, nombre.toUtf8());
    rs.appendText(2, codigo.toUtf8());
    rs.endRow();
}

} // namespace

Etiquetas armar(Connection &conexion, const Pedido &pedido)
{
    auto articulos = conexion.execute(consulta(pedido));
    QStringList sinCodigo;
    for (qsizetype f = 0; f < articulos->rowCount(); ++f)
        if (articulos->text(f, 3).isEmpty())
            sinCodigo << articulos->text(f, 0);
    if (QString rechazo = codigosBarras::asignarInternos(conexion, sinCodigo); !rechazo.isEmpty())
        return {nullptr, rechazo};

    Etiquetas e{std::make_unique<Recordset>(), QString()};
    Recordset &filas = *e.filas;
    for (const char *columna : {"numero", "nombre", "codigo"})
        filas.appendColumn(QLatin1String(columna), TipoCampo::Texto);
    for (int p = 1; p < pedido.primeraLibre; ++p)
        fila(filas, QString(), QString(), QString());
    for (qsizetype f = 0; f < articulos->rowCount(); ++f) {
        const QString numero = articulos->text(f, 0);
        const QString codigo = articulos->text(f, 3).isEmpty() ? codigoBarras::interno(numero) : articulos->text(f, 3);
        // A fraction of a unit entered still takes a label of its own.
        const auto copias = qsizetype(std::ceil(articulos->value(f, 2).toDouble() - 1e-9));
        for (qsizetype c = 0; c < copias; ++c)
            fila(filas, numero, articulos->text(f, 1), codigo);
        e.cantidad += copias;
    }
    filas.finishLoading();
    return e;
}

} // namespace etiquetas
