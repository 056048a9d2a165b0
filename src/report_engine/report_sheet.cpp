#include "report_sheet.h"

#include "numbers.h"
#include "quendra_error.h"
#include "recordset.h"
#include "report_pages.h"
#include "sheet_writers.h"
#include "type_codes.h"

#include <QDate>
#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

SheetKind kindOf(TipoCampo type, Qt::Alignment alignment)
{
    if (type == TipoCampo::Fecha)
        return SheetKind::Date;
    if (esNumerica(type) || (alignment & Qt::AlignRight))
        return SheetKind::Number;
    return SheetKind::Text;
}

// The column titles are the lowest row of labels of the page header; a box
// takes the one whose middle stands over it.
QString captionAbove(const ReportSection *header, const ReportControl &box)
{
    if (!header)
        return {};
    auto isTitle = [](const ReportControl &c) {
        return c.kind() == ControlKind::Label && !c.caption().trimmed().isEmpty()
               && !c.caption().contains(QLatin1String("%p"), Qt::CaseInsensitive);
    };
    int lowest = -1;
    for (const ReportControl &c : header->controls())
        if (isTitle(c))
            lowest = std::max(lowest, c.rect().top());
    const ReportControl *best = nullptr;
    const int middle = box.rect().center().x();
    for (const ReportControl &c : header->controls()) {
        // Titles of one row may stand a little higher or lower than each other.
        if (!isTitle(c) || c.rect().top() < lowest - 300)
            continue;
        const int x = c.rect().center().x();
        if (x < box.rect().left() || x > box.rect().right())
            continue;
        if (!best || std::abs(x - middle) < std::abs(best->rect().center().x() - middle))
            best = &c;
    }
    return best ? best->caption().trimmed() : QString();
}

// The value rounded to two decimals, halves to even on its decimal digits; a
// value that already has two decimals or fewer is taken as it is.
double twoDecimals(double v)
{
    if (std::fabs(v) < 1e9 && std::nearbyint(v * 100) / 100 == v)
        return v;
    return numeros::redondear(v, 2);
}

// A plain numeral as the reports write them: an optional minus, digits, at
// most one "." with digits after it.
bool plainNumeral(QByteArrayView t, double &value)
{
    qsizetype i = t.startsWith('-') ? 1 : 0, digits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9')
            ++digits;
        else if (t[i] == '.' && !point && digits > 0)
            point = true;
        else
            return false;
    }
    if (digits == 0 || t.endsWith('.'))
        return false;
    return std::from_chars(t.data(), t.data() + t.size(), value).ec == std::errc();
}

// dd-mm-yyyy, a possible day.
bool dateText(QByteArrayView t, int &year, int &month, int &day)
{
    if (t.size() != 10 || t[2] != '-' || t[5] != '-')
        return false;
    int v[8], n = 0;
    for (qsizetype i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (t[i] < '0' || t[i] > '9')
            return false;
        v[n++] = t[i] - '0';
    }
    day = v[0] * 10 + v[1];
    month = v[2] * 10 + v[3];
    year = v[4] * 1000 + v[5] * 100 + v[6] * 10 + v[7];
    return QDate::isValid(year, month, day);
}

void writeText(SheetWriter &w, QByteArrayView t, SheetKind kind)
{
    double number;
    int year, month, day;
    if (kind == SheetKind::Number && plainNumeral(t, number))
        w.number(twoDecimals(number));
    else if (kind != SheetKind::Number && dateText(t, year, month, day))
        w.date(year, month, day);
    else
        w.text(t);
}

void writeCell(SheetWriter &w, const Recordset &rs, qsizetype row, const SheetColumn &col)
{
    if (rs.isNull(row, col.column))
        return w.empty();
    if (QByteArrayView t = rs.utf8(row, col.column); !t.isEmpty())
        return writeText(w, t, col.kind);
    const QVariant v = rs.value(row, col.column);
    switch (v.typeId()) {
    case QMetaType::QString:
        return w.empty();
    case QMetaType::QDate: {
        int year, month, day;
        v.toDate().getDate(&year, &month, &day);
        return w.date(year, month, day);
    }
    default:
        return w.number(twoDecimals(v.toDouble()));
    }
}

