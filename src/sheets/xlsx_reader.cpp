// .xlsx through liborcus' zip and XML parsers: the workbook's sheet names and
// date origin, the shared strings, which cell formats show dates, then the one
// sheet asked for, element by element, each row handed on as it ends. Inline
// strings and a formula's stored result are read like any other value.
#include "dates.h"
#include "quendra_error.h"
#include "sheet_formats.h"

#include <orcus/sax_parser.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <QHash>
#include <algorithm>
#include <map>
#include <vector>

namespace hojas::detalle {

namespace {

struct Parada
{
};

QString texto(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The parts of a handler the parser asks for and these readers do not use.
struct Manejador
{
    void doctype(const orcus::sax::doctype_declaration &) { }
    void start_declaration(std::string_view) { }
    void end_declaration(std::string_view) { }
    void attribute(const orcus::sax::parser_attribute &a)
    {
        atributos.push_back({std::string(a.name), std::string(a.value)});
    }
    // The attribute of the element being opened, by its name without prefix.
    std::string atributo(std::string_view nombre) const
    {
        for (const auto &a : atributos)
            if (a.first == nombre)
                return a.second;
        return {};
    }
    std::vector<std::pair<std::string, std::string>> atributos;
};

template <class H> void analizar(const std::vector<unsigned char> &xml, H &manejador)
{
    orcus::sax_parser<H> parser(reinterpret_cast<const char *>(xml.data()), xml.size(), manejador);
    parser.parse();
}

struct Libro : Manejador
{
    struct Hoja
    {
        QString nombre;
        std::string relacion;
    };
    void start_element(const orcus::sax::parser_element &e)
    {
        if (e.name == "sheet")
            hojas.push_back({texto(atributo("name")), atributo("id")});
        else if (e.name == "workbookPr")
            desde1904 = atributo("date1904") == "1" || atributo("date1904") == "true";
        atributos.clear();
    }
    void end_element(const orcus::sax::parser_element &) { }
    void characters(std::string_view, bool) { }

    std::vector<Hoja> hojas;
    bool desde1904 = false;
};

struct Relaciones : Manejador
{
    void start_element(const orcus::sax::parser_element &e)
    {
        if (e.name == "Relationship")
            destinos[atributo("Id")] = atributo("Target");
        atributos.clear();
    }
    void end_element(const orcus::sax::parser_element &) { }
    void characters(std::string_view, bool) { }

    std::map<std::string, std::string> destinos;
};

// The text of each <si>: its <t>, or its runs' <t> one after another; a phonetic reading (<rPh>) is no part of it.
struct Textos : Manejador
{
    void start_element(const orcus::sax::parser_element &e)
    {
        if (e.name == "si")
            actual.clear();
        else if (e.name == "rPh")
            fonetica = true;
        else if (e.name == "t")
            enTexto = !fonetica;
        atributos.clear();
    }
    void end_element(const orcus::sax::parser_element &e)
    {
        if (e.name == "si")
            textos.push_back(actual);
        else if (e.name == "rPh")
            fonetica = false;
        else if (e.name == "t")
            enTexto = false;
    }
    void characters(std::string_view v, bool)
    {
        if (enTexto)
            actual += texto(v);
    }

    std::vector<QString> textos;
    QString actual;
    bool enTexto = false;
    bool fonetica = false;
};

// Which cell formats (the s of a cell, counted in <cellXfs>) show a date.
struct Estilos : Manejador
{
    void start_element(const orcus::sax::parser_element &e)
    {
        if (e.name == "numFmt" && esFormatoDeFecha(atributo("formatCode")))
            formatosFecha.push_back(QByteArray::fromStdString(atributo("numFmtId")).toULongLong());
        else if (e.name == "cellXfs")
            enXfs = true;
        else if (enXfs && e.name == "xf") {
            const size_t id = QByteArray::fromStdString(atributo("numFmtId")).toULongLong();
            xfFecha.push_back(esFormatoFechaIncorporado(id)
                              || std::find(formatosFecha.begin(), formatosFecha.end(), id) != formatosFecha.end());
        }
        atributos.clear();
    }
    void end_element(const orcus::sax::parser_element &e)
    {
        if (e.name == "cellXfs")
            enXfs = false;
    }
    void characters(std::string_view, bool) { }

    std::vector<size_t> formatosFecha;
    std::vector<bool> xfFecha;
    bool enXfs = false;
};

// The column of a reference such as "AB12", from 0; -1 when it has none.
int columnaDe(std::string_view referencia)
{
    int columna = 0;
    for (char c : referencia) {
        if (c < 'A' || c > 'Z')
            break;
        columna = columna * 26 + (c - 'A' + 1);
    }
    return columna - 1;
}

class HojaLeida : public Manejador
{
public:
    HojaLeida(const Destino &destino, const std::vector<QString> &textos, const std::vector<bool> &xfFecha,
              QDate origen)
        : destino_(destino), textos_(textos), xfFecha_(xfFecha), origen_(origen)
    {
    }

    void start_element(const orcus::sax::parser_element &e)
    {
        if (e.name == "row") {
            bool ok = false;
            const int r = QByteArray::fromStdString(atributo("r")).toInt(&ok);
            fila_.numero = ok ? r : fila_.numero + 1;
            fila_.celdas.clear();
            columna_ = -1;
        } else if (e.name == "c") {
            const int c = columnaDe(atributo("r"));
            columna_ = c >= 0 ? c : columna_ + 1;
            tipo_ = atributo("t");
            const size_t xf = QByteArray::fromStdString(atributo("s")).toULongLong();
            fecha_ = xf < xfFecha_.size() && xfFecha_[xf];
            valor_.clear();
        } else if (e.name == "v" || (e.name == "t" && tipo_ == "inlineStr")) {
            enValor_ = true;
        } else if (e.name == "rPh") {
            fonetica_ = true;
        }
        atributos.clear();
    }

    void end_element(const orcus::sax::parser_element &e)
    {
        if (e.name == "v" || e.name == "t") {
            enValor_ = false;
        } else if (e.name == "rPh") {
            fonetica_ = false;
        } else if (e.name == "c") {
            poner();
        } else if (e.name == "row") {
            while (!fila_.celdas.isEmpty() && fila_.celdas.last().vacia())
                fila_.celdas.removeLast();
            if (!fila_.celdas.isEmpty() && !destino_(fila_))
                throw Parada();
        }
    }

    void characters(std::string_view v, bool)
    {
        if (enValor_ && !fonetica_)
            valor_ += texto(v);
    }

private:
    void poner()
    {
        if (columna_ < 0 || columna_ >= 16384 || valor_.isEmpty())
            return;
        Celda c;
        if (tipo_ == "s") {
            const qsizetype i = valor_.toLongLong();
            c.tipo = Celda::Tipo::Texto;
            c.texto = i >= 0 && size_t(i) < textos_.size() ? textos_[size_t(i)] : QString();
        } else if (tipo_ == "inlineStr" || tipo_ == "str") {
            c.tipo = Celda::Tipo::Texto;
            c.texto = valor_;
        } else if (tipo_ == "b") {
            c.tipo = Celda::Tipo::Booleano;
            c.numero = valor_.trimmed() == QLatin1String("1") ? 1 : 0;
        } else if (tipo_ == "d") {
            c.tipo = Celda::Tipo::Fecha;
            const QByteArray iso = valor_.toLatin1();
            c.fecha = fechas::leerIso(iso.constData(), std::min<qsizetype>(iso.size(), 10));
        } else if (tipo_ == "e") {
            c.tipo = Celda::Tipo::Texto;
            c.texto = valor_;
        } else {
            c.tipo = Celda::Tipo::Numero;
            c.numero = valor_.toDouble();
            if (fecha_) {
                c.tipo = Celda::Tipo::Fecha;
                c.fecha = diaDeSerie(c.numero, origen_);
            }
        }
        if (fila_.celdas.size() <= columna_)
            fila_.celdas.resize(columna_ + 1);
        fila_.celdas[columna_] = std::move(c);
    }

    const Destino &destino_;
    const std::vector<QString> &textos_;
    const std::vector<bool> &xfFecha_;
    const QDate origen_;
    Fila fila_;
    int columna_ = -1;
    std::string tipo_;
    bool fecha_ = false;
    bool enValor_ = false;
    bool fonetica_ = false;
    QString valor_;
};

// A part's path inside the package from a target of xl/_rels/workbook.xml.rels.
std::string parte(const std::string &destino)
{
    return destino.starts_with('/') ? destino.substr(1) : "xl/" + destino;
}

class Paquete
{
public:
    explicit Paquete(const QString &archivo) : flujo_(archivo.toLocal8Bit().constData()), zip_(&flujo_) { zip_.load(); }
    // The part, or nothing when the package lacks it.
    std::vector<unsigned char> leer(const std::string &nombre) const
    {
        std::vector<unsigned char> xml;
        if (!zip_.read_file_entry(nombre, xml))
            xml.clear();
        return xml;
    }

private:
    orcus::zip_archive_stream_fd flujo_;
    orcus::zip_archive zip_;
};

// Runs a reading, giving liborcus' errors as ours.
template <class F> void protegido(const QString &archivo, F &&f)
{
    try {
        f();
    } catch (const Parada &) {
    } catch (const QuendraError &) {
        throw;
    } catch (const std::exception &e) {
        fallar(archivo, QString::fromUtf8(e.what()));
    }
}

Libro libro(const QString &archivo, const Paquete &paquete)
{
    const auto xml = paquete.leer("xl/workbook.xml");
    if (xml.empty())
        fallar(archivo, QStringLiteral("no es un libro .xlsx"));
    Libro l;
    analizar(xml, l);
    return l;
}

} // namespace

QStringList hojasXlsx(const QString &archivo)
{
    QStringList nombres;
    protegido(archivo, [&] {
        const Paquete paquete(archivo);
        for (const auto &h : libro(archivo, paquete).hojas)
            nombres << h.nombre;
    });
    return nombres;
}

void leerXlsx(const QString &archivo, const QString &hoja, const Destino &destino)
{
    protegido(archivo, [&] {
        const Paquete paquete(archivo);
        const Libro l = libro(archivo, paquete);
        auto elegida = l.hojas.begin();
        if (!hoja.isEmpty())
            elegida = std::find_if(l.hojas.begin(), l.hojas.end(), [&](const auto &h) { return h.nombre == hoja; });
        if (elegida == l.hojas.end())
            faltaHoja(archivo, hoja);
        Relaciones relaciones;
        analizar(paquete.leer("xl/_rels/workbook.xml.rels"), relaciones);
        Textos textos;
        if (const auto xml = paquete.leer("xl/sharedStrings.xml"); !xml.empty())
            analizar(xml, textos);
        Estilos estilos;
        if (const auto xml = paquete.leer("xl/styles.xml"); !xml.empty())
            analizar(xml, estilos);
        const auto xml = paquete.leer(parte(relaciones.destinos[elegida->relacion]));
        if (xml.empty())
            fallar(archivo, QStringLiteral("falta la hoja «%1»").arg(elegida->nombre));
        // Excel's 1900 system counts from 30-12-1899 (see diaDeSerie); the 1904 system from 01-01-1904.
        HojaLeida leida(destino, textos.textos, estilos.xfFecha, l.desde1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30));
        analizar(xml, leida);
    });
}

} // namespace hojas::detalle
