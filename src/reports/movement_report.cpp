#include "movement_report.h"
#include "dates.h"
#include "mprincipal.h"
#include "numbers.h"
#include "quendra_error.h"
#include "recordset.h"
#include "type_codes.h"

using numeros::Diezmilesimos;

namespace {

enum Columna { Fecha, Comprobante, TipoMov, Codigo, Numero, Nombre, Entrada, Salida, Saldo, Columnas };

const int tamanos[Columnas] = {10, 10, 2, 4, 6, 60, 15, 15, 15};

// The rows of the report, added one at a time. A value longer than its column's
// defined size is kept whole and widens the column.
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

    void nueva() { rs_->addNew(); }
    void poner(Columna c, const QString &valor)
    {
        if (valor.size() > rs_->definedSize(c))
            rs_->widenColumn(c, int(valor.size()));
        rs_->setValue(c, valor);
    }
    void guardar() { rs_->update(); }

    std::unique_ptr<Recordset> terminar()
    {
        rs_->moveFirst();
        return std::move(rs_);
    }

private:
    std::unique_ptr<Recordset> rs_;
};

// A stored quantity rounded to two decimals; "" for none.
QString cantidad(const Recordset &rs, qsizetype fila, int columna)
{
    if (rs.isNull(fila, columna))
        return QString();
    return numeros::numeral(numeros::redondear(rs.value(fila, columna).toDouble(), 2));
}

Diezmilesimos diezmilesimos(const Recordset &rs, qsizetype fila, int columna)
{
    return rs.isNull(fila, columna) ? Diezmilesimos() : Diezmilesimos::desde(rs.value(fila, columna).toDouble());
}

struct Articulo
{
    QString numero, codigo, nombre;
};

void agregarSeparador(FilasInforme &filas)
{
    static const QString guiones38(38, QLatin1Char('-'));
    filas.nueva();
    filas.poner(Comprobante, QStringLiteral("------"));
    filas.poner(TipoMov, QStringLiteral("--"));
    filas.poner(Codigo, QStringLiteral("----"));
    filas.poner(Numero, QStringLiteral("------"));
    filas.poner(Nombre, guiones38);
    filas.poner(Entrada, QString());
    filas.poner(Salida, QString());
    filas.poner(Saldo, QString());
    filas.guardar();
}

void agregarApertura(FilasInforme &filas, const Articulo &a, const QString &primerDia, Diezmilesimos saldo)
{
    filas.nueva();
    filas.poner(Fecha, primerDia);
    filas.poner(Comprobante, QStringLiteral("000000"));
    filas.poner(TipoMov, QStringLiteral("IN"));
    filas.poner(Codigo, a.codigo);
    filas.poner(Numero, a.numero);
    filas.poner(Nombre, a.nombre);
    filas.poner(Entrada, QString());
    filas.poner(Salida, QString());
    filas.poner(Saldo, saldo.texto2());
    filas.guardar();
}

// One row per movement, each with the balance after it.
void agregarMovimientos(FilasInforme &filas, const Articulo &a, const Recordset &mov, Diezmilesimos saldo)
{
    const int comprobante = mov.columnIndex(QStringLiteral("comprobante"));
    const int tipomov = mov.columnIndex(QStringLiteral("tipomov"));
    const int fecha = mov.columnIndex(QStringLiteral("fecha"));
    const int numero = mov.columnIndex(QStringLiteral("numero"));
    const int entrada = mov.columnIndex(QStringLiteral("Entrada"));
    const int salida = mov.columnIndex(QStringLiteral("Salida"));
    for (qsizetype r = 0; r < mov.rowCount(); ++r) {
        saldo = saldo + diezmilesimos(mov, r, entrada) - diezmilesimos(mov, r, salida);
        filas.nueva();
        filas.poner(Fecha, fechas::texto(mov.value(r, fecha).toDate()));
        filas.poner(Comprobante, mov.text(r, comprobante));
        filas.poner(TipoMov, mov.text(r, tipomov));
        filas.poner(Codigo, a.codigo);
        filas.poner(Numero, mov.text(r, numero));
        filas.poner(Nombre, a.nombre);
        filas.poner(Entrada, cantidad(mov, r, entrada));
        filas.poner(Salida, cantidad(mov, r, salida));
        filas.poner(Saldo, saldo.texto2());
        filas.guardar();
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
    const QString primerDia = fechas::texto(fechas::leer(filtro.desde));
    FilasInforme filas;
    const qsizetype total = articulos.rowCount();
    qsizetype hechos = 0;
    for (articulos.moveFirst(); !articulos.eof(); articulos.moveNext()) {
        const Articulo a{articulos[QStringLiteral("numero")].text(), articulos[QStringLiteral("codigo")].text(),
                         articulos[QStringLiteral("nombre")].text()};

        auto inicial = mPrincipal::abrirConsulta(sentenciasMovimientos::saldoInicial(filtro, a.numero));
        Diezmilesimos saldo;
        if (!inicial->eof() && !inicial->field(QStringLiteral("Saldo")).isNull())
            saldo = Diezmilesimos::desde(inicial->field(QStringLiteral("Saldo")).value().toDouble());
        inicial.reset();

        agregarSeparador(filas);
        agregarApertura(filas, a, primerDia, saldo);
        auto movimientos = mPrincipal::abrirConsulta(sentenciasMovimientos::movimientos(filtro, a.numero));
        agregarMovimientos(filas, a, *movimientos, saldo);

        if (progreso && !progreso(++hechos, total))
            return nullptr;
    }
    return filas.terminar();
}
