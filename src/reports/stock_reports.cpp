#include "stock_reports.h"
#include "dates.h"
#include "mprincipal.h"
#include "numbers.h"
#include "quendra_error.h"
#include "recordset.h"
#include "report_rows.h"
#include "sql_text.h"
#include "type_codes.h"

using numeros::Diezmilesimos;

namespace {

QString rangos(const FiltroStock &f)
{
    return QStringLiteral("a.numero>='") + sqlTexto(f.desdeNumero) + QStringLiteral("' and a.numero<='")
           + sqlTexto(f.hastaNumero) + QStringLiteral("' and a.codigo>='") + sqlTexto(f.desdeFamilia)
           + QStringLiteral("' and a.codigo<='") + sqlTexto(f.hastaFamilia) + QLatin1Char('\'');
}

QString dia(const FiltroStock &f)
{
    if (!fechaStockCompleta(f))
        throw QuendraError(QuendraError::FechaImposible, QStringLiteral("Fecha incorrecta"));
    return QLatin1Char('#') + f.al + QLatin1Char('#');
}

// An amount of a result; null counts as 0.
Diezmilesimos cantidad(const Recordset &rs, qsizetype fila, int columna)
{
    return rs.isNull(fila, columna) ? Diezmilesimos() : Diezmilesimos::desde(rs.value(fila, columna).toDouble());
}

using filasInforme::agregarFila;
using filasInforme::enCentesimas;
using filasInforme::redondeado;

} // namespace

bool fechaStockCompleta(const FiltroStock &filtro)
{
    return !filtro.al.isEmpty() && fechas::texto(fechas::leer(filtro.al)) == filtro.al;
}

const QString columnaEstilo = QStringLiteral("estilo");
const QString estiloTitulo = QStringLiteral("N");
const QString estiloTotal = QStringLiteral("NR");

QString columnaDeposito(int i)
{
    return QStringLiteral("deposito%1").arg(i + 1);
}

QString sentenciaDepositos(const FiltroStock &f)
{
    return QStringLiteral("select distinct deposito from movstk where fecha<=") + dia(f)
           + QStringLiteral(" order by deposito");
}

QString sentenciaStockPorDeposito(const FiltroStock &f, const QStringList &depositos)
{
    // One pass over each article's movements in index order, a pair of sums per
    // storage place: grouping by place as well would sort every movement.
    QString sumas;
    for (int i = 0; i < depositos.size(); ++i) {
        const QString cual = depositos[i].isNull() ? QStringLiteral("m.deposito is null")
                                                   : QStringLiteral("m.deposito='") + sqlTexto(depositos[i]) + '\'';
        sumas += QStringLiteral("sum(case when %1 then m.Entrada end) as entrada%2,"
                                "sum(case when %1 then m.Salida end) as salida%2,")
                     .arg(cual)
                     .arg(i + 1);
    }
    // Grouped by the article number alone, so that the index gives the groups in
    // order; max() of an article's own column is that column on every engine.
    return QStringLiteral("select a.numero as numero,max(a.nombre) as nombre,max(a.stock) as stock,") + sumas
           + QStringLiteral("(select coalesce(sum(t.Entrada),0)-coalesce(sum(t.Salida),0) from movstk t "
                            "where t.numero=a.numero) as movido ")
           + QStringLiteral("from articulo a left join movstk m on m.numero=a.numero and m.fecha<=") + dia(f)
           + QStringLiteral(" where ") + rangos(f) + QStringLiteral(" group by a.numero order by a.numero");
}

StockPorDeposito armarStockPorDeposito(const FiltroStock &filtro)
{
    QStringList todos;
    for (auto rs = mPrincipal::abrirConsulta(sentenciaDepositos(filtro)); !rs->eof(); rs->moveNext())
        todos << (rs->field(0).isNull() ? QString() : rs->field(0).text());
    auto rs = mPrincipal::abrirConsulta(sentenciaStockPorDeposito(filtro, todos));
    const int numero = rs->columnIndex(QStringLiteral("numero")), nombre = rs->columnIndex(QStringLiteral("nombre")),
              stock = rs->columnIndex(QStringLiteral("stock")), movido = rs->columnIndex(QStringLiteral("movido"));
    std::vector<int> entrada, salida;
    for (int i = 0; i < todos.size(); ++i) {
        entrada.push_back(rs->columnIndex(QStringLiteral("entrada%1").arg(i + 1)));
        salida.push_back(rs->columnIndex(QStringLiteral("salida%1").arg(i + 1)));
    }
    auto hayMovimientos = [&](qsizetype r, int i) {
        return !rs->isNull(r, entrada[size_t(i)]) || !rs->isNull(r, salida[size_t(i)]);
    };

    // Only the places where some selected article has movements up to the day.
    StockPorDeposito resultado;
    std::vector<int> lugares;
    for (int i = 0; i < todos.size(); ++i)
        for (qsizetype r = 0; r < rs->rowCount(); ++r)
            if (hayMovimientos(r, i)) {
                lugares.push_back(i);
                resultado.depositos << todos[i];
                break;
            }

    auto filas = std::make_unique<Recordset>();
    filas->appendColumn(QStringLiteral("numero"), TipoCampo::Texto, 6);
    filas->appendColumn(QStringLiteral("nombre"), TipoCampo::Texto);
    for (size_t i = 0; i < lugares.size(); ++i)
        filas->appendColumn(columnaDeposito(int(i)), TipoCampo::Simple);
    filas->appendColumn(QStringLiteral("total"), TipoCampo::Simple);
    filas->appendColumn(QStringLiteral("marca"), TipoCampo::Texto, 1);
    filas->appendColumn(columnaEstilo, TipoCampo::Texto, 2);
    filas->open();
    filas->reserve(rs->rowCount() + 1);

    const int n = int(lugares.size());
    std::vector<Diezmilesimos> totales(size_t(n) + 1);
    for (qsizetype r = 0; r < rs->rowCount(); ++r) {
        filas->addNew();
        filas->setValue(0, rs->text(r, numero));
        filas->setValue(1, rs->text(r, nombre));
        Diezmilesimos total;
        for (int i = 0; i < n; ++i) {
            if (!hayMovimientos(r, lugares[size_t(i)]))
                continue;
            const size_t l = size_t(lugares[size_t(i)]);
            const Diezmilesimos aqui = cantidad(*rs, r, entrada[l]) - cantidad(*rs, r, salida[l]);
            total = total + aqui;
            totales[size_t(i)] = totales[size_t(i)] + aqui;
            filas->setValue(2 + i, redondeado(aqui));
        }
        totales[size_t(n)] = totales[size_t(n)] + total;
        filas->setValue(2 + n, redondeado(total));
        filas->setValue(3 + n, cantidad(*rs, r, movido) == cantidad(*rs, r, stock) ? QString() : QStringLiteral("*"));
        filas->update();
    }
    // Each place's total under its column, set apart.
    if (rs->rowCount() > 0) {
        filas->addNew();
        filas->setValue(1, QStringLiteral("Total"));
        for (int i = 0; i <= n; ++i)
            filas->setValue(2 + i, redondeado(totales[size_t(i)]));
        filas->setValue(4 + n, estiloTotal);
        filas->update();
    }
    filas->moveFirst();
    resultado.filas = std::move(filas);
    return resultado;
}

