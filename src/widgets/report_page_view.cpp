#include "report_page_view.h"

#include "report_pages.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {
// Grey space around and between the pages, in pixels.
constexpr int gap = 16;
constexpr double twipsPerInch = 1440.0;
} // namespace

ReportPageView::ReportPageView(QWidget *parent) : QAbstractScrollArea(parent)
{
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
}

void ReportPageView::setPages(std::shared_ptr<const ReportPages> pages)
{
    pages_ = std::move(pages);
    lastReportedPage_ = 0;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    viewport()->update();
    reportCurrentPage();
}

void ReportPageView::setZoom(Zoom zoom)
{
    int page = currentPage();
    zoom_ = zoom;
    updateScrollBars();
    goToPage(page);
    viewport()->update();
}

double ReportPageView::pixelsPerTwip() const
{
    const double actual = logicalDpiX() / twipsPerInch;
    if (!pages_ || zoom_ == Zoom::Actual)
        return actual;
    const QSizeF paper = pages_->paperSize();
    const double width = std::max(1, viewport()->width() - 2 * gap) / paper.width();
    if (zoom_ == Zoom::FitWidth)
        return width;
    return std::min(width, std::max(1, viewport()->height() - 2 * gap) / paper.height());
}

QSizeF ReportPageView::pagePixels() const
{
    return pages_ ? pages_->paperSize() * pixelsPerTwip() : QSizeF();
}

double ReportPageView::pageStride() const
{
    return pagePixels().height() + gap;
}

void ReportPageView::updateScrollBars()
{
    if (!pages_) {
        verticalScrollBar()->setRange(0, 0);
        horizontalScrollBar()->setRange(0, 0);
        return;
    }
    const QSizeF page = pagePixels();
    const double height = pages_->pageCount() * pageStride() + gap;
    const double width = page.width() + 2 * gap;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, int(std::min(double(INT_MAX), std::max(0.0, height - viewport()->height()))));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, int(std::max(0.0, std::ceil(width - viewport()->width()))));
}

int ReportPageView::currentPage() const
{
    if (!pages_)
        return 0;
    const double y = verticalScrollBar()->value() + viewport()->height() / 3.0;
    return std::clamp(int(std::floor((y - gap / 2.0) / pageStride())) + 1, 1, pages_->pageCount());
}

void ReportPageView::goToPage(int page)
{
    if (!pages_)
        return;
    page = std::clamp(page, 1, pages_->pageCount());
    verticalScrollBar()->setValue(int(std::lround((page - 1) * pageStride())));
    reportCurrentPage();
}

QList<int> ReportPageView::visiblePages() const
{
    QList<int> visible;
    if (!pages_)
        return visible;
    const double stride = pageStride();
    const double top = verticalScrollBar()->value();
    const double bottom = top + viewport()->height();
    int first = std::max(1, int(std::floor((top - gap) / stride)) + 1);
    for (int page = first; page <= pages_->pageCount(); ++page) {
        double pageTop = gap + (page - 1) * stride;
        if (pageTop >= bottom)
            break;
        if (pageTop + pagePixels().height() > top)
            visible.append(page);
    }
    return visible;
}

void ReportPageView::paintEvent(QPaintEvent *)
{
    if (!pages_)
        return;
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QSizeF page = pagePixels();
    const double scale = pixelsPerTwip();
    const double left = page.width() + 2 * gap <= viewport()->width() ? (viewport()->width() - page.width()) / 2
                                                                      : gap - horizontalScrollBar()->value();
    for (int n : visiblePages()) {
        const double top = gap + (n - 1) * pageStride() - verticalScrollBar()->value();
        const QRectF sheet(left, top, page.width(), page.height());
        painter.fillRect(sheet.translated(3, 3), QColor(0, 0, 0, 60));
        painter.fillRect(sheet, Qt::white);
        painter.save();
        painter.setClipRect(sheet);
        painter.translate(sheet.topLeft());
        painter.scale(scale, scale);
        pages_->paintPage(n, painter);
        painter.restore();
    }
}

void ReportPageView::resizeEvent(QResizeEvent *event)
{
    const int page = currentPage();
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    if (zoom_ != Zoom::Actual)
        goToPage(page);
}

void ReportPageView::scrollContentsBy(int, int)
{
    viewport()->update();
    reportCurrentPage();
}

void ReportPageView::reportCurrentPage()
{
    const int page = currentPage();
    if (page != lastReportedPage_) {
        lastReportedPage_ = page;
        emit currentPageChanged(page);
    }
}
