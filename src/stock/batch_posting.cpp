// Posting many lines with few statements: what one line at a time would check and store, written together.
#include "article_stock.h"
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

// Lines waiting to be inserted together, their articles locked first.
class Pendientes
{
public:
    explicit Pendientes(Connection &conexion) : conexion_(conexion) { }

    void agregar(const Linea &linea, const QString &comprobante)
    {
        filas_ << pasos::valoresLinea(linea, comprobante);
        numeros_.insert(linea.numero);
    }

    void escribir()
    {
        if (filas_.isEmpty())
            return;
        QStringList numeros(numeros_.begin(), numeros_.end());
        std::sort(numeros.begin(), numeros.end());
        QStringList sentencias;
        for (const QString &lista : stockArticulo::listasDeNumeros(numeros))
            sentencias << sqlStock::bloqueoArticulos(lista);
        constexpr qsizetype filasPorInsert = 500;
        for (qsizetype i = 0; i < filas_.size(); i += filasPorInsert)
            sentencias << mPrincipal::sentenciaInsertFilas(QStringLiteral("movstk"), pasos::columnasLinea(),
                                                           filas_.mid(i, filasPorInsert));
        conexion_.executeAll(sentencias);
        filas_.clear();
        numeros_.clear();
    }

private:
    Connection &conexion_;
    QList<QStringList> filas_;
    QSet<QString> numeros_;
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
