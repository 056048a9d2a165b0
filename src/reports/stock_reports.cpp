#include "stock_reports.h"
#include "dates.h"
#include "mprincipal.h"
#include "numbers.h"
#include "quendra_error.h"
#include "recordset.h"
#include "sql_text.h"
#include "type_codes.h"

#include <map>

using numeros::Diezmilesimos;

namespace {

QString rangos(const FiltroStock &f)
{
    return QStringLiteral("a.numero>='") + sqlTexto(f.desdeNumero) + QStringLiteral("' and a.numero<='") +
           sqlTexto(f.hastaNumero) + QStringLiteral("' and a.codigo>='") + sqlTexto(f.desdeFamilia) +
           QStringLiteral("' and a.codigo<='") + sqlTexto(f.hastaFamilia) + QLatin1Char('\'');
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

double enCentesimas(int64_t centesimas)
{
    return double(centesimas) / 100.0;
}

double redondeado(Diezmilesimos d)
{
    return enCentesimas(d.centesimas());
}

void agregarFila(Recordset &rs, const std::initializer_list<QVariant> &valores)
{
    rs.addNew();
    int i = 0;
    for (const QVariant &v : valores)
        rs.setValue(i++, v);
    rs.update();
}

} // namespace

bool fechaStockCompleta(const FiltroStock &filtro)
{
    return !filtro.al.isEmpty() && fechas::texto(fechas::leer(filtro.al)) == filtro.al;
}

QString columnaDeposito(int i)
{
    return QStringLiteral("deposito%1").arg(i + 1);
}

QString sentenciaStockPorDeposito(const FiltroStock &f)
{
    const QString hasta = QStringLiteral("case when m.fecha<=") + dia(f) + QStringLiteral(" then ");
    return QStringLiteral("select a.numero as numero,a.nombre as nombre,a.stock as stock,m.deposito as deposito,") +
           QStringLiteral("sum(") + hasta + QStringLiteral("m.Entrada end) as entrada,sum(") + hasta +
           QStringLiteral("m.Salida end) as salida,count(") + hasta + QStringLiteral("1 end) as movimientos,") +
           QStringLiteral("sum(m.Entrada) as entradas,sum(m.Salida) as salidas ") +
           QStringLiteral("from articulo a left join movstk m on m.numero=a.numero where ") + rangos(f) +
           QStringLiteral(" group by a.numero,a.nombre,a.stock,m.deposito order by a.numero,m.deposito");
}

StockPorDeposito armarStockPorDeposito(const FiltroStock &filtro)
{
    auto rs = mPrincipal::abrirConsulta(sentenciaStockPorDeposito(filtro));
    const int numero = rs->columnIndex(QStringLiteral("numero")), nombre = rs->columnIndex(QStringLiteral("nombre")),
              stock = rs->columnIndex(QStringLiteral("stock")), deposito = rs->columnIndex(QStringLiteral("deposito")),
              entrada = rs->columnIndex(QStringLiteral("entrada")), salida = rs->columnIndex(QStringLiteral("salida")),
              movimientos = rs->columnIndex(QStringLiteral("movimientos")),
              entradas = rs->columnIndex(QStringLiteral("entradas")), salidas = rs->columnIndex(QStringLiteral("salidas"));

    // The storage places with movements up to the day, in code order (the rows come so).
    std::map<QString, int> columnaDe;
    for (qsizetype r = 0; r < rs->rowCount(); ++r)
        if (rs->value(r, movimientos).toLongLong() > 0)
            columnaDe.emplace(rs->text(r, deposito), 0);
    StockPorDeposito resultado;
    for (auto &[codigo, columna] : columnaDe) {
        columna = int(resultado.depositos.size());
        resultado.depositos << codigo;
    }
    const int lugares = int(resultado.depositos.size());

    auto filas = std::make_unique<Recordset>();
    filas->appendColumn(QStringLiteral("numero"), TipoCampo::Texto, 6);
    filas->appendColumn(QStringLiteral("nombre"), TipoCampo::Texto);
    for (int i = 0; i < lugares; ++i)
        filas->appendColumn(columnaDeposito(i), TipoCampo::Simple);
    filas->appendColumn(QStringLiteral("total"), TipoCampo::Simple);
    filas->appendColumn(QStringLiteral("marca"), TipoCampo::Texto, 1);
    filas->open();

    // The rows of one article are next to each other: one per storage place.
    for (qsizetype r = 0; r < rs->rowCount();) {
        const QString articulo = rs->text(r, numero);
        std::vector<QVariant> celdas(static_cast<size_t>(lugares));
        Diezmilesimos total, todos;
        const Diezmilesimos guardado = cantidad(*rs, r, stock);
        const QString nombreArticulo = rs->text(r, nombre);
        for (; r < rs->rowCount() && rs->text(r, numero) == articulo; ++r) {
            todos = todos + cantidad(*rs, r, entradas) - cantidad(*rs, r, salidas);
            if (rs->value(r, movimientos).toLongLong() == 0)
                continue;
            const Diezmilesimos aqui = cantidad(*rs, r, entrada) - cantidad(*rs, r, salida);
            total = total + aqui;
            celdas[size_t(columnaDe.at(rs->text(r, deposito)))] = redondeado(aqui);
        }
        filas->addNew();
        filas->setValue(0, articulo);
        filas->setValue(1, nombreArticulo);
        for (int i = 0; i < lugares; ++i)
            filas->setValue(2 + i, celdas[size_t(i)]);
        filas->setValue(2 + lugares, redondeado(total));
        filas->setValue(3 + lugares, todos == guardado ? QString() : QStringLiteral("*"));
        filas->update();
    }
    filas->moveFirst();
    resultado.filas = std::move(filas);
    return resultado;
}

QString sentenciaValorizacion(const FiltroStock &f)
{
    return QStringLiteral("select a.numero as numero,a.nombre as nombre,a.codigo as codigo,fa.familia as familia,") +
           QStringLiteral("a.costo as costo,sum(m.Entrada) as entrada,sum(m.Salida) as salida ") +
           QStringLiteral("from articulo a left join movstk m on m.numero=a.numero and m.fecha<=") + dia(f) +
           QStringLiteral(" left join familia fa on fa.codigo=a.codigo where ") + rangos(f) +
           QStringLiteral(" group by a.numero,a.nombre,a.codigo,fa.familia,a.costo order by a.codigo,a.numero");
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
    filas->open();
    filas->reserve(rs->rowCount() + rs->rowCount() / 10 + 1);

    int64_t general = 0;
    for (qsizetype r = 0; r < rs->rowCount();) {
        const QString familiaCodigo = rs->text(r, codigo);
        const QString familiaNombre = rs->text(r, familia);
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
        agregarFila(*filas, {QVariant(), titulo, QVariant(), QVariant(), enCentesimas(subtotal)});
    }
    agregarFila(*filas, {QVariant(), QStringLiteral("Total general"), QVariant(), QVariant(), enCentesimas(general)});
    filas->moveFirst();
    return filas;
}
