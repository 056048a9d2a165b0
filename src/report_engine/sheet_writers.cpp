#include "sheet_writers.h"

#include "quendra_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <xlsxwriter.h>

namespace {

QuendraError cannotWrite(const QString &path, const QString &why)
{
    return QuendraError(
        QuendraError::ErrorDeInforme,
        QStringLiteral("No se pudo escribir el archivo %1 (%2)").arg(QDir::toNativeSeparators(path), why));
}

// Two decimals as digits: "-12.50" with the given decimal mark.
void appendTwoDecimals(QByteArray &out, double value, char mark)
{
    if (!(std::fabs(value) < 9e15)) {
        QByteArray t = QByteArray::number(value, 'f', 2);
        t.replace('.', mark);
        out += t;
        return;
    }
    const long long cents = std::llround(value * 100);
    unsigned long long a =
        cents < 0 ? 0ULL - static_cast<unsigned long long>(cents) : static_cast<unsigned long long>(cents);
    char buf[32];
    char *end = buf + sizeof buf, *p = end;
    *--p = char('0' + a % 10);
    a /= 10;
    *--p = char('0' + a % 10);
    a /= 10;
    *--p = mark;
    do
        *--p = char('0' + a % 10);
    while (a /= 10);
    if (cents < 0)
        *--p = '-';
    out.append(p, end - p);
}

class XlsxWriter : public SheetWriter
{
public:
    XlsxWriter(const QString &path, const QString &sheetName) : path_(path)
    {
        // The workbook is written beside its place, then renamed over it.
        temporary_.setFileTemplate(QFileInfo(path).absoluteDir().filePath(QStringLiteral(".quendra-XXXXXX.xlsx")));
        if (!temporary_.open())
            throw cannotWrite(path, temporary_.errorString());
        temporary_.close();
        // Made private to this user; the finished file gets the usual permissions.
        temporary_.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        tmpdir_ = QDir::tempPath().toLocal8Bit();
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = tmpdir_.data();
        options.use_zip64 = LXW_TRUE;
        book_ = workbook_new_opt(QFile::encodeName(temporary_.fileName()).constData(), &options);
        if (!book_)
            throw cannotWrite(path, QStringLiteral("no se pudo crear el libro"));
        sheet_ = workbook_add_worksheet(book_, sheetName.toUtf8().constData());
        header_ = workbook_add_format(book_);
        format_set_bold(header_);
        number_ = workbook_add_format(book_);
        format_set_num_format(number_, "0.00");
        date_ = workbook_add_format(book_);
        format_set_num_format(date_, "dd-mm-yyyy");
        if (!sheet_)
            throw cannotWrite(path, QStringLiteral("no se pudo crear la hoja"));
    }
    ~XlsxWriter() override
    {
        if (book_)
            lxw_workbook_free(book_);
    }

    void setColumnWidth(int column, int twips) override
    {
        // A character of the sheet's default face is about 105 twips wide.
        worksheet_set_column(sheet_, lxw_col_t(column), lxw_col_t(column), std::max(4.0, twips / 105.0), nullptr);
    }
    void headerCell(const QString &caption) override
    {
        check(worksheet_write_string(sheet_, row_, col_++, caption.toUtf8().constData(), header_));
    }
    void empty() override { ++col_; }
    void text(QByteArrayView utf8) override
    {
        buffer_.assign(utf8.data(), size_t(utf8.size()));
        check(worksheet_write_string(sheet_, row_, col_++, buffer_.c_str(), nullptr));
    }
    void number(double value) override { check(worksheet_write_number(sheet_, row_, col_++, value, number_)); }
    void date(int year, int month, int day) override
    {
        // The sheet's calendar starts in 1900; an earlier day stays a text.
        if (year < 1900) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", day, month, year);
            text(buf);
            return;
        }
        lxw_datetime d{year, month, day, 0, 0, 0};
        check(worksheet_write_datetime(sheet_, row_, col_++, &d, date_));
    }
    void endRow() override
    {
        col_ = 0;
        if (++row_ >= LXW_ROW_MAX)
            throw QuendraError(QuendraError::ErrorDeInforme,
                               QStringLiteral("El informe tiene más filas de las %1 que admite una planilla .xlsx; "
                                              "acote los filtros o expórtelo como .csv")
                                   .arg(LXW_ROW_MAX - 1));
    }
    void commit() override
    {
        lxw_error rc = workbook_close(book_);
        book_ = nullptr;
        if (rc != LXW_NO_ERROR)
            throw cannotWrite(path_, QString::fromUtf8(lxw_strerror(rc)));
        if (std::rename(QFile::encodeName(temporary_.fileName()).constData(), QFile::encodeName(path_).constData())
            != 0)
            throw cannotWrite(path_, QString::fromLocal8Bit(std::strerror(errno)));
    }

private:
    void check(lxw_error rc)
    {
        if (rc != LXW_NO_ERROR)
            throw cannotWrite(path_, QString::fromUtf8(lxw_strerror(rc)));
    }

    QString path_;
    QTemporaryFile temporary_;
    QByteArray tmpdir_;
    lxw_workbook *book_ = nullptr;
    lxw_worksheet *sheet_ = nullptr;
    lxw_format *header_ = nullptr, *number_ = nullptr, *date_ = nullptr;
    lxw_row_t row_ = 0;
    lxw_col_t col_ = 0;
    std::string buffer_;
};

class CsvWriter : public SheetWriter
{
public:
    explicit CsvWriter(const QString &path) : file_(path)
    {
        if (!file_.open(QIODevice::WriteOnly))
            throw cannotWrite(path, file_.errorString());
        out_ = QByteArray("\xEF\xBB\xBF");
    }
    ~CsvWriter() override
    {
        if (file_.isOpen())
            file_.cancelWriting();
    }

    void setColumnWidth(int, int) override { }
    void headerCell(const QString &caption) override { text(caption.toUtf8()); }
    void empty() override { separate(); }
    void text(QByteArrayView utf8) override
    {
        separate();
        out_ += '"';
        for (char c : utf8) {
            if (c == '"')
                out_ += '"';
            out_ += c;
        }
        out_ += '"';
    }
    void number(double value) override
    {
        separate();
        appendTwoDecimals(out_, value, ',');
    }
    void date(int year, int month, int day) override
    {
        separate();
        char buf[32];
        out_.append(buf, std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", day, month, year));
    }
    void endRow() override
    {
        out_ += "\r\n";
        first_ = true;
        if (out_.size() >= (1 << 20))
            flush();
    }
    void commit() override
    {
        flush();
        if (!file_.commit())
            throw cannotWrite(file_.fileName(), file_.errorString());
    }

private:
    void separate()
    {
        if (!first_)
            out_ += ';';
        first_ = false;
    }
    void flush()
    {
        if (file_.write(out_) != out_.size())
            throw cannotWrite(file_.fileName(), file_.errorString());
        out_.clear();
    }

    QSaveFile file_;
    QByteArray out_;
    bool first_ = true;
};

} // namespace

std::unique_ptr<SheetWriter> xlsxSheetWriter(const QString &path, const QString &sheetName)
{
    return std::make_unique<XlsxWriter>(path, sheetName);
}

std::unique_ptr<SheetWriter> csvSheetWriter(const QString &path)
{
    return std::make_unique<CsvWriter>(path);
}
