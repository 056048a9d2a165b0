#include "minimum_sheet.h"
#include "codes.h"
#include "column_matching.h"
#include "connection.h"
#include "recordset.h"
#include "sheet_reader.h"
#include "storage_places.h"

#include <QHash>
#include <QSet>
#include <cmath>

namespace importacion {

namespace {

enum Columna { Numero, Minimo, Reponer, Proveedor, Deposito, Columnas };

// The headers each column goes by, as normalizado writes them.
const QStringList nombres[Columnas] = {{"numero", "articulo", "nro"},
                                       {"minimo", "stock minimo"},
                                       {"reponer", "reponer hasta", "reposicion"},
                                       {"proveedor"},
                                       {"deposito"}};

// A cell as the window reads it: a whole number stored by the sheet is its digits.
QString texto(const hojas::Celda &c)
{
    if (c.tipo == hojas::Celda::Tipo::Numero && c.numero == std::floor(c.numero) && std::fabs(c.numero) < 1e15)
        return QString::number(qint64(c.numero));
    return c.comoTexto().trimmed();
}

QString motivoNumero(const QString &t)
{
    if (t.isEmpty())
        return QStringLiteral("número vacío");
    for (QChar ch : t)
        if (!ch.isDigit() || ch.unicode() > 127)
            return QStringLiteral("número con letras");
    return QStringLiteral("número de más de 6 dígitos");
}

class Lector
{
public:
    Lector(Connection &c, const QString &deposito) : deposito_(deposito)
    {
        for (auto rs = c.execute(QStringLiteral("select numero from articulo")); !rs->eof(); rs->moveNext())
            articulos_.insert(rs->field(0).text());
        for (const depositos::Deposito &d : depositos::todos(c))
            lugares_.insert(d.codigo);
    }

    bool fila(const hojas::Fila &f)
    {
        if (!encabezados_)
            return encabezados(f);
        const auto celda = [&](Columna c) {
            return col_[c] >= 0 && col_[c] < f.celdas.size() ? f.celdas[col_[c]] : hojas::Celda();
        };
        const QString error = revisar(f.numero, celda);
        if (!error.isEmpty())
            r_.errores << QStringLiteral("Fila %1: %2").arg(f.numero).arg(error);
        return true;
    }

    MinimosDeHoja resultado()
    {
        if (!encabezados_)
            r_.errores << QStringLiteral("La hoja está vacía");
        return std::move(r_);
    }

private:
    bool encabezados(const hojas::Fila &f)
    {
        encabezados_ = true;
        for (int k = 0; k < f.celdas.size(); ++k)
            for (int c = 0; c < Columnas; ++c)
                if (col_[c] < 0 && nombres[c].contains(normalizado(f.celdas[k].comoTexto())))
                    col_[c] = k;
        for (Columna c : {Numero, Minimo})
            if (col_[c] < 0)
                r_.errores << QStringLiteral("La hoja no tiene la columna «%1»").arg(nombres[c].first());
        return r_.errores.isEmpty();
    }

    template <class Celda> QString revisar(int filaHoja, const Celda &celda)
    {
        const QString t = texto(celda(Numero));
        const auto numero = t.isEmpty() ? std::nullopt : codigos::rellenado(t, codigos::Clase::Articulo);
        if (!numero || motivoNumero(t) == QLatin1String("número con letras"))
            return motivoNumero(t);
        if (!articulos_.contains(*numero))
            return QStringLiteral("no existe el artículo ") + *numero;
        minimos::Minimo m{*numero, texto(celda(Deposito)), texto(celda(Minimo)), texto(celda(Reponer)),
                          texto(celda(Proveedor))};
        if (m.deposito.isEmpty())
            m.deposito = deposito_;
        else if (!lugares_.contains(m.deposito)) {
            // A sheet keeps a code of digits as a number: 1 for the place 01.
            const QString conCero = m.deposito.rightJustified(2, QLatin1Char('0'));
            if (!lugares_.contains(conCero))
                return QStringLiteral("no existe el depósito ") + m.deposito;
            m.deposito = conCero;
        }
        if (QString r = minimos::rechazo(m); !r.isEmpty())
            return r;
        const QString clave = m.numero + QLatin1Char('|') + m.deposito;
        if (const auto previa = filaDe_.constFind(clave); previa != filaDe_.cend())
            return QStringLiteral("número repetido en la fila %1").arg(*previa);
        filaDe_.insert(clave, filaHoja);
        r_.filas.push_back(std::move(m));
        return {};
    }

    QString deposito_;
    QSet<QString> articulos_, lugares_;
    bool encabezados_ = false;
    int col_[Columnas] = {-1, -1, -1, -1, -1};
    QHash<QString, int> filaDe_;
    MinimosDeHoja r_;
};

} // namespace

MinimosDeHoja leerMinimos(Connection &conexion, const QString &archivo, const QString &hoja, const QString &deposito)
{
    Lector lector(conexion, deposito);
    hojas::leer(archivo, hoja, [&](const hojas::Fila &f) { return lector.fila(f); });
    return lector.resultado();
}

} // namespace importacion
