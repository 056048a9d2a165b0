#pragma once

#include <QPageSize>
#include <QRect>
#include <QString>
#include <deque>

// A report layout is data: named sections holding named controls, every
// position in twips (1/1440 inch). Forms keep their layouts beside them and
// change captions, bound columns and heights at run time before a refresh.
// Section and control names match in any letter case ("detalle" finds
// "Detalle", "línea1" finds "Línea1"); an unknown name throws QuendraError.

enum class SectionKind { ReportHeader, PageHeader, Detail, PageFooter, ReportFooter };
// A barcode prints the code its row holds, in bars and the digits under them,
// bound to a column as a text box is.
enum class ControlKind { Label, TextBox, Line, Rectangle, Barcode };

struct TextStyle
{
    double points = 8.25;
    bool bold = false;
    bool italic = false;
    QString family = QStringLiteral("Arial");
};

class ReportControl
{
public:
    ReportControl(ControlKind kind, const QString &name, const QRect &twips);

    ControlKind kind() const { return kind_; }
    const QString &name() const { return name_; }
    // Left, top, width and height in twips from the section's top-left corner.
    const QRect &rect() const { return rect_; }
    Qt::Alignment alignment() const { return alignment_; }
    const TextStyle &style() const { return style_; }

    // Labels: the text printed; "%p" is the page number and "%P" the page count.
    const QString &caption() const { return caption_; }
    void setCaption(const QString &caption);

    // Text boxes and barcodes: the column of the data source printed on each row.
    bool isBound() const { return kind_ == ControlKind::TextBox || kind_ == ControlKind::Barcode; }
    const QString &dataMember() const { return dataMember_; }
    void setDataMember(const QString &member);
    const QString &dataField() const { return dataField_; }
    void setDataField(const QString &column);

    void setAlignment(Qt::Alignment alignment) { alignment_ = alignment & Qt::AlignHorizontal_Mask; }
    void setStyle(const TextStyle &style) { style_ = style; }

    // Text boxes: a number printed with this many decimals, so a column of
    // amounts lines up (-1, the default: as the data gives it).
    int decimals() const { return decimals_; }
    void setDecimals(int decimals) { decimals_ = decimals; }
    // Text boxes: a negative number printed bold, so it stands out.
    bool boldWhenNegative() const { return boldWhenNegative_; }
    void setBoldWhenNegative(bool bold) { boldWhenNegative_ = bold; }

private:
    void requireKind(ControlKind kind, const char *what) const;

    ControlKind kind_;
    QString name_;
    QRect rect_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    TextStyle style_;
    int decimals_ = -1;
    bool boldWhenNegative_ = false;
    QString caption_;
    QString dataMember_;
    QString dataField_;
};

class ReportSection
{
public:
    ReportSection(const QString &name, SectionKind kind, int heightTwips);

    const QString &name() const { return name_; }
    SectionKind kind() const { return kind_; }
    int height() const { return height_; }
    void setHeight(int twips);

    ReportControl &control(const QString &name);
    const ReportControl &control(const QString &name) const;
    const std::deque<ReportControl> &controls() const { return controls_; }

    // Building the layout. A line runs along the top edge of its rectangle when
    // it is at least as wide as high, else down its left edge.
    ReportControl &addLabel(const QString &name, const QRect &twips, const QString &caption,
                            Qt::Alignment alignment = Qt::AlignLeft, const TextStyle &style = {});
    ReportControl &addTextBox(const QString &name, const QRect &twips, Qt::Alignment alignment = Qt::AlignLeft,
                              const TextStyle &style = {});
    ReportControl &addLine(const QString &name, const QRect &twips);
    ReportControl &addRectangle(const QString &name, const QRect &twips);
    // The digits under the bars print in the style's face, sized to the bars.
    ReportControl &addBarcode(const QString &name, const QRect &twips, const TextStyle &style = {});

    // The detail: a column of the rows whose text marks a row apart, such as a
    // heading or a total. "N" prints the row's text boxes bold, "R" draws a rule
    // along its top across the report's width. Empty: every row alike.
    const QString &styleField() const { return styleField_; }
    void setStyleField(const QString &column) { styleField_ = column; }

private:
    ReportControl &add(ReportControl control);

    QString name_;
    SectionKind kind_;
    int height_;
    QString styleField_;
    std::deque<ReportControl> controls_;
};

class ReportLayout
{
public:
    static constexpr int defaultMargin = 1440;

    ReportLayout(const QString &name, const QString &title, int reportWidthTwips);

    const QString &name() const { return name_; }
    // The title of the preview window and of the PDF.
    const QString &title() const { return title_; }
    int reportWidth() const { return reportWidth_; }

    // Margins in twips from the paper's edges.
    int leftMargin() const { return left_; }
    int topMargin() const { return top_; }
    int rightMargin() const { return right_; }
    int bottomMargin() const { return bottom_; }
    void setLeftMargin(int twips);
    void setTopMargin(int twips);
    void setRightMargin(int twips);
    void setBottomMargin(int twips);

    const QPageSize &pageSize() const { return pageSize_; }
    void setPageSize(const QPageSize &size) { pageSize_ = size; }

    // Sections in printing order; at most one of each kind. Sections and controls
    // stay where they are while more are added, so references to them hold.
    ReportSection &addSection(const QString &name, SectionKind kind, int heightTwips);
    ReportSection &section(const QString &name);
    const ReportSection &section(const QString &name) const;
    const ReportSection *sectionOfKind(SectionKind kind) const;
    const std::deque<ReportSection> &sections() const { return sections_; }

    // The detail repeats across this many columns, each the report width wide,
    // rows filling a line of columns before the next (sheets of labels).
    int columns() const { return columns_; }
    void setColumns(int count);

    // The widest point reached: the report width (times the columns) or a control's right edge.
    int contentWidth() const;

private:
    QString name_;
    QString title_;
    int reportWidth_;
    int left_ = defaultMargin;
    int top_ = defaultMargin;
    int right_ = defaultMargin;
    int bottom_ = defaultMargin;
    int columns_ = 1;
    QPageSize pageSize_{QPageSize::A4};
    std::deque<ReportSection> sections_;
};
