#include "movement_report.h"
#include "dates.h"
#include "mprincipal.h"
#include "numbers.h"
#include "quendra_error.h"
#include "recordset.h"
#include "type_codes.h"

#include <cmath>
#include <cstdint>
#include <optional>

using numeros::Diezmilesimos;

namespace {

enum Columna { Fecha, Comprobante, TipoMov, Codigo, Numero, Nombre, Entrada, Salida, Saldo, Columnas };

const int tamanos[Columnas] = {10, 10, 2, 4, 6, 60, 15, 15, 15};

qsizetype caracteres(QByteArrayView utf8)
{
    qsizetype n = 0;
    for (char b : utf8)
        n += (static_cast<unsigned char>(b) & 0xC0) != 0x80;
    return n;
}

// The rows of the report, written cell by cell as UTF-8 straight into the
// recordset's columns: a year of movements is a million rows, and a QVariant per
// cell would cost more than the statements themselves. Every cell of a row is
// written, in column order. A value longer than its column's defined size is
// kept whole and widens the column.
class FilasInforme
{
public:
    FilasInforme() : rs_(std::make_unique<Recordset>())
    {
        const QStringList &nombres = columnasInformeMovimientos();
        for (int c = 0; c < Columnas; ++c)
            rs_->appendColumn(nombres[c], TipoCampo::Caracter, tamanos[c]);
        rs_->open();
    }

    void texto(Columna c, QByteArrayView utf8)
    {
        if (utf8.size() > rs_->definedSize(c))
            rs_->widenColumn(c, int(caracteres(utf8)));
        rs_->appendText(c, utf8.data(), utf8.size());
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

// A count of hundredths as a plain numeral, no trailing zeros: -12.5, 3, 0.05.
QByteArrayView numeral(int64_t centesimas, char (&buf)[32])
{
    char *fin = buf + sizeof buf, *p = fin;
    const bool negativo = centesimas < 0;
    uint64_t a = negativo ? uint64_t(0) - uint64_t(centesimas) : uint64_t(centesimas);
    unsigned decimales = unsigned(a % 100);
    a /= 100;
    if (decimales != 0) {
        if (decimales % 10 != 0)
            *--p = char('0' + decimales % 10);
        *--p = char('0' + decimales / 10);
        *--p = '.';
    }
    do
        *--p = char('0' + a % 10);
    while (a /= 10);
    if (negativo)
        *--p = '-';
    return QByteArrayView(p, fin - p);
}

// The balance rounded to hundredths, halves to even.
QByteArrayView numeral(Diezmilesimos saldo, char (&buf)[32])
{
    const int64_t c = saldo.cuenta();
    int64_t centesimas = c / 100, resto = c % 100;
    if (resto > 50 || (resto == 50 && centesimas % 2 != 0))
        ++centesimas;
    else if (resto < -50 || (resto == -50 && centesimas % 2 != 0))
        --centesimas;
    return numeral(centesimas, buf);
}

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
    char buf[32];
    filas.texto(Fecha, primerDia);
    filas.texto(Comprobante, "000000");
    filas.texto(TipoMov, "IN");
    filas.texto(Codigo, a.codigo);
    filas.texto(Numero, a.numero);
    filas.texto(Nombre, a.nombre);
    filas.texto(Entrada, "");
    filas.texto(Salida, "");
    filas.texto(Saldo, numeral(saldo, buf));
    filas.finFila();
}

// Where the movement statement puts each column; the same for every article.
struct ColumnasMovimiento
{
    explicit ColumnasMovimiento(const Recordset &mov)
        : comprobante(mov.columnIndex(QStringLiteral("comprobante"))),
          tipomov(mov.columnIndex(QStringLiteral("tipomov"))), fecha(mov.columnIndex(QStringLiteral("fecha"))),
          numero(mov.columnIndex(QStringLiteral("numero"))), entrada(mov.columnIndex(QStringLiteral("Entrada"))),
          salida(mov.columnIndex(QStringLiteral("Salida")))
    {
    }
    int comprobante, tipomov, fecha, numero, entrada, salida;
};

// The movements' cells as the report writes them.
class LectorMovimientos
{
public:
    LectorMovimientos(const Recordset &mov, const ColumnasMovimiento &c)
        : mov_(mov), comprobante_(c.comprobante), tipomov_(c.tipomov), fecha_(c.fecha), numero_(c.numero),
          entrada_(c.entrada), salida_(c.salida)
    {
    }

    QByteArrayView comprobante(qsizetype r) { return texto(r, comprobante_); }
    QByteArrayView tipomov(qsizetype r) { return texto(r, tipomov_); }
    QByteArrayView numero(qsizetype r) { return texto(r, numero_); }

