// Each row read as the article form reads its boxes: codes zero-filled and an
// over-long one refused, amounts with a decimal comma or period, dates day
// first. A row that cannot be imported as it stands says which cell and why.
#include "import_check.h"
#include "codes.h"
#include "connection.h"
#include "dates.h"
#include "numbers.h"
#include "sheet_reader.h"
#include "sql_text.h"
#include "storage_places.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <optional>

namespace importacion {

namespace {

struct Articulo
{
    QString codigo, nombre, detalle;
    double costo = 0;
    QDate alta;
};

// The database as the rows are checked against it.
struct Estado
{
    QHash<QString, Articulo> articulos;
    // Family code -> name, and normalized name -> code.
    QHash<QString, QString> familias;
    QHash<QString, QString> familiaPorNombre;
    // The stock the movements give each article in each place ("numero|deposito"), and the articles that have any.
    QHash<QString, double> stockPorLugar;
    QSet<QString> conMovimientos;
    QSet<QString> depositos;
    int ultimaFamilia = 0;
};

Estado leerEstado(Connection &c, bool conStock)
{
    Estado e;
    for (auto rs = c.execute(QStringLiteral("select numero, codigo, nombre, detalle, alta, costo from articulo"));
         !rs->eof(); rs->moveNext()) {
        Articulo a{rs->field(1).text(), rs->field(2).text(), rs->field(3).text(), numeros::valor(rs->field(5).text()),
                   fechas::leer(rs->field(4).text())};
        e.articulos.insert(rs->field(0).text(), a);
    }
    for (auto rs = c.execute(QStringLiteral("select codigo, familia from familia")); !rs->eof(); rs->moveNext()) {
        const QString codigo = rs->field(0).text();
        e.familias.insert(codigo, rs->field(1).text());
        e.familiaPorNombre.insert(normalizado(rs->field(1).text()), codigo);
        bool ok = false;
        const int n = codigo.toInt(&ok);
        if (ok)
            e.ultimaFamilia = std::max(e.ultimaFamilia, n);
    }
    if (conStock) {
        for (auto rs = c.execute(QStringLiteral("select numero, deposito, sum(entrada)-sum(salida) as s from movstk "
                                                "group by numero, deposito"));
             !rs->eof(); rs->moveNext()) {
            e.stockPorLugar.insert(rs->field(0).text() + QLatin1Char('|') + rs->field(1).text(),
                                   numeros::valor(rs->field(2).text()));
            e.conMovimientos.insert(rs->field(0).text());
        }
    }
    for (const auto &d : depositos::todos(c))
        e.depositos.insert(d.codigo);
    return e;
}

// A row as it is checked: what it would write.
struct Leida
{
    bool escribeArticulo = false;
    bool articuloNuevo = false;
    QString numero, codigo, nombre, detalle, costo;
    QDate alta;
    double stock = 0;
    QString deposito;
};

// A row found wrong: the field and the reason.
struct Fallo
{
    Campo campo;
    QString motivo;
};

class Revisor
{
public:
    Revisor(const Opciones &o, Estado &e, Revision &r, Uso uso) : o_(o), e_(e), r_(r), uso_(uso) { }

    void fila(const hojas::Fila &f)
    {
        if (uso_ == Uso::Vista) {
            QStringList celdas;
            for (int k = 0; k < cantidadCampos; ++k)
                celdas << celda(f, Campo(k)).comoTexto();
            r_.celdas.agregar(celdas);
        }
        FilaRevisada fr;
        fr.fila = f.numero;
        Leida l;
        if (const auto fallo = revisar(f, fr, l)) {
            fr.veredicto = Veredicto::Error;
            r_.errores.append({r_.filas.size(), fallo->campo, fallo->motivo});
        } else if (uso_ == Uso::ParaEscribir) {
            if (l.escribeArticulo) {
                r_.articulos.agregar({l.numero, l.codigo, l.nombre, l.detalle, fechas::texto(l.alta), l.costo});
                r_.articuloNuevo.append(l.articuloNuevo);
            }
            if (l.stock > 0)
                r_.stock.append(
                    {l.numero.toInt(), texto(l.codigo), texto(l.deposito), l.stock, numeros::valor(l.costo)});
        }
        r_.filas.append(std::move(fr));
    }

private:
    hojas::Celda celda(const hojas::Fila &f, Campo campo) const
    {
        const int k = o_.columnas[campo];
        return k >= 0 && k < f.celdas.size() ? f.celdas[k] : hojas::Celda();
    }
    QString textoDe(const hojas::Fila &f, Campo campo) const { return celda(f, campo).comoTexto().trimmed(); }

