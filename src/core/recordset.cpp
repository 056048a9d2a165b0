#include "recordset.h"
#include "dates.h"
#include "numbers.h"
#include "quendra_error.h"

#include <cstring>

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

QString Field::name() const { return rs_->name(columna_); }
int Field::type() const { return rs_->type(columna_); }
QString Field::text() const
{
    rs_->comprobarFila();
    return rs_->text(rs_->position(), columna_);
}

void Recordset::appendColumn(const QString &nombre, int tipo, int tamanoDefinido)
{
    Columna c;
    c.nombre = nombre;
    c.tipo = tipo;
    c.tamano = tamanoDefinido;
    c.inicio.push_back(0);
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
    for (Columna &c : columnas_) {
        c.etiquetas.reserve(size_t(filas));
        c.inicio.reserve(size_t(filas) + 1);
        if (filas_ > 0)
            c.bytes.reserve(size_t(double(c.bytes.size()) / double(filas_) * double(filas)));
    }
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
    default: {
        QByteArray u = v.toString().toUtf8();
        appendText(columna, u.constData(), u.size());
    }
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

void Recordset::append(Columna &c, Etiqueta e, const void *datos, size_t n)
{
    c.etiquetas.push_back(e);
    if (n)
        c.bytes.append(static_cast<const char *>(datos), n);
    c.inicio.push_back(c.bytes.size());
}

void Recordset::appendNull(int columna) { append(columnas_[size_t(columna)], Etiqueta::Nulo, nullptr, 0); }

void Recordset::appendInteger(int columna, qint64 v)
{
    append(columnas_[size_t(columna)], Etiqueta::Entero, &v, sizeof v);
}

void Recordset::appendReal(int columna, double v)
{
    append(columnas_[size_t(columna)], Etiqueta::Real, &v, sizeof v);
}

void Recordset::appendText(int columna, const char *utf8, qsizetype bytes)
{
    append(columnas_[size_t(columna)], Etiqueta::Texto, utf8, size_t(bytes));
}

void Recordset::appendDate(int columna, const QDate &fecha)
{
    qint64 jd = fecha.toJulianDay();
    append(columnas_[size_t(columna)], Etiqueta::Fecha, &jd, sizeof jd);
}

namespace {
// Gives back the room a large result did not use; a small one keeps it, as
// copying it again would cost more than it frees.
template <typename Contenedor>
void ajustar(Contenedor &c)
{
    if ((c.capacity() - c.size()) * sizeof(typename Contenedor::value_type) > 65536)
        c.shrink_to_fit();
}
} // namespace

void Recordset::finishLoading()
{
    for (auto &c : columnas_) {
        ajustar(c.etiquetas);
        ajustar(c.inicio);
        ajustar(c.bytes);
    }
    abierto_ = true;
    fila_ = 0;
}

bool Recordset::isNull(qsizetype fila, int columna) const
{
    return columnas_[size_t(columna)].etiquetas[size_t(fila)] == Etiqueta::Nulo;
}

QVariant Recordset::value(qsizetype fila, int columna) const
{
    const Columna &c = columnas_[size_t(columna)];
    const char *p = c.bytes.data() + c.inicio[size_t(fila)];
    switch (c.etiquetas[size_t(fila)]) {
    case Etiqueta::Nulo:
        return QVariant();
    case Etiqueta::Entero: {
        qint64 v;
        std::memcpy(&v, p, sizeof v);
        return QVariant(v);
    }
    case Etiqueta::Real: {
        double v;
        std::memcpy(&v, p, sizeof v);
        return QVariant(v);
    }
    case Etiqueta::Fecha: {
        qint64 jd;
        std::memcpy(&jd, p, sizeof jd);
        return QVariant(QDate::fromJulianDay(jd));
    }
    case Etiqueta::Texto:
        return QVariant(QString::fromUtf8(p, qsizetype(c.inicio[size_t(fila) + 1] - c.inicio[size_t(fila)])));
    }
    return QVariant();
}

QString Recordset::text(qsizetype fila, int columna) const
{
    const Columna &c = columnas_[size_t(columna)];
    const char *p = c.bytes.data() + c.inicio[size_t(fila)];
    switch (c.etiquetas[size_t(fila)]) {
    case Etiqueta::Nulo:
        return QString();
    case Etiqueta::Entero: {
        qint64 v;
        std::memcpy(&v, p, sizeof v);
        return QString::number(v);
    }
    case Etiqueta::Real: {
        double v;
        std::memcpy(&v, p, sizeof v);
        return numeros::numeral(v);
    }
    case Etiqueta::Fecha: {
        qint64 jd;
        std::memcpy(&jd, p, sizeof jd);
        return fechas::texto(QDate::fromJulianDay(jd));
    }
    case Etiqueta::Texto:
        return QString::fromUtf8(p, qsizetype(c.inicio[size_t(fila) + 1] - c.inicio[size_t(fila)]));
    }
    return QString();
}

QByteArrayView Recordset::utf8(qsizetype fila, int columna) const
{
    const Columna &c = columnas_[size_t(columna)];
    if (c.etiquetas[size_t(fila)] != Etiqueta::Texto)
        return {};
    return QByteArrayView(c.bytes.data() + c.inicio[size_t(fila)],
                          qsizetype(c.inicio[size_t(fila) + 1] - c.inicio[size_t(fila)]));
}
