// .ods through liborcus' zip and XML parsers: content.xml read element by
// element, rows and cells repeated as many times as they say, a covered cell
// (under a merged one) keeping its column, a formula's cell its stored result.
#include "dates.h"
#include "quendra_error.h"
#include "sheet_formats.h"

#include <orcus/sax_parser.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <vector>

namespace hojas::detalle {

namespace {

struct Parada
{
};

// Beyond this many repeats a filled row or cell is a sheet formatted to its end, not data.
constexpr int repeticionMaxima = 100000;

int repeticiones(std::string_view valor)
{
    bool ok = false;
    const int n = QByteArrayView(valor).toInt(&ok);
    return ok && n > 0 ? n : 1;
}

class Contenido
{
public:
    Contenido(const QString &hoja, const Destino *destino) : hoja_(hoja), destino_(destino) { }

    void doctype(const orcus::sax::doctype_declaration &) { }
    void start_declaration(std::string_view) { }
    void end_declaration(std::string_view) { }

    void attribute(const orcus::sax::parser_attribute &a)
    {
        atributos_.push_back({std::string(a.ns), std::string(a.name), std::string(a.value)});
    }

    void start_element(const orcus::sax::parser_element &e)
    {
        if (e.ns == "table" && e.name == "table") {
            nombres.append(QString::fromStdString(atributo("table", "name")));
            leyendo_ = destino_ && !leida && (hoja_.isEmpty() ? nombres.size() == 1 : nombres.last() == hoja_);
            leida = leida || leyendo_;
            numero_ = 0;
        } else if (leyendo_ && e.ns == "table" && e.name == "table-row") {
            repiteFila_ = repeticiones(atributo("table", "number-rows-repeated"));
            fila_.celdas.clear();
        } else if (leyendo_ && e.ns == "table" && (e.name == "table-cell" || e.name == "covered-table-cell")) {
            celdaAbierta_ = true;
            parrafos_ = 0;
            texto_.clear();
            repiteCelda_ = repeticiones(atributo("table", "number-columns-repeated"));
            celda_ = celdaDeAtributos();
        } else if (celdaAbierta_ && e.ns == "text" && e.name == "p") {
            if (parrafos_++ > 0)
                texto_ += QLatin1Char('\n');
        } else if (celdaAbierta_ && e.ns == "text" && e.name == "s") {
            texto_ += QString(repeticiones(atributo("text", "c")), QLatin1Char(' '));
        } else if (celdaAbierta_ && e.ns == "text" && e.name == "tab") {
            texto_ += QLatin1Char('\t');
        } else if (celdaAbierta_ && e.ns == "text" && e.name == "line-break") {
            texto_ += QLatin1Char('\n');
        }
        atributos_.clear();
    }

    void end_element(const orcus::sax::parser_element &e)
    {
        if (!leyendo_ || e.ns != "table")
            return;
        if (e.name == "table-cell" || e.name == "covered-table-cell") {
            celdaAbierta_ = false;
            if (celda_.tipo == Celda::Tipo::Texto && !hayTextoEnAtributo_)
                celda_.texto = texto_;
            const bool vacia = celda_.vacia();
            if (vacia && repiteCelda_ > 1) {
                vaciasPendientes_ += repiteCelda_;
                return;
            }
            fila_.celdas.resize(fila_.celdas.size() + vaciasPendientes_);
            vaciasPendientes_ = 0;
            for (int i = 0; i < std::min(repiteCelda_, repeticionMaxima); ++i)
                fila_.celdas.append(celda_);
        } else if (e.name == "table-row") {
            vaciasPendientes_ = 0;
            while (!fila_.celdas.isEmpty() && fila_.celdas.last().vacia())
                fila_.celdas.removeLast();
            if (fila_.celdas.isEmpty()) {
                numero_ += repiteFila_;
                return;
            }
            for (int i = 0; i < std::min(repiteFila_, repeticionMaxima); ++i) {
                fila_.numero = ++numero_;
                if (!(*destino_)(fila_))
                    throw Parada();
            }
        } else if (e.name == "table") {
            // The sheet asked for is whole: the rest of the file need not be read.
            throw Parada();
        }
    }

    void characters(std::string_view val, bool)
    {
        if (celdaAbierta_)
            texto_ += QString::fromUtf8(val.data(), qsizetype(val.size()));
    }

    QStringList nombres;
    bool leida = false;

private:
    struct Atributo
    {
        std::string ns, nombre, valor;
    };

    std::string atributo(std::string_view ns, std::string_view nombre) const
    {
        for (const Atributo &a : atributos_)
            if (a.ns == ns && a.nombre == nombre)
                return a.valor;
        return {};
    }

    Celda celdaDeAtributos()
    {
        Celda c;
        hayTextoEnAtributo_ = false;
        const std::string tipo = atributo("office", "value-type");
        if (tipo == "float" || tipo == "percentage" || tipo == "currency") {
            c.tipo = Celda::Tipo::Numero;
            c.numero = QByteArray::fromStdString(atributo("office", "value")).toDouble();
        } else if (tipo == "boolean") {
            c.tipo = Celda::Tipo::Booleano;
            c.numero = atributo("office", "boolean-value") == "true" ? 1 : 0;
        } else if (tipo == "date") {
            const std::string valor = atributo("office", "date-value");
            c.tipo = Celda::Tipo::Fecha;
            c.fecha = fechas::leerIso(valor.data(), std::min<qsizetype>(qsizetype(valor.size()), 10));
        } else if (!tipo.empty()) {
            c.tipo = Celda::Tipo::Texto;
            const std::string valor = atributo("office", "string-value");
            hayTextoEnAtributo_ = !valor.empty();
            c.texto = QString::fromStdString(valor);
        }
        return c;
    }

    QString hoja_;
    const Destino *destino_;
    std::vector<Atributo> atributos_;
    bool leyendo_ = false;
    bool celdaAbierta_ = false;
    bool hayTextoEnAtributo_ = false;
    int parrafos_ = 0;
    int repiteFila_ = 1;
    int repiteCelda_ = 1;
    qsizetype vaciasPendientes_ = 0;
    int numero_ = 0;
    QString texto_;
    Celda celda_;
    Fila fila_;
};

void leerContenido(const QString &archivo, Contenido &contenido)
{
    try {
        orcus::zip_archive_stream_fd flujo(archivo.toLocal8Bit().constData());
        orcus::zip_archive zip(&flujo);
        zip.load();
        std::vector<unsigned char> xml;
        if (!zip.read_file_entry("content.xml", xml))
            fallar(archivo, QStringLiteral("no es una hoja de cálculo .ods"));
        orcus::sax_parser<Contenido> parser(reinterpret_cast<const char *>(xml.data()), xml.size(), contenido);
        parser.parse();
    } catch (const Parada &) {
    } catch (const QuendraError &) {
        throw;
    } catch (const std::exception &e) {
        fallar(archivo, QString::fromUtf8(e.what()));
    }
}

} // namespace

QStringList hojasOds(const QString &archivo)
{
    Contenido contenido(QString(), nullptr);
    leerContenido(archivo, contenido);
    return contenido.nombres;
}

void leerOds(const QString &archivo, const QString &hoja, const Destino &destino)
{
    Contenido contenido(hoja, &destino);
    leerContenido(archivo, contenido);
    if (!contenido.leida)
        faltaHoja(archivo, hoja);
}

} // namespace hojas::detalle
