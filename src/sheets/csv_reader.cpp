// CSV as spreadsheets and old programs write it: UTF-8 with or without a byte
// order mark, or Windows-1252 (what Excel in Spanish saves); fields separated by
// ";", "," or a tab, whichever the first line holds most of; quoted fields with
// doubled quotes and line breaks. The file is read in pieces, a row at a time.
#include "sheet_formats.h"

#include <QFile>

namespace hojas::detalle {

namespace {

constexpr qint64 pedazo = 1 << 20;

// Windows-1252 differs from Latin-1 only between 0x80 and 0x9f.
constexpr char16_t cp1252[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

QString desdeWindows1252(const QByteArray &bytes)
{
    QString s(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uchar(bytes[i]);
        s[i] = QChar(b >= 0x80 && b < 0xa0 ? cp1252[b - 0x80] : char16_t(b));
    }
    return s;
}

// Whether the whole file is valid UTF-8, read piece by piece: every lead byte
// followed by as many continuation bytes as it announces.
bool esUtf8(QFile &archivo)
{
    int faltan = 0;
    while (!archivo.atEnd()) {
        for (const char ch : archivo.read(pedazo)) {
            const auto b = uchar(ch);
            if (faltan > 0) {
                if ((b & 0xC0) != 0x80)
                    return false;
                --faltan;
            } else if (b >= 0x80) {
                if (b >= 0xC2 && b <= 0xDF)
                    faltan = 1;
                else if (b >= 0xE0 && b <= 0xEF)
                    faltan = 2;
                else if (b >= 0xF0 && b <= 0xF4)
                    faltan = 3;
                else
                    return false;
            }
        }
    }
    return faltan == 0;
}

// The separator the first line holds most of, outside quotes; ";" when none.
char separadorDe(QFile &archivo)
{
    const QByteArray inicio = archivo.read(64 * 1024);
    int puntoYComa = 0, coma = 0, tabulador = 0;
    bool comillas = false;
    for (char c : inicio) {
        if (c == '"')
            comillas = !comillas;
        else if (comillas)
            continue;
        else if (c == '\n' || c == '\r')
            break;
        else if (c == ';')
            ++puntoYComa;
        else if (c == ',')
            ++coma;
        else if (c == '\t')
            ++tabulador;
    }
    if (puntoYComa >= coma && puntoYComa >= tabulador)
        return ';';
    return tabulador >= coma ? '\t' : ',';
}

class Lector
{
public:
    Lector(const Destino &destino, char separador, bool utf8)
        : destino_(destino), separador_(separador), utf8_(utf8) { }

    // False once the reader wants no more.
    bool leer(const QByteArray &bytes)
    {
        for (const char c : bytes) {
            if (comillas_) {
                if (c == '"' && !comillaPendiente_) {
                    comillaPendiente_ = true;
                    continue;
                }
                if (comillaPendiente_ && c == '"') {
                    campo_ += '"';
                    comillaPendiente_ = false;
                    continue;
                }
                if (!comillaPendiente_) {
                    campo_ += c;
                    continue;
                }
                // A closing quote: what follows is read as outside quotes.
                comillas_ = false;
                comillaPendiente_ = false;
            }
            if (c == '"' && campo_.isEmpty() && !entreComillas_) {
                comillas_ = entreComillas_ = true;
            } else if (c == separador_) {
                cerrarCampo();
            } else if (c == '\n') {
                if (!cerrarFila())
                    return false;
            } else if (c != '\r') {
                campo_ += c;
            }
        }
        return true;
    }

    bool terminar()
    {
        comillas_ = comillaPendiente_ = false;
        if (!campo_.isEmpty() || !fila_.celdas.isEmpty())
            return cerrarFila();
        return true;
    }

private:
    void cerrarCampo()
    {
        Celda c;
        if (!campo_.isEmpty()) {
            c.tipo = Celda::Tipo::Texto;
            c.texto = utf8_ ? QString::fromUtf8(campo_) : desdeWindows1252(campo_);
        }
        fila_.celdas.append(std::move(c));
        campo_.clear();
        entreComillas_ = false;
    }

    bool cerrarFila()
    {
        cerrarCampo();
        ++numero_;
        while (!fila_.celdas.isEmpty() && fila_.celdas.last().tipo == Celda::Tipo::Vacia)
            fila_.celdas.removeLast();
        bool sigue = true;
        if (!fila_.celdas.isEmpty()) {
            fila_.numero = numero_;
            sigue = destino_(fila_);
        }
        fila_.celdas.clear();
        return sigue;
    }

    const Destino &destino_;
    const char separador_;
    const bool utf8_;
    Fila fila_;
    QByteArray campo_;
    int numero_ = 0;
    bool comillas_ = false;
    bool comillaPendiente_ = false;
    bool entreComillas_ = false;
};

} // namespace

void leerCsv(const QString &nombre, const Destino &destino)
{
    QFile archivo(nombre);
    if (!archivo.open(QIODevice::ReadOnly))
        fallar(nombre, archivo.errorString());
    const bool utf8 = esUtf8(archivo);
    archivo.seek(0);
    if (utf8 && archivo.peek(3) == QByteArrayLiteral("\xEF\xBB\xBF"))
        archivo.read(3);
    const qint64 inicio = archivo.pos();
    const char separador = separadorDe(archivo);
    archivo.seek(inicio);
    Lector lector(destino, separador, utf8);
    while (!archivo.atEnd())
        if (!lector.leer(archivo.read(pedazo)))
            return;
    if (archivo.error() != QFileDevice::NoError)
        fallar(nombre, archivo.errorString());
    lector.terminar();
}

} // namespace hojas::detalle
