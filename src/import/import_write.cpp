#include "import_write.h"
#include "backup.h"
#include "batched_writes.h"
#include "change_record.h"
#include "codes.h"
#include "connection.h"
#include "dates.h"
#include "mprincipal.h"
#include "numbers.h"
#include "quendra_error.h"
#include "sql_text.h"
#include "stock_operations.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace importacion {

namespace {

const QStringList columnasArticulo{QStringLiteral("numero"),  QStringLiteral("codigo"), QStringLiteral("nombre"),
                                   QStringLiteral("detalle"), QStringLiteral("alta"),   QStringLiteral("costo")};

// The families and articles in a few statements: new rows inserted many to a
// statement, changed articles updated each on its own.
void escribirArticulos(Connection &c, const Revision &r)
{
    constexpr qsizetype filasPorInsert = 500;
    EscriturasEnTandas escrituras(c);
    QList<QStringList> familias;
    for (const FamiliaNueva &f : r.familiasNuevas)
        familias.append({f.codigo, f.nombre});
    for (qsizetype i = 0; i < familias.size(); i += filasPorInsert)
        escrituras.agregar(mPrincipal::sentenciaInsertFilas(QStringLiteral("familia"),
                                                            {QStringLiteral("codigo"), QStringLiteral("familia")},
                                                            familias.mid(i, filasPorInsert)));
    const QStringList columnasNuevo = QStringList(columnasArticulo) << QStringLiteral("stock");
    QList<QStringList> nuevos;
    for (qsizetype i = 0; i < r.articulos.filas(); ++i) {
        QStringList valores;
        for (int k = 0; k < columnasArticulo.size(); ++k)
            valores << r.articulos.texto(i, k);
        if (!r.articuloNuevo[i]) {
            escrituras.agregar(mPrincipal::sentenciaUpdate(QStringLiteral("articulo"), columnasArticulo, valores,
                                                           QStringLiteral("numero=") + sqlEntreComillas(valores[0])));
            continue;
        }
        // A new article's stock is the sum of its movements, none yet; its opening stock is posted below.
        nuevos.append(QStringList(valores) << QStringLiteral("0"));
        if (nuevos.size() == filasPorInsert) {
            escrituras.agregar(mPrincipal::sentenciaInsertFilas(QStringLiteral("articulo"), columnasNuevo, nuevos));
            nuevos.clear();
        }
    }
    if (!nuevos.isEmpty())
        escrituras.agregar(mPrincipal::sentenciaInsertFilas(QStringLiteral("articulo"), columnasNuevo, nuevos));
    escrituras.enviar();
}

// The opening stock: one new voucher per place, numbered one after another,
// posted in parts so that only one part's lines are held at a time. A voucher
// that an earlier part settled takes the later parts' lines as they are.
void registrarStock(Connection &c, const Revision &r, const Opciones &o, Resumen &resumen)
{
    constexpr qsizetype lineasPorParte = 10000;
    QString ultimo;
    const QString primero = operacionesStock::siguienteComprobante(c, ultimo);
    QStringList lugares;
    QHash<QString, QString> asentados;
    for (qsizetype desde = 0; desde < r.stock.size(); desde += lineasPorParte) {
        QList<operacionesStock::Linea> lineas;
        QStringList propuestos;
        for (qsizetype i = desde; i < std::min(desde + lineasPorParte, r.stock.size()); ++i) {
            const StockImportado &f = r.stock[i];
            const QString &deposito = r.textos[f.deposito];
            if (!lugares.contains(deposito))
                lugares << deposito;
            // Zero-filling past the eight digits would give another voucher's number.
            if (primero.isEmpty() || primero.toLongLong() + lugares.size() - 1 > 99999999)
                throw QuendraError(QuendraError::ValorFueraDeRango,
                                   QStringLiteral("No quedan números de comprobante libres para el stock inicial"));
            propuestos << numeros::rellenarCeros(QString::number(primero.toLongLong() + lugares.indexOf(deposito)), 8);
            operacionesStock::Linea l;
            l.comprobante = asentados.value(propuestos.back(), propuestos.back());
            l.nuevo = !asentados.contains(propuestos.back());
            l.entrada = true;
            l.fecha = o.fecha.isValid() ? o.fecha : fechas::hoy();
            l.deposito = deposito;
            l.detalle = QStringLiteral("Stock inicial");
            l.numero = numeros::rellenarCeros(QString::number(f.numero), codigos::ancho(codigos::Clase::Articulo));
            l.codigo = r.textos[f.codigo];
            l.cantidad = f.cantidad;
            l.costo = f.costo;
            lineas << l;
        }
        const auto posteo = operacionesStock::registrarLoteEnCurso(c, lineas);
        // Entries into new vouchers: only the numbers running out can refuse them.
        if (posteo.resultado.rechazo != operacionesStock::Rechazo::Ninguno)
            throw QuendraError(QuendraError::ValorFueraDeRango,
                               posteo.resultado.rechazo == operacionesStock::Rechazo::SinNumeros
                                   ? QStringLiteral("No quedan números de comprobante libres para el stock inicial")
                                   : QStringLiteral("No se pudo registrar el stock inicial del artículo %1")
                                         .arg(lineas[posteo.indice].numero));
        for (qsizetype i = 0; i < lineas.size(); ++i) {
            if (asentados.contains(propuestos[i]))
                continue;
            asentados.insert(propuestos[i], posteo.comprobantes[i]);
            resumen.comprobantes << posteo.comprobantes[i] + QStringLiteral(" (depósito ") + lineas[i].deposito
                                        + QLatin1Char(')');
        }
    }
}

// One row for the whole import, whatever the number of its rows.
void anotarImportacion(Connection &c, const Opciones &o, const Resumen &r)
{
    registroCambios::Cambio cambio{registroCambios::Tipo::Importacion, {}, {}, QFileInfo(o.archivo).fileName(), {}, {}};
    cambio.nuevo = registroCambios::valores({QStringLiteral("artículos agregados"), QStringLiteral("actualizados"),
                                             QStringLiteral("familias nuevas"), QStringLiteral("comprobantes")},
                                            {QString::number(r.agregados), QString::number(r.actualizados),
                                             QString::number(r.familias), r.comprobantes.join(QStringLiteral(", "))});
    registroCambios::anotar(c, cambio);
}

} // namespace

