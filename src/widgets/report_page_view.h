#pragma once

#include <QAbstractScrollArea>
#include <QList>
#include <memory>

class ReportPages;

// The pages of a report one under another, painted only where they show, so a
// report of any length opens at once and scrolls smoothly.
class ReportPageView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    enum class Zoom { FitWidth, FitPage, Actual };

    explicit ReportPageView(QWidget *parent = nullptr);

    void setPages(std::shared_ptr<const ReportPages> pages);
    void setZoom(Zoom zoom);
    Zoom zoom() const { return zoom_; }

    // The page under the upper part of the view.
    int currentPage() const;
    void goToPage(int page);
    // Pages that show in the view now: the only ones a repaint paints.
    QList<int> visiblePages() const;

signals:
    void currentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    double pixelsPerTwip() const;
    QSizeF pagePixels() const;
    double pageStride() const;
    void updateScrollBars();
    void reportCurrentPage();

    std::shared_ptr<const ReportPages> pages_;
    Zoom zoom_ = Zoom::FitWidth;
    int lastReportedPage_ = 0;
};
