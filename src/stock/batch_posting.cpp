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

// Lines waiting to be inserted together, their articles locked first. They go
// out as statements of many rows, a few statements at a time, so that only a
// few thousand lines are ever held here.
class Pendientes
{
public:
    explicit Pendientes(Connection &conexion) : conexion_(conexion) { }

    void agregar(const Linea &linea, const QString &comprobante)
    {
        filas_ << pasos::valoresLinea(linea, comprobante);
        if (!bloqueados_.contains(linea.numero))
            porBloquear_.insert(linea.numero);
        if (filas_.size() == filasPorInsert)
            juntar();
        if (sentencias_.size() == insertsPorEnvio)
            escribir();
    }

    void escribir()
    {
        juntar();
        if (sentencias_.isEmpty())
            return;
        QStringList numeros(porBloquear_.begin(), porBloquear_.end());
        std::sort(numeros.begin(), numeros.end());
        QStringList bloqueos;
        for (const QString &lista : stockArticulo::listasDeNumeros(numeros))
            bloqueos << sqlStock::bloqueoArticulos(lista);
        conexion_.executeAll(bloqueos + sentencias_);
        bloqueados_.unite(porBloquear_);
        porBloquear_.clear();
        sentencias_.clear();
    }

private:
    static constexpr qsizetype filasPorInsert = 500;
    static constexpr qsizetype insertsPorEnvio = 8;

    void juntar()
    {
        if (filas_.isEmpty())
            return;
        sentencias_ << mPrincipal::sentenciaInsertFilas(QStringLiteral("movstk"), pasos::columnasLinea(), filas_);
        filas_.clear();
    }

    Connection &conexion_;
    QList<QStringList> filas_;
    QStringList sentencias_;
    // Articles are locked once in the transaction, and before their lines go in.
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
