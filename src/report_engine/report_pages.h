#pragma once

#include "report_layout.h"

#include <QHash>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <memory>
#include <vector>

class QPainter;
class Recordset;

// A section placed on a page: its top in layout twips from the top of the
// printable area, the data row its text boxes print (-1 for none), and its
// left edge (a detail in a column after the first).
struct SectionOnPage
{
    const ReportSection *section;
    double top;
    qsizetype row;
    double left = 0;
};

// One thing painted on a page, in layout twips from the top-left corner of the
// printable area: a text (a label's caption with its page numbers filled in, or
// a text box's value, bold when its row or its value asks so), a line or a
// rectangle.
struct PageItem
{
    const ReportControl *control;
    QRectF rect;
    QString text;
    bool bold = false;
};

// A report bound to its data and cut into pages: a snapshot of the layout as it
// was at the refresh, holding its own reference to the data source, so a preview
// keeps showing what was refreshed whatever the form binds next. Details have a
// fixed height, so where a row falls is arithmetic and a million rows cost
// nothing beyond the recordset. The preview, the printer and PDF all paint
// through paintPage.
class ReportPages
{
public:
    // Binds the text boxes to the source's columns and paginates. Throws
    // QuendraError for a column or data member the source does not hold, and
    // when the sections leave no room for a row on the page.
    ReportPages(const ReportLayout &layout, std::shared_ptr<const Recordset> source, const QString &dataMember);
    ReportPages(const ReportPages &) = delete;
    ReportPages &operator=(const ReportPages &) = delete;

    const ReportLayout &layout() const { return layout_; }
    const QString &title() const { return layout_.title(); }
    qsizetype rowCount() const { return rows_; }
    // The rows bound at the refresh; null when none was set.
    const std::shared_ptr<const Recordset> &source() const { return source_; }
    int pageCount() const { return pageCount_; }

    // Paper geometry in twips. Layout twips are multiplied by scale() (at most 1,
    // less when the layout is wider than the printable width) and placed at origin().
    QSizeF paperSize() const { return paper_; }
    QPointF origin() const { return origin_; }
    double scale() const { return scale_; }
    // The printable height in layout twips; page footers end there.
    double printableHeight() const { return usable_; }

    // Pages count from 1.
    qsizetype firstRow(int page) const;
    qsizetype rowsOnPage(int page) const;
    std::vector<SectionOnPage> sectionsOnPage(int page) const;
    std::vector<PageItem> itemsOnPage(int page) const;

    // Paints one page. The painter's unit is one twip with the origin at the
    // paper's top-left corner; the caller scales it to its device.
    void paintPage(int page, QPainter &painter) const;

private:
    void checkPage(int page) const;
    void bindTextBoxes(const QString &dataMember);
    void paginate();
    QString textOf(const ReportControl &control, int page, qsizetype row) const;
    double height(SectionKind kind) const;

    ReportLayout layout_;
    std::shared_ptr<const Recordset> source_;
    QHash<const ReportControl *, int> columns_;
    int styleColumn_ = -1; // the detail's styleField in the source
    qsizetype rows_ = 0;
    QSizeF paper_;
    QPointF origin_;
    double scale_ = 1;
    double usable_ = 0;
    qsizetype firstPageRows_ = 0;
    qsizetype otherPageRows_ = 1;
    int pageCount_ = 1;
};
