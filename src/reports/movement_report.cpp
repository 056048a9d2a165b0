#include "movement_report.h"
#include "dates.h"
#include "mprincipal.h"
#include "numbers.h"
#include "quendra_error.h"
#include "recordset.h"
#include "type_codes.h"

#include <cmath>
#include <cstdint>

using numeros::Diezmilesimos;

namespace {

enum Columna { Fecha, Comprobante, TipoMov, Codigo, Numero, Nombre, Entrada, Salida, Saldo, Columnas };

const int tamanos[Columnas] = {10, 10, 2, 4, 6, 60, 15, 15, 15};

// A year of movements is a million rows: the texts that repeat from row to row
// (dates, vouchers, types, the article's codes and name) are kept once, and the
// quantities and balances as counts of hundredths, made into text only when a
// page is painted or a file written.
const Recordset::Storage almacenes[Columnas] = {
    Recordset::Storage::RepeatedTexts, Recordset::Storage::RepeatedTexts, Recordset::Storage::RepeatedTexts,
    Recordset::Storage::RepeatedTexts, Recordset::Storage::RepeatedTexts, Recordset::Storage::RepeatedTexts,
    Recordset::Storage::Hundredths,    Recordset::Storage::Hundredths,    Recordset::Storage::Hundredths};

qsizetype caracteres(QByteArrayView utf8)
{
    qsizetype n = 0;
    for (char b : utf8)
        n += (static_cast<unsigned char>(b) & 0xC0) != 0x80;
    return n;
}

// The rows of the report, written cell by cell straight into the recordset's
// columns, every cell of a row in column order. A value longer than its
// column's defined size is kept whole and widens the column.
class FilasInforme
{
public:
    FilasInforme() : rs_(std::make_unique<Recordset>())
    {
        const QStringList &nombres = columnasInformeMovimientos();
        for (int c = 0; c < Columnas; ++c)
            rs_->appendColumn(nombres[c], TipoCampo::Caracter, tamanos[c], almacenes[c]);
        rs_->open();
    }

    void texto(Columna c, QByteArrayView utf8)
    {
        ajustarAncho(c, utf8);
        rs_->appendText(c, utf8);
    }
    void centesimas(Columna c, int64_t cuenta)
    {
        // Below this a numeral fits the 15 characters of the amount columns.
        constexpr int64_t ancho15 = 10'000'000'000'000;
        if (cuenta >= ancho15 || cuenta <= -ancho15) {
            char buf[32];
            ajustarAncho(c, numeros::numeralCentesimas(cuenta, buf));
        }
        rs_->appendHundredths(c, cuenta);
    }
    void nulo(Columna c) { rs_->appendNull(c); }
    void finFila() { rs_->endRow(); }

    // After a sample of the articles, room for the rows that all of them will
    // likely give, with a quarter to spare: room never touched costs no memory.
    void preverTotal(qsizetype articulosHechos, qsizetype articulosTotal)
    {
        if (articulosTotal >= 100 && articulosHechos == articulosTotal / 50)
            rs_->reserve(rs_->rowCount() * articulosTotal / articulosHechos * 5 / 4);
    }

    std::unique_ptr<Recordset> terminar()
    {
        rs_->moveFirst();
        return std::move(rs_);
    }

private:
    void ajustarAncho(Columna c, QByteArrayView utf8)
    {
        if (utf8.size() > rs_->definedSize(c))
            rs_->widenColumn(c, int(caracteres(utf8)));
    }