QString sentenciaValorizacion(const FiltroStock &f)
{
    return QStringLiteral("select a.numero as numero,max(a.nombre) as nombre,max(a.codigo) as codigo,"
                          "max(fa.familia) as familia,")
           + QStringLiteral("max(a.costo) as costo,sum(m.Entrada) as entrada,sum(m.Salida) as salida ")
           + QStringLiteral("from articulo a left join movstk m on m.numero=a.numero and m.fecha<=") + dia(f)
           + QStringLiteral(" left join familia fa on fa.codigo=a.codigo where ") + rangos(f)
           + QStringLiteral(" group by a.numero order by codigo,a.numero");
}

std::unique_ptr<Recordset> armarValorizacion(const FiltroStock &filtro)
{
    auto rs = mPrincipal::abrirConsulta(sentenciaValorizacion(filtro));
    const int numero = rs->columnIndex(QStringLiteral("numero")), nombre = rs->columnIndex(QStringLiteral("nombre")),
              codigo = rs->columnIndex(QStringLiteral("codigo")), familia = rs->columnIndex(QStringLiteral("familia")),
              costo = rs->columnIndex(QStringLiteral("costo")), entrada = rs->columnIndex(QStringLiteral("entrada")),
              salida = rs->columnIndex(QStringLiteral("salida"));

    auto filas = std::make_unique<Recordset>();
    filas->appendColumn(QStringLiteral("numero"), TipoCampo::Texto, 6);
    filas->appendColumn(QStringLiteral("nombre"), TipoCampo::Texto);
    filas->appendColumn(QStringLiteral("stock"), TipoCampo::Simple);
    filas->appendColumn(QStringLiteral("costo"), TipoCampo::Simple);
    filas->appendColumn(QStringLiteral("importe"), TipoCampo::Simple);
    filas->appendColumn(columnaEstilo, TipoCampo::Texto, 2);
    filas->open();
    filas->reserve(rs->rowCount() + rs->rowCount() / 5 + 1);

    int64_t general = 0;
    for (qsizetype r = 0; r < rs->rowCount();) {
        const QString familiaCodigo = rs->text(r, codigo);
        const QString familiaNombre = rs->text(r, familia);
        agregarFila(*filas, {QVariant(), QStringLiteral("Familia %1 %2").arg(familiaCodigo, familiaNombre).trimmed(),
                             QVariant(), QVariant(), QVariant(), estiloTitulo});
        int64_t subtotal = 0;
        for (; r < rs->rowCount() && rs->text(r, codigo) == familiaCodigo; ++r) {
            const Diezmilesimos stock = cantidad(*rs, r, entrada) - cantidad(*rs, r, salida);
            const Diezmilesimos unitario = cantidad(*rs, r, costo);
            const int64_t importe = Diezmilesimos::centesimasDelProducto(stock, unitario);
            subtotal += importe;
            agregarFila(*filas, {rs->text(r, numero), rs->text(r, nombre), redondeado(stock), redondeado(unitario),
                                 enCentesimas(importe)});
        }
        general += subtotal;
        const QString titulo = QStringLiteral("Total familia %1 %2").arg(familiaCodigo, familiaNombre).trimmed();
        agregarFila(*filas, {QVariant(), titulo, QVariant(), QVariant(), enCentesimas(subtotal), estiloTotal});
    }
    agregarFila(*filas, {QVariant(), QStringLiteral("Total general"), QVariant(), QVariant(), enCentesimas(general),
                         estiloTotal});
    filas->moveFirst();
    return filas;
}
