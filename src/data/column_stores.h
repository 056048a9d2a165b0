#pragma once

#include "numbers.h"
#include "packed_integers.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QVariant>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// How one column of a recordset keeps its cells. A query result keeps every
// value as it came (numbers, dates, texts); the report's rows keep texts that
// repeat once and amounts as counts of hundredths, and make their texts only
// when they are read, so that millions of rows stay small.
class ColumnStore
{
public:
    enum class Kind { Values, RepeatedTexts, Hundredths };
    static std::unique_ptr<ColumnStore> make(Kind kind);

    virtual ~ColumnStore() = default;

    virtual void appendNull() = 0;
    virtual void appendText(QByteArrayView utf8) = 0;
    // A store of texts keeps the text form of a number or a date.
    virtual void appendInteger(int64_t v);
    virtual void appendReal(double v);
    virtual void appendDate(const QDate &d);
    virtual void appendHundredths(int64_t hundredths);

    virtual bool isNull(qsizetype row) const = 0;
    // A store of texts gives its values as texts.
    virtual QVariant value(qsizetype row) const;
    // The cell as the program shows it (textUtf8 made a QString); null for a null cell.
    QString text(qsizetype row) const;
    // The UTF-8 bytes of a text cell without making a QString; empty for null,
    // for an empty text and for a value that is no text. A store that makes its
    // texts when read keeps the bytes until the next call on the same column.
    virtual QByteArrayView utf8(qsizetype row) const = 0;
    // The text of any cell as UTF-8: numbers and dates are written into `room`, the view pointing there.
    static constexpr int textRoom = numeros::largoNumeral;
    virtual QByteArrayView textUtf8(qsizetype row, char (&room)[textRoom]) const;

    // Room for `rows` cells, the bytes of variable cells sized after the first
    // `rowsSoFar`.
    virtual void reserve(qsizetype rows, qsizetype rowsSoFar) = 0;
    // Gives back the room a large column did not use.
    virtual void shrink() = 0;
};

// Bytes appended a few at a time, a million times: a short copy is done in
// place rather than by a library call each.
class AppendedBytes
{
public:
    using value_type = char;
    void append(const char *p, size_t n)
    {
        if (capacity_ - size_ < n)
            reserve(std::max(capacity_ * 2, size_ + n + 64));
        copy(data_.get() + size_, p, n);
        size_ += n;
    }
    const char *data() const { return data_.get(); }
    size_t size() const { return size_; }
    size_t capacity() const { return capacity_; }
    void reserve(size_t n);
    void shrink_to_fit();

private:
    static void copy(char *d, const char *s, size_t n);

    std::unique_ptr<char[]> data_;
    size_t size_ = 0, capacity_ = 0;
};

// Every value as it came: a kind tag per cell and the value's bytes.
class ValueStore final : public ColumnStore
{
public:
    ValueStore() { starts_.push_back(0); }
    void appendNull() override;
    void appendText(QByteArrayView utf8) override;
    void appendInteger(int64_t v) override;
    void appendReal(double v) override;
    void appendDate(const QDate &d) override;
    bool isNull(qsizetype row) const override;
    QVariant value(qsizetype row) const override;
    QByteArrayView utf8(qsizetype row) const override;
    QByteArrayView textUtf8(qsizetype row, char (&room)[textRoom]) const override;
    void reserve(qsizetype rows, qsizetype rowsSoFar) override;
    void shrink() override;

private:
    enum class Tag : uint8_t { Null, Integer, Real, Text, Date };
    void append(Tag t, const void *data, size_t n);
    const char *at(qsizetype row) const { return bytes_.data() + starts_[size_t(row)]; }

    std::vector<Tag> tags_;
    std::vector<uint64_t> starts_; // byte offset of each cell; one more than the cells
    AppendedBytes bytes_;
};

// Each distinct text once, a cell being the number of its text. A text of 1 to
// 15 digits alone (a code: a voucher, an article) needs no table: its cell is
// its value and its length, so the digits come back as they went in, leading
// zeros too.
class RepeatedTextStore final : public ColumnStore
{
public:
    static constexpr int mostDigits = 15;

    RepeatedTextStore() { starts_.push_back(0); }
    void appendNull() override { codes_.push_back(0); }
    void appendText(QByteArrayView utf8) override;
    bool isNull(qsizetype row) const override { return codes_[size_t(row)] == 0; }
    QByteArrayView utf8(qsizetype row) const override;
    void reserve(qsizetype rows, qsizetype) override { codes_.reserve(size_t(rows)); }
    void shrink() override;

private:
    QByteArrayView distinct(int64_t code) const;
    int64_t find(QByteArrayView utf8, size_t hash) const;
    void grow();

    // 0 null; above 0 a code of digits, value * 16 + length; below 0 the
    // negated number of a distinct text, from 1.
    PackedIntegers codes_;
    std::string bytes_;             // the distinct texts, one after another
    std::vector<uint64_t> starts_;  // where each begins; one more than the texts
    std::vector<uint32_t> slots_;   // open-addressed table of codes; 0 is free
    int64_t last_ = 0;              // the distinct text given last: rows of one article repeat it
    mutable char made_[mostDigits]; // the digits utf8 wrote last
};

// Amounts as a count of hundredths, written as a plain numeral when read: 12.5,
// -3. A text cell (an empty one, or a figure too large for a count) is kept as
// given.
class HundredthsStore final : public ColumnStore
{
public:
    void appendNull() override { cells_.push_back(null); }
    void appendText(QByteArrayView utf8) override;
    void appendHundredths(int64_t hundredths) override;
    bool isNull(qsizetype row) const override { return cells_[size_t(row)] == null; }
    QByteArrayView utf8(qsizetype row) const override;
    void reserve(qsizetype rows, qsizetype) override { cells_.reserve(size_t(rows)); }
    void shrink() override { cells_.shrink(); }

private:
    // Counts of zero and up are kept three higher, to leave room for these.
    static constexpr int64_t null = 0, empty = 1, otherText = 2;

    PackedIntegers cells_;
    std::unordered_map<qsizetype, QByteArray> texts_; // the other texts, by row
    mutable char made_[32];                           // the numeral utf8 wrote last
};