    std::unique_ptr<Recordset> rs_;
};

// Amounts with at most four decimals, all that the forms write, are taken
// exactly without going through text: below 1e9 only one such decimal lies
// within reach of a double, so it is the double's shortest form. Others are
// rounded on their decimal digits by Diezmilesimos::desde.
Diezmilesimos diezmilesimos(double v)
{
    if (std::fabs(v) < 1e9) {
        const double cuenta = std::nearbyint(v * 10000);
        if (cuenta / 10000 == v)
            return Diezmilesimos::desdeCuenta(int64_t(cuenta));
    }
    return Diezmilesimos::desde(v);
}

// A value of a result as text: "" for null, numbers and dates as the data
// layer writes them. `otro` holds a text made here.
QByteArrayView texto(const CellValue &v, QByteArray &otro)
{
    switch (v.kind) {
    case CellValue::Kind::Null:
        return {};
    case CellValue::Kind::Text:
        return v.text;
    case CellValue::Kind::Integer:
        return otro = QByteArray::number(qint64(v.integer));
    case CellValue::Kind::Real:
        return otro = numeros::numeral(v.real).toUtf8();
    case CellValue::Kind::Date:
        break;
    }
    return otro = fechas::texto(QDate::fromJulianDay(v.integer)).toUtf8();
}

// A date as dd-mm-yyyy, written digit by digit: a report writes a million.
QByteArrayView fechaTexto(const CellValue &v, char (&buf)[16], QByteArray &otro)
{
    if (v.kind != CellValue::Kind::Date)
        return texto(v, otro);
    return fechas::texto(QDate::fromJulianDay(v.integer), buf);
}

// Where a column of a statement's result is; QuendraError when it has none of that name.
int posicion(const QStringList &nombres, QLatin1String nombre)
{
    for (int i = 0; i < int(nombres.size()); ++i)
        if (nombres[i].compare(nombre, Qt::CaseInsensitive) == 0)
            return i;
    throw QuendraError(QuendraError::NombreDesconocido,
                       QStringLiteral("No se encontró el elemento «%1» en la colección").arg(nombre));
}

// The opening balance: the Saldo of the statement's one row; null counts as 0.
class SaldoInicial final : public RowSink
{
public:
    void columns(const QStringList &nombres, const std::vector<TipoCampo> &) override
    {
        saldo_ = 0;
        columna_ = posicion(nombres, QLatin1String("Saldo"));
    }
    void row(std::span<const CellValue> valores) override { saldo_ = comoNumero(valores[size_t(columna_)]); }
    Diezmilesimos saldo() const { return Diezmilesimos::desde(saldo_); }

private:
    int columna_ = 0;
    double saldo_ = 0;
};

struct Articulo
{
    QByteArray numero, codigo, nombre;
};

void agregarSeparador(FilasInforme &filas)
{
    static const QByteArray guiones38(38, '-');
    filas.nulo(Fecha);
    filas.texto(Comprobante, "------");
    filas.texto(TipoMov, "--");
    filas.texto(Codigo, "----");
    filas.texto(Numero, "------");
    filas.texto(Nombre, guiones38);
    filas.texto(Entrada, "");
    filas.texto(Salida, "");
    filas.texto(Saldo, "");
    filas.finFila();
}

void agregarApertura(FilasInforme &filas, const Articulo &a, const QByteArray &primerDia, Diezmilesimos saldo)
{
    filas.texto(Fecha, primerDia);
    filas.texto(Comprobante, "000000");
    filas.texto(TipoMov, "IN");
    filas.texto(Codigo, a.codigo);
    filas.texto(Numero, a.numero);
    filas.texto(Nombre, a.nombre);
    filas.texto(Entrada, "");
    filas.texto(Salida, "");
    filas.centesimas(Saldo, saldo.centesimas());
    filas.finFila();
}

// The article's movements, read from the statement straight into the report:
// one row per movement, each with the balance after it.
class MovimientosDelArticulo final : public RowSink
{
public:
    explicit MovimientosDelArticulo(FilasInforme &filas) : filas_(filas) { }

    void empezar(const Articulo &a, Diezmilesimos saldo)
    {
        articulo_ = &a;
        saldo_ = saldo;
    }

    // The statement is the same for every article save the number, and so are
    // its columns: they are found once.
    void columns(const QStringList &nombres, const std::vector<TipoCampo> &) override
    {
        if (entrada_ >= 0)
            return;
        comprobante_ = posicion(nombres, QLatin1String("comprobante"));
        tipomov_ = posicion(nombres, QLatin1String("tipomov"));
        fecha_ = posicion(nombres, QLatin1String("fecha"));
        numero_ = posicion(nombres, QLatin1String("numero"));
        entrada_ = posicion(nombres, QLatin1String("Entrada"));
        salida_ = posicion(nombres, QLatin1String("Salida"));
    }

