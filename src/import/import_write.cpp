#include "import_write.h"
#include "backup.h"
#include "change_record.h"
#include "connection.h"
#include "dates.h"
#include "mprincipal.h"
#include "numbers.h"
#include "quendra_error.h"
#include "sql_text.h"
#include "stock_operations.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace importacion {

namespace {

const QStringList columnasArticulo{QStringLiteral("numero"),  QStringLiteral("codigo"), QStringLiteral("nombre"),
                                   QStringLiteral("detalle"), QStringLiteral("alta"),   QStringLiteral("costo")};

void escribirArticulo(Connection &c, const FilaRevisada &f)
{
    const QStringList valores{f.numero, f.codigo, f.nombre, f.detalle, fechas::texto(f.alta), f.costo};
    if (f.articuloNuevo) {
        // A new article's stock is the sum of its movements, none yet; its opening stock is posted below.
        c.execute(mPrincipal::sentenciaInsert(QStringLiteral("articulo"),
                                              QStringList(columnasArticulo) << QStringLiteral("stock"),
                                              QStringList(valores) << QStringLiteral("0")));
    } else {
        c.execute(mPrincipal::sentenciaUpdate(QStringLiteral("articulo"), columnasArticulo, valores,
                                              QStringLiteral("numero=") + sqlEntreComillas(f.numero)));
    }
}

// The opening stock: one new voucher per place, numbered one after another.
QList<operacionesStock::Linea> lineasDeStock(Connection &c, const Revision &r, const Opciones &o)
{
    QList<operacionesStock::Linea> lineas;
    QStringList lugares;
    QString ultimo;
    const QString primero = operacionesStock::siguienteComprobante(c, ultimo);
    for (const FilaRevisada &f : r.filas) {
        if (f.stock <= 0)
            continue;
        if (!lugares.contains(f.deposito))
            lugares << f.deposito;
        // Zero-filling past the eight digits would give another voucher's number.
        if (primero.isEmpty() || primero.toLongLong() + lugares.size() - 1 > 99999999)
            throw QuendraError(QuendraError::ValorFueraDeRango,
                               QStringLiteral("No quedan números de comprobante libres para el stock inicial"));
        operacionesStock::Linea l;
        l.comprobante = numeros::rellenarCeros(QString::number(primero.toLongLong() + lugares.indexOf(f.deposito)), 8);
        l.nuevo = true;
        l.entrada = true;
        l.fecha = o.fecha.isValid() ? o.fecha : fechas::hoy();
        l.deposito = f.deposito;
        l.detalle = QStringLiteral("Stock inicial");
        l.numero = f.numero;
        l.codigo = f.codigo;
        l.cantidad = f.stock;
        l.costo = numeros::valor(f.costo);
        lineas << l;
    }
    return lineas;
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
    r.revision = revisar(conexion, opciones);
    if (!r.revision.correcta())
        return r;
    r.escrito = true;
    const bool cambia = !r.revision.familiasNuevas.isEmpty()
                        || std::any_of(r.revision.filas.begin(), r.revision.filas.end(),
                                       [](const FilaRevisada &f) { return f.escribeArticulo || f.stock > 0; });
    if (!cambia)
        return r;
    // The file's copy is read on a connection of its own while this one holds
    // the write lock and has written nothing yet: it is the database as checked.
    if (!conexion.esServidor()) {
        r.resumen.copia = copias::copiaAntes(conexion.archivo(), QStringLiteral("importar"));
        r.resumen.restaurar =
            QStringLiteral("quendra-db restore \"%1\" \"%2\"")
                .arg(QDir::toNativeSeparators(r.resumen.copia), QDir::toNativeSeparators(conexion.archivo()));
    }
    for (const FamiliaNueva &f : std::as_const(r.revision.familiasNuevas))
        conexion.execute(mPrincipal::sentenciaInsert(
            QStringLiteral("familia"), {QStringLiteral("codigo"), QStringLiteral("familia")}, {f.codigo, f.nombre}));
    r.resumen.familias = int(r.revision.familiasNuevas.size());
    for (const FilaRevisada &f : std::as_const(r.revision.filas)) {
        if (!f.escribeArticulo)
            continue;
        escribirArticulo(conexion, f);
        ++(f.articuloNuevo ? r.resumen.agregados : r.resumen.actualizados);
    }
    const auto lineas = lineasDeStock(conexion, r.revision, opciones);
    const auto posteo = operacionesStock::registrarLineasEnCurso(conexion, lineas);
    // Entries into new vouchers: only the numbers running out can refuse them.
    if (posteo.resultado.rechazo != operacionesStock::Rechazo::Ninguno)
        throw QuendraError(QuendraError::ValorFueraDeRango,
                           posteo.resultado.rechazo == operacionesStock::Rechazo::SinNumeros
                               ? QStringLiteral("No quedan números de comprobante libres para el stock inicial")
                               : QStringLiteral("No se pudo registrar el stock inicial del artículo %1")
                                     .arg(lineas[posteo.indice].numero));
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const QString comprobante =
            posteo.comprobantes[i] + QStringLiteral(" (depósito ") + lineas[i].deposito + QLatin1Char(')');
        if (!r.resumen.comprobantes.contains(comprobante))
            r.resumen.comprobantes << comprobante;
    }
    anotarImportacion(conexion, opciones, r.resumen);
    transaccion.commit();
    return r;
}

} // namespace importacion
