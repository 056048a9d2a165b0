#include "column_stores.h"
#include "dates.h"
#include "numbers.h"

#include <QHashFunctions>
#include <algorithm>
#include <charconv>
#include <cstring>

std::unique_ptr<ColumnStore> ColumnStore::make(Kind kind)
{
    switch (kind) {
    case Kind::RepeatedTexts:
        return std::make_unique<RepeatedTextStore>();
    case Kind::Hundredths:
        return std::make_unique<HundredthsStore>();
    case Kind::Values:
        break;
    }
    return std::make_unique<ValueStore>();
}

void ColumnStore::appendInteger(int64_t v)
{
    appendText(QByteArray::number(qint64(v)));
}

void ColumnStore::appendReal(double v)
{
    appendText(numeros::numeral(v).toUtf8());
}

void ColumnStore::appendDate(const QDate &d)
{
    appendText(fechas::texto(d).toUtf8());
}

void ColumnStore::appendHundredths(int64_t hundredths)
{
    char buf[32];
    appendText(numeros::numeralCentesimas(hundredths, buf));
}

QByteArrayView ColumnStore::textUtf8(qsizetype row, char (&)[textRoom]) const
{
    return utf8(row); // every value of a store of texts is a text
}

QString ColumnStore::text(qsizetype row) const
{
    if (isNull(row))
        return QString();
    char room[textRoom];
    const QByteArrayView t = textUtf8(row, room);
    return QString::fromUtf8(t.data(), t.size());
}

QVariant ColumnStore::value(qsizetype row) const
{
    return isNull(row) ? QVariant() : QVariant(text(row));
}

namespace {
// Gives back the room a large container did not use; a small one keeps it, as
// copying it again would cost more than it frees.
template <typename Container> void shrinkLarge(Container &c)
{
    if ((c.capacity() - c.size()) * sizeof(typename Container::value_type) > 65536)
        c.shrink_to_fit();
}

template <typename T> T load(const char *p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
} // namespace

// AppendedBytes

void AppendedBytes::reserve(size_t n)
{
    if (n <= capacity_)
        return;
    auto nuevo = std::make_unique_for_overwrite<char[]>(n);
    if (size_)
        std::memcpy(nuevo.get(), data_.get(), size_);
    data_ = std::move(nuevo);
    capacity_ = n;
}

void AppendedBytes::shrink_to_fit()
{
    auto justo = std::make_unique_for_overwrite<char[]>(size_);
    if (size_)
        std::memcpy(justo.get(), data_.get(), size_);
    data_ = std::move(justo);
    capacity_ = size_;
}

void AppendedBytes::copy(char *d, const char *s, size_t n)
{
    // Fixed-size copies, overlapping in the middle, compile to plain moves.
    auto dos = [&](auto bloque) {
        constexpr size_t k = sizeof bloque;
        std::memcpy(&bloque, s, k);
        std::memcpy(d, &bloque, k);
        std::memcpy(&bloque, s + n - k, k);
        std::memcpy(d + n - k, &bloque, k);
    };
    struct Bloque16
    {
        uint64_t a, b;
    };
    if (n > 32)
        std::memcpy(d, s, n);
    else if (n >= 16)
        dos(Bloque16{});
    else if (n >= 8)
        dos(uint64_t{});
    else if (n >= 4)
        dos(uint32_t{});
    else if (n >= 2)
        dos(uint16_t{});
    else if (n == 1)
        *d = *s;
}

// ValueStore

void ValueStore::append(Tag t, const void *data, size_t n)
{
    tags_.push_back(t);
    if (n)
        bytes_.append(static_cast<const char *>(data), n);
    starts_.push_back(bytes_.size());
}

void ValueStore::appendNull()
{
    append(Tag::Null, nullptr, 0);
}
void ValueStore::appendText(QByteArrayView utf8)
{
    append(Tag::Text, utf8.data(), size_t(utf8.size()));
}
void ValueStore::appendInteger(int64_t v)
{
    append(Tag::Integer, &v, sizeof v);
}
void ValueStore::appendReal(double v)
{
    append(Tag::Real, &v, sizeof v);
}

void ValueStore::appendDate(const QDate &d)
{
    const qint64 jd = d.toJulianDay();
    append(Tag::Date, &jd, sizeof jd);
}

bool ValueStore::isNull(qsizetype row) const
{
    return tags_[size_t(row)] == Tag::Null;
}

QVariant ValueStore::value(qsizetype row) const
{
    const char *p = at(row);
    switch (tags_[size_t(row)]) {
    case Tag::Null:
        return QVariant();
    case Tag::Integer:
        return QVariant(qint64(load<int64_t>(p)));
    case Tag::Real:
        return QVariant(load<double>(p));
    case Tag::Date:
        return QVariant(QDate::fromJulianDay(load<qint64>(p)));
    case Tag::Text:
        break;
    }
    return QVariant(text(row));
}

QByteArrayView ValueStore::utf8(qsizetype row) const
{
    if (tags_[size_t(row)] != Tag::Text)
        return {};
    return QByteArrayView(at(row), qsizetype(starts_[size_t(row) + 1] - starts_[size_t(row)]));
}

QByteArrayView ValueStore::textUtf8(qsizetype row, char (&room)[textRoom]) const
{
    const char *p = at(row);
    switch (tags_[size_t(row)]) {
    case Tag::Null:
        return {};
    case Tag::Integer:
        return QByteArrayView(room, std::to_chars(room, room + textRoom, load<int64_t>(p)).ptr - room);
    case Tag::Real:
        return numeros::numeral(load<double>(p), room);
    case Tag::Date: {
        char fecha[16];
        const QByteArrayView t = fechas::texto(QDate::fromJulianDay(load<qint64>(p)), fecha);
        return QByteArrayView(room, std::copy(t.begin(), t.end(), room) - room);
    }
    case Tag::Text:
        break;
    }
    return utf8(row);
}

void ValueStore::reserve(qsizetype rows, qsizetype rowsSoFar)
{
    tags_.reserve(size_t(rows));
    starts_.reserve(size_t(rows) + 1);
    if (rowsSoFar > 0)
        bytes_.reserve(size_t(double(bytes_.size()) / double(rowsSoFar) * double(rows)));
}

void ValueStore::shrink()
{
    shrinkLarge(tags_);
    shrinkLarge(starts_);
    shrinkLarge(bytes_);
}

// RepeatedTextStore

QByteArrayView RepeatedTextStore::distinct(int64_t code) const
{
    const size_t i = size_t(code - 1);
    return QByteArrayView(bytes_.data() + starts_[i], qsizetype(starts_[i + 1] - starts_[i]));
}

int64_t RepeatedTextStore::find(QByteArrayView utf8, size_t hash) const
{
    const size_t mask = slots_.size() - 1;
    for (size_t s = hash & mask;; s = (s + 1) & mask) {
        const uint32_t code = slots_[s];
        if (code == 0 || distinct(code) == utf8)
            return code == 0 ? -int64_t(s) - 1 : int64_t(code);
    }
}

void RepeatedTextStore::grow()
{
    std::vector<uint32_t> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, 0);
    const size_t mask = slots_.size() - 1;
    for (uint32_t code : old)
        if (code != 0) {
            size_t s = qHash(distinct(code)) & mask;
            while (slots_[s] != 0)
                s = (s + 1) & mask;
            slots_[s] = code;
        }
}