    // A code as the forms take it; a whole number stored by the sheet (1) is its digits (000001).
    static std::optional<QString> codigo(const hojas::Celda &c, codigos::Clase clase, bool &conLetras)
    {
        QString t = c.comoTexto().trimmed();
        if (c.tipo == hojas::Celda::Tipo::Numero && c.numero >= 0 && c.numero == std::floor(c.numero)
            && c.numero < 1e15)
            t = QString::number(qint64(c.numero));
        conLetras = false;
        for (QChar ch : t)
            conLetras = conLetras || !ch.isDigit() || ch.unicode() > 127;
        return conLetras ? std::nullopt : codigos::rellenado(t, clase);
    }

    // An amount read as the forms read it; a number cell as it is.
    static std::optional<QString> importe(const hojas::Celda &c, QString &motivo, const QString &campo)
    {
        const QString t = c.comoTexto().trimmed();
        if (c.tipo == hojas::Celda::Tipo::Fecha || c.tipo == hojas::Celda::Tipo::Booleano
            || (c.tipo == hojas::Celda::Tipo::Texto && (!numeros::esNumero(t) || !numeros::importeLegible(t)))) {
            motivo = campo + QStringLiteral(" no numérico");
            return std::nullopt;
        }
        if (!numeros::importeAdmitido(t)) {
            motivo = campo + QStringLiteral(" fuera de rango");
            return std::nullopt;
        }
        return numeros::importe(t);
    }

    std::optional<Fallo> revisar(const hojas::Fila &f, FilaRevisada &fv, Leida &fr)
    {
        bool conLetras = false;
        const auto numero = codigo(celda(f, Campo::Numero), codigos::Clase::Articulo, conLetras);
        if (textoDe(f, Campo::Numero).isEmpty())
            return Fallo{Campo::Numero, QStringLiteral("número vacío")};
        if (!numero)
            return Fallo{Campo::Numero, conLetras ? QStringLiteral("número con letras")
                                                  : QStringLiteral("número de más de 6 dígitos")};
        fr.numero = *numero;
        const auto guardado = e_.articulos.constFind(fr.numero);
        const bool existe = guardado != e_.articulos.cend();
        const Articulo antes = existe ? *guardado : Articulo();

        fr.nombre = textoDe(f, Campo::Nombre);
        if (fr.nombre.isEmpty() && !existe)
            return Fallo{Campo::Nombre, QStringLiteral("nombre vacío en un artículo nuevo")};
        if (fr.nombre.isEmpty())
            fr.nombre = antes.nombre;

        if (const auto fallo = familia(f, fr, existe, antes))
            return fallo;

        fr.detalle = o_.columnas[Campo::Detalle] >= 0 ? celda(f, Campo::Detalle).comoTexto() : antes.detalle;
        if (fr.detalle.trimmed().isEmpty() && existe)
            fr.detalle = antes.detalle;

        QString motivo;
        fr.costo = existe ? numeros::numeral(antes.costo) : QStringLiteral("0");
        if (!celda(f, Campo::Costo).vacia()) {
            const auto costo = importe(celda(f, Campo::Costo), motivo, QStringLiteral("costo"));
            if (!costo)
                return Fallo{Campo::Costo, motivo};
            fr.costo = *costo;
        }

        fr.alta = existe ? antes.alta : (o_.fecha.isValid() ? o_.fecha : fechas::hoy());
        if (const hojas::Celda alta = celda(f, Campo::Alta); !alta.vacia()) {
            fr.alta = alta.tipo == hojas::Celda::Tipo::Fecha   ? alta.fecha
                      : alta.tipo == hojas::Celda::Tipo::Texto ? fechas::leer(alta.texto.trimmed())
                                                               : QDate();
            if (!fr.alta.isValid())
                return Fallo{Campo::Alta, QStringLiteral("fecha imposible")};
        }

        if (const auto fallo = stock(f, fr))
            return fallo;

        // One row per article and place; the rows of one article in other places say the same of it.
        const qint64 clave = lugar(fr.deposito) * 1000000 + fr.numero.toLongLong();
        if (const auto previa = filaDe_.constFind(clave); previa != filaDe_.cend())
            return Fallo{Campo::Numero, QStringLiteral("número repetido en la fila %1").arg(*previa)};
        filaDe_.insert(clave, fv.fila);
        const QByteArray datos = (fr.nombre + QChar(0) + fr.codigo + QChar(0) + fr.detalle + QChar(0) + fr.costo
                                  + QChar(0) + fechas::texto(fr.alta))
                                     .toUtf8();
        if (const auto primera = primeraDe_.constFind(fr.numero.toInt()); primera != primeraDe_.cend()) {
            if (primera->datos != datos)
                return Fallo{Campo::Numero,
                             QStringLiteral("número repetido en la fila %1 con otros datos").arg(primera->fila)};
        } else {
            primeraDe_.insert(fr.numero.toInt(), {fv.fila, datos});
            fr.escribeArticulo = !existe || antes.nombre != fr.nombre || antes.codigo != fr.codigo
                                 || antes.detalle != fr.detalle || antes.costo != numeros::valor(fr.costo)
                                 || antes.alta != fr.alta;
        }
        fr.articuloNuevo = !existe;
        fv.veredicto = !existe                                 ? Veredicto::Nuevo
                       : fr.escribeArticulo || fr.stock != 0.0 ? Veredicto::Actualiza
                                                               : Veredicto::SinCambios;
        return std::nullopt;
    }

