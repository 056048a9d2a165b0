#include "recordset.h"
#include "quendra_error.h"
#include "type_codes.h"

#include <utility>

QVariant Field::value() const
{
    rs_->comprobarFila();
    return rs_->value(rs_->position(), columna_);
}

bool Field::isNull() const
{
    rs_->comprobarFila();
    return rs_->isNull(rs_->position(), columna_);
}

QString Field::name() const
{
    return rs_->name(columna_);
}
TipoCampo Field::type() const
{
    return rs_->type(columna_);
}
QString Field::text() const
{
    rs_->comprobarFila();
    return rs_->text(rs_->position(), columna_);
}

void Recordset::appendColumn(const QString &nombre, TipoCampo tipo, int tamanoDefinido, Storage storage)
{
    Columna c;
    c.nombre = nombre;
    c.tipo = tipo;
    c.tamano = tamanoDefinido;
    c.celdas = ColumnStore::make(storage);
    porNombre_.insert(nombre.toLower(), int(columnas_.size()));
    columnas_.push_back(std::move(c));
}

void Recordset::open()
{
    abierto_ = true;
    fila_ = 0;
}

void Recordset::addNew()
{
    if (!abierto_)
        throw QuendraError(QuendraError::RecordsetCerrado, QStringLiteral("El recordset no está abierto"));
    if (agregando_)
        update();
    nueva_.assign(columnas_.size(), QVariant());
    agregando_ = true;
}

void Recordset::setValue(int columna, const QVariant &valor)
{
    if (!agregando_)
        throw QuendraError(QuendraError::RecordsetCerrado, QStringLiteral("No hay una fila nueva en edición"));
    if (columna < 0 || columna >= fieldCount())
        throw QuendraError(QuendraError::NombreDesconocido, QStringLiteral("No existe la columna %1").arg(columna));
    nueva_[size_t(columna)] = valor;
}

void Recordset::setValue(const QString &nombre, const QVariant &valor)
{
    setValue(columnIndex(nombre), valor);
}

void Recordset::update()
{
    if (!agregando_)
        return;
    for (int i = 0; i < fieldCount(); ++i)
        appendVariant(i, nueva_[size_t(i)]);
    endRow();
    agregando_ = false;
    fila_ = filas_ - 1;
}

void Recordset::reserve(qsizetype filas)
{
    for (Columna &c : columnas_)
        c.celdas->reserve(filas, filas_);
}

void Recordset::appendVariant(int columna, const QVariant &v)
{
    if (v.isNull()) {
        appendNull(columna);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Bool:
        appendInteger(columna, v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        appendReal(columna, v.toDouble());
        break;
    case QMetaType::QDate:
        appendDate(columna, v.toDate());
        break;
    default:
        appendText(columna, v.toString().toUtf8());
    }
}

bool Recordset::eof() const
{
    return fila_ >= filas_;
}

void Recordset::moveNext()
{
    if (fila_ < filas_)
        ++fila_;
}

void Recordset::moveFirst()
{
    fila_ = 0;
}

void Recordset::close()
{
    abierto_ = false;
}

void Recordset::comprobarFila() const
{
    if (fila_ >= filas_)
        throw QuendraError(QuendraError::RecordsetCerrado,
                           QStringLiteral("No hay fila actual: el recordset está al final"));
}

Field Recordset::field(int columna) const
{
    if (columna < 0 || columna >= fieldCount())
        throw QuendraError(QuendraError::NombreDesconocido, QStringLiteral("No existe la columna %1").arg(columna));
    return Field(*this, columna);
}

Field Recordset::field(const QString &nombre) const
{
    return field(columnIndex(nombre));
}

int Recordset::indexOf(const QString &nombre) const
{
    return porNombre_.value(nombre.toLower(), -1);
}

int Recordset::columnIndex(const QString &nombre) const
{
    int i = indexOf(nombre);
    if (i < 0)
        throw QuendraError(QuendraError::NombreDesconocido,
                           QStringLiteral("No se encontró el elemento «%1» en la colección").arg(nombre));
    return i;
}

void Recordset::finishLoading()
{
    for (Columna &c : columnas_)
        c.celdas->shrink();
    abierto_ = true;
    fila_ = 0;
}

void RecordsetReader::columns(const QStringList &names, const std::vector<TipoCampo> &types)
{
    for (int i = 0; i < int(names.size()); ++i) {
        rs_->appendColumn(names[i], types[size_t(i)]);
        if (types[size_t(i)] == TipoCampo::Ninguno)
            computed_.push_back(i);
    }
}

namespace {
TipoCampo typeOfValue(CellValue::Kind kind)
{
    switch (kind) {
    case CellValue::Kind::Integer:
        return TipoCampo::Entero;
    case CellValue::Kind::Real:
        return TipoCampo::Simple;
    case CellValue::Kind::Date:
        return TipoCampo::Fecha;
    default:
        return TipoCampo::Texto;
    }
}
} // namespace

void RecordsetReader::row(std::span<const CellValue> values)
{
    for (size_t k = 0; k < computed_.size();) {
        const CellValue &v = values[size_t(computed_[k])];
        if (v.kind == CellValue::Kind::Null) {
            ++k;
            continue;
        }
        rs_->setType(computed_[k], typeOfValue(v.kind));
        computed_.erase(computed_.begin() + qsizetype(k));
    }
    for (int i = 0; i < int(values.size()); ++i) {
        const CellValue &v = values[size_t(i)];
        switch (v.kind) {
        case CellValue::Kind::Null:
            rs_->appendNull(i);
            break;
        case CellValue::Kind::Integer:
            rs_->appendInteger(i, v.integer);
            break;
        case CellValue::Kind::Real:
            rs_->appendReal(i, v.real);
            break;
        case CellValue::Kind::Date:
            rs_->appendDate(i, QDate::fromJulianDay(v.integer));
            break;
        case CellValue::Kind::Text:
            rs_->appendText(i, v.text);
            break;
        }
    }
    rs_->endRow();
}

std::unique_ptr<Recordset> RecordsetReader::take()
{
    for (int i : computed_)
        rs_->setType(i, TipoCampo::Texto);
    computed_.clear();
    rs_->finishLoading();
    return std::exchange(rs_, std::make_unique<Recordset>());
}
