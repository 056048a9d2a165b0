#include "report_pages.h"
#include "barcode_painting.h"

#include "quendra_error.h"
#include "recordset.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double twipsPerInch = 1440.0;
// Sizes are in doubles; this keeps 5760 / 1440 from counting as 3.999... rows.
constexpr double slack = 1e-6;
// Lines and frames print 0.75 point wide.
constexpr double penTwips = 15.0;

// Arial is asked for first; where it is not installed Liberation Sans, which has
// the same metrics, stands in for it.
QFont fontFor(const TextStyle &style)
{
    QFont font;
    font.setFamilies({style.family, QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    // The painter works in twips, so a point is 20 units.
    font.setPixelSize(std::max(1, int(std::lround(style.points * 20))));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// "%p" becomes the page number and "%P" the page count; other text stays as written.
QString withPageNumbers(const QString &caption, int page, int pageCount)
{
    if (!caption.contains(QLatin1Char('%')))
        return caption;
    QString out;
    out.reserve(caption.size() + 8);
    for (qsizetype i = 0; i < caption.size(); ++i) {
        QChar c = caption[i];
        if (c == QLatin1Char('%') && i + 1 < caption.size()) {
            QChar code = caption[i + 1];
            if (code == QLatin1Char('p') || code == QLatin1Char('P')) {
                out += QString::number(code == QLatin1Char('p') ? page : pageCount);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// A line a little wider than its box (a date in a narrow column, a large page
// count) is condensed to fit rather than losing characters; one that would need
// more than this is condensed this much and cut at the box's edge.
constexpr double narrowestCondensing = 0.75;

// One line of text in its box: condensed when it is wider than the box.
void drawSingleLine(QPainter &painter, const QRectF &box, const QString &text, const QFont &font, double lineHeight,
                    Qt::Alignment alignment)
{
    QTextLayout layout(text, font);
    layout.setTextOption(QTextOption(Qt::AlignLeft));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    const double natural = line.naturalTextWidth();
    const double factor = natural > box.width() ? std::max(narrowestCondensing, box.width() / natural) : 1.0;
    const double width = natural * factor;
    double x = box.left();
    if (alignment & Qt::AlignRight)
        x = box.right() - width;
    else if (alignment & Qt::AlignHCenter)
        x = box.left() + (box.width() - width) / 2;
    if (factor == 1.0) {
        layout.draw(&painter, QPointF(x, box.top()));
        return;
    }
    const bool cut = width > box.width() + slack;
    painter.save();
    if (cut)
        painter.setClipRect(QRectF(box.left(), box.top(), box.width(), std::max(box.height(), lineHeight)),
                            Qt::IntersectClip);
    painter.translate(std::max(x, box.left()), box.top());
    painter.scale(factor, 1.0);
    layout.draw(&painter, QPointF(0, 0));
    painter.restore();
}

// Text wraps at word boundaries inside its box and only the lines the box has
// height for print (at least the first), so a long text never runs into the
// next row; a box one line high keeps its text on that line.
void drawBoxText(QPainter &painter, const QRectF &box, const QString &text, const QFont &font, double lineHeight,
                 Qt::Alignment alignment)
{
    const int maxLines = std::max(1, int(std::floor(box.height() / lineHeight + slack)));
    if (maxLines == 1) {
        drawSingleLine(painter, box, text, font, lineHeight, alignment);
        return;
    }
    QTextLayout layout(text, font);
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (int n = 0; n < maxLines; ++n) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0, n * lineHeight));
    }
    layout.endLayout();
    layout.draw(&painter, box.topLeft());
}

} // namespace

ReportPages::ReportPages(const ReportLayout &layout, std::shared_ptr<const Recordset> source, const QString &dataMember)
    : layout_(layout), source_(std::move(source)), rows_(source_ ? source_->rowCount() : 0)
{
    bindTextBoxes(dataMember);
    paginate();
}

void ReportPages::bindTextBoxes(const QString &dataMember)
{
    auto unknownMember = [](const QString &member) {
        return QuendraError(QuendraError::NombreDesconocido,
                            QStringLiteral("El origen de datos no tiene el miembro %1").arg(member));
    };
    if (!dataMember.isEmpty())
        throw unknownMember(dataMember);
    for (const ReportSection &section : layout_.sections()) {
        for (const ReportControl &control : section.controls()) {
            if (!control.isBound())
                continue;
            if (!control.dataMember().isEmpty())
                throw unknownMember(control.dataMember());
            // Without a data source there are no rows, and nothing to check a column against.
            if (control.dataField().isEmpty() || !source_)
                continue;
            int column = source_->indexOf(control.dataField());
            if (column < 0)
                throw QuendraError(QuendraError::NombreDesconocido,
                                   QStringLiteral("El origen de datos no tiene la columna %1 (control %2)")
                                       .arg(control.dataField(), control.name()));
            columns_.insert(&control, column);
        }
    }
    const ReportSection *detail = layout_.sectionOfKind(SectionKind::Detail);
    if (detail && !detail->styleField().isEmpty() && source_) {
        styleColumn_ = source_->indexOf(detail->styleField());
        if (styleColumn_ < 0)
            throw QuendraError(QuendraError::NombreDesconocido,
                               QStringLiteral("El origen de datos no tiene la columna %1 (estilo de %2)")
                                   .arg(detail->styleField(), detail->name()));
    }
}

double ReportPages::height(SectionKind kind) const
{
    const ReportSection *s = layout_.sectionOfKind(kind);
    return s ? s->height() : 0.0;
}

void ReportPages::paginate()
{
    QSizeF inches = layout_.pageSize().size(QPageSize::Inch);
    paper_ = inches * twipsPerInch;
    origin_ = QPointF(layout_.leftMargin(), layout_.topMargin());

    double printableWidth = paper_.width() - layout_.leftMargin() - layout_.rightMargin();
    double printableHeight = paper_.height() - layout_.topMargin() - layout_.bottomMargin();
    if (printableWidth <= 0 || printableHeight <= 0)
        throw QuendraError(
            QuendraError::ErrorDeInforme,
            QStringLiteral("Los márgenes del informe %1 no dejan lugar en la página").arg(layout_.name()));
    // A layout wider than the printable width is shrunk whole, never cut.
    int contentWidth = layout_.contentWidth();
    scale_ = contentWidth > printableWidth ? printableWidth / contentWidth : 1.0;
    usable_ = printableHeight / scale_;

    const double reportHeader = height(SectionKind::ReportHeader);
    const double pageHeader = height(SectionKind::PageHeader);
    const double detail = height(SectionKind::Detail);
    const double pageFooter = height(SectionKind::PageFooter);
    const double reportFooter = height(SectionKind::ReportFooter);

    const double firstBody = usable_ - reportHeader - pageHeader - pageFooter;
    const double otherBody = usable_ - pageHeader - pageFooter;
    auto doesNotFit = [this](const QString &what) {
        return QuendraError(QuendraError::ErrorDeInforme,
                            QStringLiteral("%1 del informe %2 no cabe en la página").arg(what, layout_.name()));
    };
    if (firstBody < -slack || otherBody < -slack)
        throw doesNotFit(QStringLiteral("El encabezado con el pie de página"));

    const int columns = layout_.columns();
    if (rows_ > 0 && detail > 0) {
        firstPageRows_ = columns * qsizetype(std::floor(std::max(0.0, firstBody) / detail + slack));
        otherPageRows_ = columns * qsizetype(std::floor(otherBody / detail + slack));
        if (otherPageRows_ < 1)
            throw doesNotFit(QStringLiteral("El detalle"));
    } else {
        firstPageRows_ = rows_;
        otherPageRows_ = 1;
    }

    if (rows_ <= firstPageRows_)
        pageCount_ = 1;
    else {
        qsizetype pages = 1 + (rows_ - firstPageRows_ + otherPageRows_ - 1) / otherPageRows_;
        if (pages >= std::numeric_limits<int>::max())
            throw QuendraError(QuendraError::ErrorDeInforme,
                               QStringLiteral("El informe %1 tiene demasiadas páginas").arg(layout_.name()));
        pageCount_ = int(pages);
    }

    if (reportFooter > 0) {
        if (reportFooter > otherBody + slack)
            throw doesNotFit(QStringLiteral("El pie del informe"));
        const qsizetype lines = (rowsOnPage(pageCount_) + columns - 1) / columns;
        double used = (pageCount_ == 1 ? reportHeader : 0.0) + pageHeader + double(lines) * detail;
        if (used + reportFooter > usable_ - pageFooter + slack)
            ++pageCount_;
    }
}

void ReportPages::checkPage(int page) const
{
    if (page < 1 || page > pageCount_)
        throw QuendraError(QuendraError::ValorFueraDeRango,
                           QStringLiteral("El informe %1 no tiene la página %2").arg(layout_.name()).arg(page));
}

qsizetype ReportPages::firstRow(int page) const
{
    if (page <= 1)
        return 0;
    return std::min(rows_, firstPageRows_ + qsizetype(page - 2) * otherPageRows_);
}

qsizetype ReportPages::rowsOnPage(int page) const
{
    qsizetype capacity = page == 1 ? firstPageRows_ : otherPageRows_;
    return std::clamp(rows_ - firstRow(page), qsizetype(0), capacity);
}

std::vector<SectionOnPage> ReportPages::sectionsOnPage(int page) const
{
    checkPage(page);
    const qsizetype first = firstRow(page);
    const qsizetype count = rowsOnPage(page);
    // Headers print the page's first row and footers its last (or the last row
    // printed before it, on a page that holds only the report footer).
    const qsizetype headerRow = count > 0 ? first : -1;
    const qsizetype footerRow = first + count - 1;

    std::vector<SectionOnPage> placed;
    placed.reserve(size_t(count) + 4);
    double y = 0;
    auto place = [&](SectionKind kind, qsizetype row) {
        if (const ReportSection *s = layout_.sectionOfKind(kind)) {
            placed.push_back({s, y, row, 0});
            y += s->height();
        }
    };
    if (page == 1)
        place(SectionKind::ReportHeader, rows_ > 0 ? 0 : -1);
    place(SectionKind::PageHeader, headerRow);
    if (const ReportSection *detail = layout_.sectionOfKind(SectionKind::Detail)) {
        const int columns = layout_.columns();
        for (qsizetype i = 0; i < count; ++i)
            placed.push_back({detail, y + double(i / columns) * detail->height(), first + i,
                              double(i % columns) * layout_.reportWidth()});
        y += double((count + columns - 1) / columns) * detail->height();
    }
    if (page == pageCount_)
        place(SectionKind::ReportFooter, rows_ - 1);
    if (const ReportSection *footer = layout_.sectionOfKind(SectionKind::PageFooter))
        placed.push_back({footer, usable_ - footer->height(), footerRow, 0});
    return placed;
}

QString ReportPages::textOf(const ReportControl &control, int page, qsizetype row) const
{
    if (control.kind() == ControlKind::Label)
        return withPageNumbers(control.caption(), page, pageCount_);
    if (!control.isBound() || row < 0)
        return QString();
    auto column = columns_.constFind(&control);
    if (column == columns_.cend())
        return QString();
    QString text = source_->text(row, *column);
    bool number = false;
    double value = control.decimals() >= 0 && !text.isEmpty() ? text.toDouble(&number) : 0.0;
    if (!number)
        return text;
    // A value that rounds to nothing prints without a sign: never "-0.00".
    if (std::abs(value) < 0.5 * std::pow(10.0, -control.decimals()))
        value = 0.0;
    return QString::number(value, 'f', control.decimals());
}

std::vector<PageItem> ReportPages::itemsOnPage(int page) const
{
    // What a rule across a row is painted as.
    static const ReportControl rule(ControlKind::Line, QStringLiteral("regla"), QRect());
    std::vector<PageItem> items;
    for (const SectionOnPage &placed : sectionsOnPage(page)) {
        QString rowStyle;
        if (placed.section->kind() == SectionKind::Detail && styleColumn_ >= 0 && placed.row >= 0)
            rowStyle = source_->text(placed.row, styleColumn_);
        if (rowStyle.contains(QLatin1Char('R')))
            items.push_back({&rule, QRectF(0, placed.top, layout_.reportWidth(), 0), QString()});
        const bool boldRow = rowStyle.contains(QLatin1Char('N'));
        for (const ReportControl &control : placed.section->controls()) {
            QRectF rect(control.rect());
            rect.translate(placed.left, placed.top);
            QString text = textOf(control, page, placed.row);
            const bool bold = boldRow || (control.boldWhenNegative() && text.startsWith(QLatin1Char('-')));
            items.push_back({&control, rect, std::move(text), bold});
        }
    }
    return items;
}

void ReportPages::paintPage(int page, QPainter &painter) const
{
    const std::vector<PageItem> items = itemsOnPage(page);

    painter.save();
    painter.translate(origin_);
    painter.scale(scale_, scale_);
    QPen pen(Qt::black, penTwips);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    // A page uses a handful of styles; building a QFont per text would dominate.
    struct KnownFont
    {
        TextStyle style;
        QFont font;
        double lineHeight;
    };
    std::vector<KnownFont> fonts;
    auto fontOf = [&fonts](const TextStyle &style) -> const KnownFont & {
        for (const KnownFont &known : fonts)
            if (known.style.points == style.points && known.style.bold == style.bold
                && known.style.italic == style.italic && known.style.family == style.family)
                return known;
        QFont font = fontFor(style);
        fonts.push_back({style, font, QFontMetricsF(font).lineSpacing()});
        return fonts.back();
    };

    for (const PageItem &item : items) {
        const ReportControl &control = *item.control;
        const QRectF &r = item.rect;
        switch (control.kind()) {
        case ControlKind::Label:
        case ControlKind::TextBox:
            if (item.text.isEmpty())
                break;
            {
                TextStyle style = control.style();
                style.bold = style.bold || item.bold;
                const KnownFont &known = fontOf(style);
                drawBoxText(painter, r, item.text, known.font, known.lineHeight, control.alignment());
                break;
            }
        case ControlKind::Line:
            if (r.width() >= r.height())
                painter.drawLine(QPointF(r.left(), r.top()), QPointF(r.left() + r.width(), r.top()));
            else
                painter.drawLine(QPointF(r.left(), r.top()), QPointF(r.left(), r.top() + r.height()));
            break;
        case ControlKind::Rectangle:
            painter.drawRect(r);
            break;
        case ControlKind::Barcode:
            if (!item.text.isEmpty())
                paintBarcode(painter, r, item.text, fontOf(control.style()).font);
            break;
        }
    }
    painter.restore();
}
