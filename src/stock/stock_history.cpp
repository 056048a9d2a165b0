#include "stock_history.h"
#include "connection.h"
#include "dates.h"
#include "quendra_error.h"
#include "recordset.h"
#include "row_sink.h"
#include "sql_text.h"

#include <algorithm>
#include <map>

using numeros::Diezmilesimos;

namespace historiaStock {

namespace {

QString fecha(const QDate &d)
{
    return QLatin1Char('#') + fechas::texto(d) + QLatin1Char('#');
}

// The opening balances are summed in SQL and rounded once, as the movement
// report sums its opening balance: per place, and over every place.
QString saldoInicialPorDeposito(const QString &numero, const QDate &desde)
{
    return QStringLiteral("select deposito, sum(Entrada)-Sum(Salida) as Saldo from movstk where fecha <") + fecha(desde)
           + QStringLiteral(" and deposito is not null and numero=") + sqlEntreComillas(numero)
           + QStringLiteral(" group by deposito");
}

QString saldoInicialTotal(const QString &numero, const QDate &desde)
{
    return QStringLiteral("select sum(Entrada)-Sum(Salida) as Saldo from movstk where fecha <") + fecha(desde)
           + QStringLiteral(" and deposito is not null and numero=") + sqlEntreComillas(numero);
}

QString movimientos(const QString &numero, const QDate &desde, const QDate &hasta)
{
    return QStringLiteral("select deposito, fecha, Entrada, Salida from movstk where numero=")
           + sqlEntreComillas(numero) + QStringLiteral(" and deposito is not null and fecha >=") + fecha(desde)
           + QStringLiteral(" and fecha<=") + fecha(hasta) + QStringLiteral(" order by fecha");
}

QString minimos(const QString &numero)
{
    return QStringLiteral("select deposito, minimo from minimo where numero=") + sqlEntreComillas(numero)
           + QStringLiteral(" and minimo is not null");
}

QDate comoFecha(const CellValue &v)
{
    if (v.kind == CellValue::Kind::Date)
        return QDate::fromJulianDay(v.integer);
    if (v.kind == CellValue::Kind::Text)
        return fechas::leerIso(v.text.data(), v.text.size());
    return {};
}

QString comoTexto(const CellValue &v)
{
    return v.kind == CellValue::Kind::Text ? QString::fromUtf8(v.text.data(), v.text.size()) : QString();
}

// Adds a movement to a line: the day's point is the last one, or a new one.
void mover(Linea &linea, const QDate &dia, Diezmilesimos cambio)
{
    if (linea.puntos.back().fecha == dia && linea.puntos.size() > 1)
        linea.puntos.back().saldo = linea.puntos.back().saldo + cambio;
    else
        linea.puntos.push_back({dia, linea.puntos.back().saldo + cambio});
}

// The movements of the span, read in date order into every line they touch.
class Lector final : public RowSink
{
public:
    Lector(std::map<QString, Linea> &lineas, Linea &total, std::vector<Barra> &barras, const QDate &desde,
           Periodo periodo)
        : lineas_(lineas), total_(total), barras_(barras), desde_(desde), periodo_(periodo)
    {
    }

    void columns(const QStringList &, const std::vector<TipoCampo> &) override { }

    void row(std::span<const CellValue> v) override
    {
        const QDate dia = comoFecha(v[1]);
        if (!dia.isValid())
            return;
        const Diezmilesimos entrada = Diezmilesimos::desde(comoNumero(v[2]));
        const Diezmilesimos salida = Diezmilesimos::desde(comoNumero(v[3]));
        const Diezmilesimos cambio = entrada - salida;
        const QString deposito = comoTexto(v[0]);
        auto it = lineas_.find(deposito);
        if (it == lineas_.end())
            it = lineas_.emplace(deposito, Linea{deposito, {{desde_, {}}}, {}}).first;
        mover(it->second, dia, cambio);
        mover(total_, dia, cambio);
        if (barras_.empty() || barras_.back().hasta < dia)
            barras_.push_back({inicioDePeriodo(dia, periodo_), finDePeriodo(dia, periodo_), {}, {}});
        barras_.back().entradas = barras_.back().entradas + entrada;
        barras_.back().salidas = barras_.back().salidas + salida;
    }

private:
    std::map<QString, Linea> &lineas_;
    Linea &total_;
    std::vector<Barra> &barras_;
    QDate desde_;
    Periodo periodo_;
};

} // namespace

Diezmilesimos Linea::saldoAl(const QDate &fecha) const
{
    auto despues = std::upper_bound(puntos.begin(), puntos.end(), fecha,
                                    [](const QDate &f, const Punto &p) { return f < p.fecha; });
    return despues == puntos.begin() ? Diezmilesimos() : std::prev(despues)->saldo;
}

QDate inicioDePeriodo(const QDate &fecha, Periodo periodo)
{
    return periodo == Periodo::Semana ? fecha.addDays(1 - fecha.dayOfWeek()) : QDate(fecha.year(), fecha.month(), 1);
}

QDate finDePeriodo(const QDate &fecha, Periodo periodo)
{
    return periodo == Periodo::Semana ? inicioDePeriodo(fecha, periodo).addDays(6)
                                      : QDate(fecha.year(), fecha.month(), fecha.daysInMonth());
}

QStringList sentencias(const QString &numero, const QDate &desde, const QDate &hasta)
{
    return {saldoInicialPorDeposito(numero, desde), saldoInicialTotal(numero, desde), movimientos(numero, desde, hasta),
            minimos(numero)};
}

Historia leer(Connection &conexion, const QString &numero, const QDate &desde, const QDate &hasta, Periodo periodo)
{
    if (!desde.isValid() || !hasta.isValid())
        throw QuendraError(QuendraError::FechaImposible, QStringLiteral("Fecha incorrecta"));
    const QStringList sql = sentencias(numero, desde, hasta);
    Historia h;
    std::map<QString, Linea> lineas;
    for (auto rs = conexion.execute(sql[0]); !rs->eof(); rs->moveNext()) {
        const QString deposito = rs->field(0).text();
        lineas[deposito] = Linea{deposito, {{desde, Diezmilesimos::desde(rs->field(1).value().toDouble())}}, {}};
    }
    h.total.puntos.push_back({desde, Diezmilesimos::desde(conexion.execute(sql[1])->field(0).value().toDouble())});
    Lector lector(lineas, h.total, h.barras, desde, periodo);
    conexion.read(sql[2], lector);
    for (auto rs = conexion.execute(sql[3]); !rs->eof(); rs->moveNext()) {
        const QString deposito = rs->field(0).text();
        const auto minimo = Diezmilesimos::desde(rs->field(1).value().toDouble());
        if (deposito.isEmpty()) {
            h.total.minimo = minimo;
            continue;
        }
        auto it = lineas.try_emplace(deposito, Linea{deposito, {{desde, {}}}, {}}).first;
        it->second.minimo = minimo;
    }
    for (auto &[deposito, linea] : lineas)
        h.depositos.push_back(std::move(linea));
    return h;
}

} // namespace historiaStock