Resultado importar(Connection &conexion, const Opciones &opciones)
{
    Resultado r;
    Transaction transaccion(conexion);
    r.revision = revisar(conexion, opciones, Uso::ParaEscribir);
    if (!r.revision.correcta())
        return r;
    r.escrito = true;
    if (r.revision.familiasNuevas.isEmpty() && r.revision.articuloNuevo.isEmpty() && r.revision.stock.isEmpty())
        return r;
    // The file's copy is read on a connection of its own while this one holds
    // the write lock and has written nothing yet: it is the database as checked.
    if (!conexion.esServidor()) {
        r.resumen.copia = copias::copiaAntes(conexion.archivo(), QStringLiteral("importar"));
        r.resumen.restaurar =
            QStringLiteral("quendra-db restore \"%1\" \"%2\"")
                .arg(QDir::toNativeSeparators(r.resumen.copia), QDir::toNativeSeparators(conexion.archivo()));
    }
    escribirArticulos(conexion, r.revision);
    r.resumen.familias = int(r.revision.familiasNuevas.size());
    for (const bool nuevo : std::as_const(r.revision.articuloNuevo))
        ++(nuevo ? r.resumen.agregados : r.resumen.actualizados);
    registrarStock(conexion, r.revision, opciones, r.resumen);
    anotarImportacion(conexion, opciones, r.resumen);
    transaccion.commit();
    return r;
}

} // namespace importacion