    std::optional<Fallo> familia(const hojas::Fila &f, Leida &fr, bool existe, const Articulo &antes)
    {
        const hojas::Celda c = celda(f, Campo::Familia);
        const QString t = c.comoTexto().trimmed();
        if (t.isEmpty()) {
            if (!existe)
                return Fallo{Campo::Familia, QStringLiteral("familia vacía en un artículo nuevo")};
            fr.codigo = antes.codigo;
            return std::nullopt;
        }
        bool conLetras = false;
        if (const auto cod = codigo(c, codigos::Clase::Familia, conLetras)) {
            fr.codigo = *cod;
            if (e_.familias.contains(fr.codigo))
                return std::nullopt;
            const QString nombre = textoDe(f, Campo::NombreFamilia);
            if (nombre.isEmpty())
                return Fallo{Campo::NombreFamilia, QStringLiteral("familia %1 nueva sin nombre").arg(fr.codigo)};
            nueva(fr.codigo, nombre);
            return std::nullopt;
        }
        if (!conLetras)
            return Fallo{Campo::Familia, QStringLiteral("código de familia de más de 4 dígitos")};
        // A name: the family of that name, or a new one under the next free code.
        const auto hallada = e_.familiaPorNombre.constFind(normalizado(t));
        if (hallada != e_.familiaPorNombre.cend()) {
            fr.codigo = *hallada;
            return std::nullopt;
        }
        if (e_.ultimaFamilia >= 9999)
            return Fallo{Campo::Familia, QStringLiteral("no quedan códigos de familia libres")};
        fr.codigo =
            numeros::rellenarCeros(QString::number(++e_.ultimaFamilia), codigos::ancho(codigos::Clase::Familia));
        nueva(fr.codigo, t);
        return std::nullopt;
    }

    void nueva(const QString &codigo, const QString &nombre)
    {
        e_.familias.insert(codigo, nombre);
        e_.familiaPorNombre.insert(normalizado(nombre), codigo);
        r_.familiasNuevas.append({codigo, nombre});
    }