namespace {
constexpr int mostDigits = RepeatedTextStore::mostDigits;

// A code of digits alone as value * 16 + length; 0 for any other text.
int64_t digitCode(QByteArrayView utf8)
{
    if (utf8.isEmpty() || utf8.size() > mostDigits)
        return 0;
    int64_t v = 0;
    for (char c : utf8) {
        if (c < '0' || c > '9')
            return 0;
        v = v * 10 + (c - '0');
    }
    return v * 16 + utf8.size();
}
} // namespace

void RepeatedTextStore::appendText(QByteArrayView utf8)
{
    if (const int64_t digits = digitCode(utf8)) {
        codes_.push_back(digits);
        return;
    }
    if (last_ > 0 && distinct(last_) == utf8) {
        codes_.push_back(-last_);
        return;
    }
    // The table stays at most half full.
    if (starts_.size() * 2 > slots_.size())
        grow();
    int64_t code = find(utf8, qHash(utf8));
    if (code < 0) {
        const size_t slot = size_t(-code - 1);
        bytes_.append(utf8.data(), size_t(utf8.size()));
        starts_.push_back(bytes_.size());
        code = int64_t(starts_.size() - 1);
        slots_[slot] = uint32_t(code);
    }
    codes_.push_back(-code);
    last_ = code;
}

QByteArrayView RepeatedTextStore::utf8(qsizetype row) const
{
    const int64_t code = codes_[size_t(row)];
    if (code <= 0)
        return code == 0 ? QByteArrayView() : distinct(-code);
    const int length = int(code & 15);
    int64_t v = code >> 4;
    for (int i = length - 1; i >= 0; --i, v /= 10)
        made_[i] = char('0' + v % 10);
    return QByteArrayView(made_, length);
}

void RepeatedTextStore::shrink()
{
    codes_.shrink();
    shrinkLarge(bytes_);
    shrinkLarge(starts_);
}

// HundredthsStore

void HundredthsStore::appendText(QByteArrayView utf8)
{
    if (utf8.isEmpty()) {
        cells_.push_back(empty);
        return;
    }
    texts_.emplace(qsizetype(cells_.size()), utf8.toByteArray());
    cells_.push_back(otherText);
}

void HundredthsStore::appendHundredths(int64_t hundredths)
{
    cells_.push_back(hundredths < 0 ? hundredths : hundredths + 3);
}

QByteArrayView HundredthsStore::utf8(qsizetype row) const
{
    const int64_t c = cells_[size_t(row)];
    if (c == null || c == empty)
        return {};
    if (c == otherText)
        return texts_.at(row);
    return numeros::numeralCentesimas(c < 0 ? c : c - 3, made_);
}