// A row whose cells are empty or dashes, with at least one dash: a rule between groups.
bool onlyRules(const Recordset &rs, qsizetype row, const std::vector<SheetColumn> &columns)
{
    bool dashes = false;
    for (const SheetColumn &c : columns) {
        if (rs.isNull(row, c.column))
            continue;
        QByteArrayView t = rs.utf8(row, c.column);
        if (t.isEmpty() && rs.value(row, c.column).typeId() != QMetaType::QString)
            return false;
        for (char ch : t)
            if (ch != '-')
                return false;
        dashes = dashes || !t.isEmpty();
    }
    return dashes;
}

QString sheetNameFor(const QString &title)
{
    QString name;
    for (QChar c : title)
        if (!QStringLiteral("[]:*?/\\").contains(c))
            name += c;
    name = name.trimmed().left(31);
    return name.isEmpty() ? QStringLiteral("Informe") : name;
}

} // namespace

std::vector<SheetColumn> sheetColumns(const ReportPages &pages)
{
    const ReportSection *detail = pages.layout().sectionOfKind(SectionKind::Detail);
    const std::shared_ptr<const Recordset> &rs = pages.source();
    if (!detail || !rs)
        return {};
    std::vector<const ReportControl *> boxes;
    for (const ReportControl &c : detail->controls())
        if (c.kind() == ControlKind::TextBox && !c.dataField().isEmpty())
            boxes.push_back(&c);
    std::stable_sort(boxes.begin(), boxes.end(), [](const ReportControl *a, const ReportControl *b) {
        return a->rect().left() < b->rect().left();
    });
    const ReportSection *header = pages.layout().sectionOfKind(SectionKind::PageHeader);
    std::vector<SheetColumn> columns;
    for (const ReportControl *box : boxes) {
        const int column = rs->columnIndex(box->dataField());
        QString caption = captionAbove(header, *box);
        if (caption.isEmpty()) {
            caption = rs->name(column);
            caption = caption.left(1).toUpper() + caption.mid(1);
        }
        columns.push_back({caption, column, kindOf(rs->type(column), box->alignment()), box->rect().width()});
    }
    return columns;
}

SheetFormat sheetFormatFor(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0 ? SheetFormat::Csv
                                                                                            : SheetFormat::Xlsx;
}

bool writeReportSheet(const ReportPages &pages, const QString &path, const SheetProgress &progress)
{
    const std::vector<SheetColumn> columns = sheetColumns(pages);
    if (columns.empty())
        throw QuendraError(
            QuendraError::ErrorDeInforme,
            QStringLiteral("El informe %1 no tiene columnas de datos para una planilla").arg(pages.title()));
    std::unique_ptr<SheetWriter> w = sheetFormatFor(path) == SheetFormat::Csv
                                         ? csvSheetWriter(path)
                                         : xlsxSheetWriter(path, sheetNameFor(pages.title()));
    for (size_t i = 0; i < columns.size(); ++i)
        w->setColumnWidth(int(i), columns[i].widthTwips);
    for (const SheetColumn &c : columns)
        w->headerCell(c.caption);
    w->endRow();

    const Recordset &rs = *pages.source();
    const qsizetype total = pages.rowCount();
    for (qsizetype row = 0; row < total; ++row) {
        if ((row & 4095) == 0 && row > 0 && progress && !progress(row, total))
            return false;
        if (onlyRules(rs, row, columns))
            continue;
        for (const SheetColumn &c : columns)
            writeCell(*w, rs, row, c);
        w->endRow();
    }
    if (progress && !progress(total, total))
        return false;
    w->commit();
    return true;
}
