// Posting many lines with few statements: what one line at a time would check and store, written together.
#include "article_stock.h"
#include "batched_writes.h"
#include "connection.h"
#include "mprincipal.h"
#include "posting_steps.h"
#include "recordset.h"
#include "stock_sql.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace operacionesStock {

namespace {

// Lines waiting to be inserted together, many to a statement, each statement
// after the lock of its articles; a few hundred kilobytes go out at a time.
class Pendientes
{
public:
    explicit Pendientes(Connection &conexion) : escrituras_(conexion) { }

    void agregar(const Linea &linea, const QString &comprobante)
    {
        filas_ << pasos::valoresLinea(linea, comprobante);
        if (!bloqueados_.contains(linea.numero))
            porBloquear_.insert(linea.numero);
        if (filas_.size() == filasPorInsert)
            juntar();
    }

    void escribir()
    {
        juntar();
        escrituras_.enviar();
    }

private:
    static constexpr qsizetype filasPorInsert = 500;

    void juntar()
    {
        if (filas_.isEmpty())
            return;
        QStringList numeros(porBloquear_.begin(), porBloquear_.end());
        std::sort(numeros.begin(), numeros.end());
        for (const QString &lista : stockArticulo::listasDeNumeros(numeros))
            escrituras_.agregar(sqlStock::bloqueoArticulos(lista));
        escrituras_.agregar(mPrincipal::sentenciaInsertFilas(QStringLiteral("movstk"), pasos::columnasLinea(), filas_));
        bloqueados_.unite(porBloquear_);
        porBloquear_.clear();
        filas_.clear();
    }

    EscriturasEnTandas escrituras_;
    QList<QStringList> filas_;
    // Articles are locked once in the transaction, before their first line goes in.
    QSet<QString> porBloquear_, bloqueados_;
};

} // namespace

ResultadoLineas registrarLoteEnCurso(Connection &conexion, const QList<Linea> &lineas)
{
    pasos::exigirTransaccion(conexion);
    pasos::Tomados tomados;
    // Each settled voucher's articles with a line in it, stored or waiting.
    QHash<QString, QSet<QString>> conLinea;
    QSet<QString> tocados;
    Pendientes pendientes(conexion);
    ResultadoLineas r;
    const auto rechazo = [&](const Resultado &resultado, qsizetype i) {
        r.resultado = resultado;
        r.indice = i;
        r.comprobantes.clear();
        return r;
    };
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const Linea &linea = lineas[i];
        if (!tomados.contains(linea.comprobante)) {
            // A new voucher's number depends on what is stored: the lines before it go in first.
            pendientes.escribir();
            Resultado abierto;
            if (!pasos::abrirComprobante(conexion, linea, tomados, abierto))
                return rechazo(abierto, i);
            QSet<QString> &articulos = conLinea[abierto.comprobante];
            for (auto rs = conexion.execute(sqlStock::articulosDelComprobante(abierto.comprobante)); !rs->eof();
                 rs->moveNext())
                articulos.insert(rs->field(0).text());
        }
        const QString comprobante = tomados.value(linea.comprobante);
        QSet<QString> &articulos = conLinea[comprobante];
        if (linea.entrada && !articulos.contains(linea.numero)) {
            pendientes.agregar(linea, comprobante);
        } else {
            // An exit is checked against what the lines before it leave, and a line
            // written over replaces its article's row: both the one-line way.
            pendientes.escribir();
            const ResultadoLineas una = pasos::asentarLineas(conexion, {linea}, tomados);
            if (una.indice != -1)
                return rechazo(una.resultado, i);
        }
        articulos.insert(linea.numero);
        tocados.insert(linea.numero);
        r.comprobantes << comprobante;
    }
    pendientes.escribir();
    QStringList numeros(tocados.begin(), tocados.end());
    std::sort(numeros.begin(), numeros.end());
    stockArticulo::reescribirVarios(conexion, numeros);
    pasos::refusarTransferencias(conexion, r);
    return r;
}

} // namespace operacionesStock
