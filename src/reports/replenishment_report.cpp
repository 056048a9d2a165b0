#include "replenishment_report.h"
#include "minimum_stock.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report_rows.h"
#include "type_codes.h"

using numeros::Diezmilesimos;

namespace {

using filasInforme::agregarFila;
using filasInforme::enCentesimas;
using filasInforme::redondeado;

void total(Recordset &rs, const QString &titulo, int64_t centesimas)
{
    agregarFila(rs, {QVariant(), titulo.trimmed(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                     QVariant(), enCentesimas(centesimas)});
}

} // namespace

std::unique_ptr<Recordset> armarReposicion(const QDate &al, const QString &deposito)
{
    const std::vector<minimos::AReponer> lista = minimos::aReponer(mPrincipal::conexion(), al, deposito);
    auto filas = std::make_unique<Recordset>();
    filas->appendColumn(QStringLiteral("numero"), TipoCampo::Texto, 6);
    filas->appendColumn(QStringLiteral("nombre"), TipoCampo::Texto);
    filas->appendColumn(QStringLiteral("deposito"), TipoCampo::Texto);
    for (const char *c : {"stock", "minimo", "reponer", "pedir", "costo", "importe"})
        filas->appendColumn(QLatin1String(c), TipoCampo::Simple);
    filas->open();
    if (lista.empty())
        return filas;

    int64_t general = 0;
    for (size_t i = 0; i < lista.size();) {
        const QString proveedor = lista[i].proveedor;
        agregarFila(*filas, {QVariant(), QStringLiteral("Proveedor: %1").arg(proveedor).trimmed()});
        int64_t delProveedor = 0;
        while (i < lista.size() && lista[i].proveedor == proveedor) {
            const QString familia = lista[i].familia, nombreFamilia = lista[i].nombreFamilia;
            int64_t deLaFamilia = 0;
            for (; i < lista.size() && lista[i].proveedor == proveedor && lista[i].familia == familia; ++i) {
                const minimos::AReponer &a = lista[i];
                const int64_t importe = Diezmilesimos::centesimasDelProducto(a.aPedir(), a.costo);
                deLaFamilia += importe;
                agregarFila(*filas, {a.numero, a.nombre, a.deposito.isEmpty() ? QStringLiteral("Todos") : a.deposito,
                                     redondeado(a.stock), redondeado(a.minimo),
                                     a.hayReponer ? QVariant(redondeado(a.reponer)) : QVariant(),
                                     redondeado(a.aPedir()), redondeado(a.costo), enCentesimas(importe)});
            }
            total(*filas, QStringLiteral("Total familia %1 %2").arg(familia, nombreFamilia), deLaFamilia);
            delProveedor += deLaFamilia;
        }
        total(*filas, QStringLiteral("Total proveedor %1").arg(proveedor), delProveedor);
        general += delProveedor;
    }
    total(*filas, QStringLiteral("Total general"), general);
    filas->moveFirst();
    return filas;
}