    std::optional<Fallo> stock(const hojas::Fila &f, Leida &fr)
    {
        fr.deposito = o_.deposito;
        if (const hojas::Celda d = celda(f, Campo::Deposito); !d.vacia()) {
            fr.deposito = d.comoTexto().trimmed();
            if (d.tipo == hojas::Celda::Tipo::Numero && fr.deposito.size() < 2)
                fr.deposito = numeros::rellenarCeros(fr.deposito, 2);
            if (!e_.depositos.contains(fr.deposito))
                return Fallo{Campo::Deposito, QStringLiteral("depósito %1 no existe").arg(fr.deposito)};
        }
        const hojas::Celda s = celda(f, Campo::Stock);
        if (s.vacia())
            return std::nullopt;
        QString motivo;
        const auto cantidad = importe(s, motivo, QStringLiteral("stock"));
        if (!cantidad)
            return Fallo{Campo::Stock, motivo};
        fr.stock = numeros::valor(*cantidad);
        if (fr.stock < 0)
            return Fallo{Campo::Stock, QStringLiteral("stock negativo")};
        // The opening stock of an article that moved already would hide its history: a count corrects it.
        if (e_.conMovimientos.contains(fr.numero)) {
            if (fr.stock == e_.stockPorLugar.value(fr.numero + QLatin1Char('|') + fr.deposito)) {
                fr.stock = 0;
                return std::nullopt;
            }
            return Fallo{Campo::Stock, QStringLiteral("ya tiene movimientos: su stock se corrige con un recuento")};
        }
        return std::nullopt;
    }

    // The position of a text in Revision::textos, added the first time.
    qint32 texto(const QString &t)
    {
        if (const auto hallado = texto_.constFind(t); hallado != texto_.cend())
            return *hallado;
        r_.textos << t;
        return *texto_.insert(t, qint32(r_.textos.size() - 1));
    }

    // A small number for each place named: with the article's six digits, one integer key.
    qint64 lugar(const QString &deposito)
    {
        if (const auto hallado = lugar_.constFind(deposito); hallado != lugar_.cend())
            return *hallado;
        return *lugar_.insert(deposito, int(lugar_.size()));
    }

    // The first row of an article, and its data as a text that the later rows must repeat.
    struct Primera
    {
        int fila = 0;
        QByteArray datos;
    };

    const Opciones &o_;
    Estado &e_;
    Revision &r_;
    const Uso uso_;
    QHash<QString, int> lugar_;
    QHash<QString, qint32> texto_;
    QHash<qint64, int> filaDe_;
    QHash<int, Primera> primeraDe_;
};

} // namespace

int Revision::cuenta(Veredicto v) const
{
    return int(std::count_if(filas.begin(), filas.end(), [v](const FilaRevisada &f) { return f.veredicto == v; }));
}

QString Revision::texto(qsizetype indice) const
{
    switch (filas[indice].veredicto) {
    case Veredicto::Nuevo:
        return QStringLiteral("Nuevo");
    case Veredicto::Actualiza:
        return QStringLiteral("Actualiza");
    case Veredicto::SinCambios:
        return QStringLiteral("Sin cambios");
    case Veredicto::Error:
        break;
    }
    const auto e = std::lower_bound(errores.begin(), errores.end(), indice,
                                    [](const ErrorDeFila &e, qsizetype i) { return e.indice < i; });
    return nombreCampo(e->campo) + QStringLiteral(": ") + e->motivo;
}

QStringList encabezados(const QString &archivo, const QString &hoja)
{
    QStringList textos;
    hojas::leer(archivo, hoja, [&](const hojas::Fila &f) {
        for (const hojas::Celda &c : f.celdas)
            textos << c.comoTexto().trimmed();
        return false;
    });
    return textos;
}

Revision revisar(Connection &conexion, const Opciones &opciones, Uso uso)
{
    Revision r;
    Estado estado = leerEstado(conexion, opciones.columnas[Campo::Stock] >= 0);
    Revisor revisor(opciones, estado, r, uso);
    bool primera = true;
    hojas::leer(opciones.archivo, opciones.hoja, [&](const hojas::Fila &f) {
        if (primera) {
            for (const hojas::Celda &c : f.celdas)
                r.encabezados << c.comoTexto().trimmed();
            primera = false;
        } else {
            revisor.fila(f);
        }
        return true;
    });
    return r;
}

} // namespace importacion
