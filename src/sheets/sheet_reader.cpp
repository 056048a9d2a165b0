#include "sheet_reader.h"
#include "dates.h"
#include "numbers.h"
#include "quendra_error.h"
#include "sheet_formats.h"

#include <QFileInfo>
#include <cmath>

namespace hojas {

QString Celda::comoTexto() const
{
    switch (tipo) {
    case Tipo::Vacia:
        return {};
    case Tipo::Texto:
        return texto;
    case Tipo::Numero:
        return numeros::numeral(numero);
    case Tipo::Booleano:
        return numero != 0 ? QStringLiteral("VERDADERO") : QStringLiteral("FALSO");
    case Tipo::Fecha:
        return fechas::texto(fecha);
    }
    return {};
}

Formato formatoDe(const QString &archivo)
{
    const QString extension = QFileInfo(archivo).suffix().toLower();
    if (extension == QLatin1String("xlsx"))
        return Formato::Xlsx;
    if (extension == QLatin1String("ods"))
        return Formato::Ods;
    if (extension == QLatin1String("csv") || extension == QLatin1String("txt"))
        return Formato::Csv;
    if (extension == QLatin1String("xls"))
        return Formato::Xls;
    detalle::fallar(archivo, QStringLiteral("solo se leen planillas .xlsx, .ods, .xls y .csv"));
}

QStringList nombresDeHojas(const QString &archivo)
{
    const Formato formato = formatoDe(archivo);
    if (!QFileInfo(archivo).isFile())
        detalle::fallar(archivo, QStringLiteral("no existe"));
    switch (formato) {
    case Formato::Csv:
        return {QFileInfo(archivo).completeBaseName()};
    case Formato::Xls:
        return detalle::hojasXls(archivo);
    case Formato::Ods:
        return detalle::hojasOds(archivo);
    case Formato::Xlsx:
        break;
    }
    return detalle::hojasXlsx(archivo);
}

void leer(const QString &archivo, const QString &hoja, const Destino &destino)
{
    const Formato formato = formatoDe(archivo);
    if (!QFileInfo(archivo).isFile())
        detalle::fallar(archivo, QStringLiteral("no existe"));
    switch (formato) {
    case Formato::Csv:
        detalle::leerCsv(archivo, destino);
        return;
    case Formato::Xls:
        detalle::leerXls(archivo, hoja, destino);
        return;
    case Formato::Ods:
        detalle::leerOds(archivo, hoja, destino);
        return;
    case Formato::Xlsx:
        break;
    }
    detalle::leerXlsx(archivo, hoja, destino);
}

namespace detalle {

QDate diaDeSerie(double serie, const QDate &origen)
{
    if (!std::isfinite(serie) || serie < 1 || serie > 3e6)
        return {};
    const auto dias = qint64(std::floor(serie));
    // Excel's 1900 system holds a 29-02-1900 that never was (day 60): the days before it are one later.
    if (origen == QDate(1899, 12, 30) && dias <= 60)
        return dias == 60 ? QDate() : origen.addDays(dias + 1);
    return origen.addDays(dias);
}

bool esFormatoFechaIncorporado(size_t identificador)
{
    // 14-17 and 22 are dates; 27-36 and 50-58 the East Asian date formats.
    return (identificador >= 14 && identificador <= 17) || identificador == 22
           || (identificador >= 27 && identificador <= 36) || (identificador >= 50 && identificador <= 58);
}

bool esFormatoDeFecha(std::string_view codigo)
{
    if (QByteArrayView(codigo).compare("General", Qt::CaseInsensitive) == 0)
        return false;
    bool comillas = false, corchete = false, escapado = false;
    bool dia = false, anio = false;
    for (char c : codigo) {
        if (escapado) {
            escapado = false;
            continue;
        }
        if (comillas) {
            comillas = c != '"';
            continue;
        }
        if (corchete) {
            corchete = c != ']';
            continue;
        }
        switch (c) {
        case '"':
            comillas = true;
            break;
        case '[':
            corchete = true;
            break;
        case '\\':
        case '_':
        case '*':
            escapado = true;
            break;
        case ';':
            // Only the first section formats a positive number, which a date is.
            return dia || anio;
        case 'd':
        case 'D':
            dia = true;
            break;
        case 'y':
        case 'Y':
            anio = true;
            break;
        default:
            break;
        }
    }
    return dia || anio;
}

void fallar(const QString &archivo, const QString &motivo)
{
    throw QuendraError(QuendraError::HojaIlegible,
                       QStringLiteral("No se puede leer %1: %2").arg(QFileInfo(archivo).fileName(), motivo));
}

void faltaHoja(const QString &archivo, const QString &hoja)
{
    fallar(archivo,
           hoja.isEmpty() ? QStringLiteral("no tiene hojas") : QStringLiteral("no tiene la hoja «%1»").arg(hoja));
}

} // namespace detalle

} // namespace hojas