    // dd-mm-yyyy; "" for none.
    QByteArrayView fecha(qsizetype r)
    {
        const QVariant v = mov_.value(r, fecha_);
        if (v.typeId() != QMetaType::QDate)
            return texto(r, fecha_);
        int anio, mes, dia;
        v.toDate().getDate(&anio, &mes, &dia);
        if (anio < 1 || anio > 9999)
            return otro_ = fechas::texto(v.toDate()).toUtf8();
        fechaBuf_[0] = char('0' + dia / 10), fechaBuf_[1] = char('0' + dia % 10), fechaBuf_[2] = '-';
        fechaBuf_[3] = char('0' + mes / 10), fechaBuf_[4] = char('0' + mes % 10), fechaBuf_[5] = '-';
        for (int i = 9; i >= 6; --i, anio /= 10)
            fechaBuf_[i] = char('0' + anio % 10);
        return QByteArrayView(fechaBuf_, 10);
    }

    // The quantities: null counts as 0 in the balance and shows as "".
    bool hayEntrada(qsizetype r) const { return !mov_.isNull(r, entrada_); }
    bool haySalida(qsizetype r) const { return !mov_.isNull(r, salida_); }
    double entrada(qsizetype r) const { return hayEntrada(r) ? mov_.value(r, entrada_).toDouble() : 0; }
    double salida(qsizetype r) const { return haySalida(r) ? mov_.value(r, salida_).toDouble() : 0; }

private:
    // Text cells as they are stored; anything else through its text.
    QByteArrayView texto(qsizetype r, int c)
    {
        QByteArrayView v = mov_.utf8(r, c);
        if (v.isEmpty() && !mov_.isNull(r, c))
            return otro_ = mov_.text(r, c).toUtf8();
        return v;
    }

    const Recordset &mov_;
    int comprobante_, tipomov_, fecha_, numero_, entrada_, salida_;
    char fechaBuf_[10];
    QByteArray otro_;
};

// A stored quantity rounded to two decimals, halves to even on its decimal digits.
QByteArrayView cantidad(double v, char (&buf)[32], QByteArray &otro)
{
    if (std::fabs(v) < 1e9) {
        const double c = std::nearbyint(v * 100);
        if (c / 100 == v)
            return numeral(int64_t(c), buf);
    }
    return otro = numeros::numeral(numeros::redondear(v, 2)).toUtf8();
}

// One row per movement, each with the balance after it.
void agregarMovimientos(FilasInforme &filas, const Articulo &a, const Recordset &mov,
                        const ColumnasMovimiento &columnas, Diezmilesimos saldo)
{
    LectorMovimientos m(mov, columnas);
    char buf[32];
    QByteArray otro;
    for (qsizetype r = 0; r < mov.rowCount(); ++r) {
        const double entrada = m.entrada(r), salida = m.salida(r);
        saldo = saldo + diezmilesimos(entrada) - diezmilesimos(salida);
        filas.texto(Fecha, m.fecha(r));
        filas.texto(Comprobante, m.comprobante(r));
        filas.texto(TipoMov, m.tipomov(r));
        filas.texto(Codigo, a.codigo);
        filas.texto(Numero, m.numero(r));
        filas.texto(Nombre, a.nombre);
        filas.texto(Entrada, m.hayEntrada(r) ? cantidad(entrada, buf, otro) : QByteArrayView(""));
        filas.texto(Salida, m.haySalida(r) ? cantidad(salida, buf, otro) : QByteArrayView(""));
        filas.texto(Saldo, numeral(saldo, buf));
        filas.finFila();
    }
}

} // namespace

const QStringList &columnasInformeMovimientos()
{
    static const QStringList nombres{QStringLiteral("fecha"),  QStringLiteral("comprobante"), QStringLiteral("tipomov"),
                                     QStringLiteral("codigo"), QStringLiteral("numero"),      QStringLiteral("nombre"),
                                     QStringLiteral("entrada"), QStringLiteral("salida"),     QStringLiteral("saldo")};
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
    std::optional<ColumnasMovimiento> columnas;
    for (articulos.moveFirst(); !articulos.eof(); articulos.moveNext()) {
        const QString numero = articulos.field(numeroArticulo).text();
        const Articulo a{numero.toUtf8(), articulos.field(codigoArticulo).text().toUtf8(),
                         articulos.field(nombreArticulo).text().toUtf8()};

        auto inicial = mPrincipal::abrirConsulta(sentencias.saldoInicial(numero));
        Diezmilesimos saldo;
        if (!inicial->eof()) {
            const Field s = inicial->field(QStringLiteral("Saldo"));
            if (!s.isNull())
                saldo = Diezmilesimos::desde(s.value().toDouble());
        }
        inicial.reset();

        agregarSeparador(filas);
        agregarApertura(filas, a, primerDia, saldo);
        auto movimientos = mPrincipal::abrirConsulta(sentencias.movimientos(numero));
        if (!columnas)
            columnas.emplace(*movimientos);
        agregarMovimientos(filas, a, *movimientos, *columnas, saldo);

        filas.preverTotal(++hechos, total);
        if (progreso && !progreso(hechos, total))
            return nullptr;
    }
    return filas.terminar();
}