    void row(std::span<const CellValue> v) override
    {
        const CellValue &entrada = v[size_t(entrada_)], &salida = v[size_t(salida_)];
        saldo_ = saldo_ + diezmilesimos(comoNumero(entrada)) - diezmilesimos(comoNumero(salida));
        char fecha[16];
        filas_.texto(Fecha, fechaTexto(v[size_t(fecha_)], fecha, otro_));
        filas_.texto(Comprobante, texto(v[size_t(comprobante_)], otro_));
        filas_.texto(TipoMov, texto(v[size_t(tipomov_)], otro_));
        filas_.texto(Codigo, articulo_->codigo);
        filas_.texto(Numero, texto(v[size_t(numero_)], otro_));
        filas_.texto(Nombre, articulo_->nombre);
        cantidad(Entrada, entrada);
        cantidad(Salida, salida);
        filas_.centesimas(Saldo, saldo_.centesimas());
        filas_.finFila();
    }

private:
    // A stored quantity rounded to two decimals, halves to even on its decimal
    // digits; "" when it is null.
    void cantidad(Columna c, const CellValue &v)
    {
        if (v.kind == CellValue::Kind::Null) {
            filas_.texto(c, "");
            return;
        }
        const double x = comoNumero(v);
        if (std::fabs(x) < 1e9) {
            const double centesimas = std::nearbyint(x * 100);
            if (centesimas / 100 == x) {
                filas_.centesimas(c, int64_t(centesimas));
                return;
            }
        }
        filas_.texto(c, numeros::numeral(numeros::redondear(x, 2)).toUtf8());
    }

    FilasInforme &filas_;
    const Articulo *articulo_ = nullptr;
    Diezmilesimos saldo_;
    int comprobante_ = -1, tipomov_ = -1, fecha_ = -1, numero_ = -1, entrada_ = -1, salida_ = -1;
    QByteArray otro_;
};

} // namespace

const QStringList &columnasInformeMovimientos()
{
    static const QStringList nombres{
        QStringLiteral("fecha"),   QStringLiteral("comprobante"), QStringLiteral("tipomov"),
        QStringLiteral("codigo"),  QStringLiteral("numero"),      QStringLiteral("nombre"),
        QStringLiteral("entrada"), QStringLiteral("salida"),      QStringLiteral("saldo")};
    return nombres;
}

std::unique_ptr<Recordset> armarInformeMovimientos(Recordset &articulos, const FiltroMovimientos &filtro,
                                                   const ProgresoInforme &progreso)
{
    if (!sentenciasMovimientos::fechasCompletas(filtro))
        throw QuendraError(QuendraError::FechaImposible, QStringLiteral("Fecha incorrecta"));
    const QByteArray primerDia = fechas::texto(fechas::leer(filtro.desde)).toUtf8();
    const sentenciasMovimientos::PorArticulo sentencias(filtro);
    FilasInforme filas;
    const qsizetype total = articulos.rowCount();
    qsizetype hechos = 0;
    const int numeroArticulo = articulos.columnIndex(QStringLiteral("numero"));
    const int codigoArticulo = articulos.columnIndex(QStringLiteral("codigo"));
    const int nombreArticulo = articulos.columnIndex(QStringLiteral("nombre"));
    std::vector<Articulo> lista;
    QStringList valores;
    lista.reserve(size_t(total));
    for (articulos.moveFirst(); !articulos.eof(); articulos.moveNext()) {
        const QString numero = articulos.field(numeroArticulo).text();
        lista.push_back({numero.toUtf8(), articulos.field(codigoArticulo).text().toUtf8(),
                         articulos.field(nombreArticulo).text().toUtf8()});
        valores << sqlTexto(numero);
    }
    SaldoInicial inicial;
    MovimientosDelArticulo movimientos(filas);
    bool cancelado = false;
    // Each article's balance, then its movements: the balance read is where its rows begin.
    const auto destino = [&](qsizetype v, qsizetype sentencia) -> RowSink * {
        if (sentencia == 0) {
            if (v > 0) {
                filas.preverTotal(++hechos, total);
                cancelado = progreso && !progreso(hechos, total);
            }
            return cancelado ? nullptr : &inicial;
        }
        const Articulo &a = lista[size_t(v)];
        const Diezmilesimos saldo = inicial.saldo();
        agregarSeparador(filas);
        agregarApertura(filas, a, primerDia, saldo);
        movimientos.empezar(a, saldo);
        return &movimientos;
    };
    const SentenciaConValor *porArticulo[] = {&sentencias.sentenciaSaldo(), &sentencias.sentenciaMovimientos()};
    mPrincipal::conexion().readEach(porArticulo, valores, destino);
    if (cancelado)
        return nullptr;
    if (!lista.empty()) {
        filas.preverTotal(++hechos, total);
        if (progreso && !progreso(hechos, total))
            return nullptr;
    }
    return filas.terminar();
}
