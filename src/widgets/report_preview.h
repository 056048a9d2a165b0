#pragma once

#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QSpinBox;
class ReportPageView;
class ReportPages;

// The preview window of a report: a top-level window of its own with the
// report's title, page navigation, zoom, "Imprimir", "Exportar PDF" and
// "Exportar planilla" (the report's data as .xlsx or .csv). It holds
// the pages it shows, so it stays usable after the form that opened it closes.
class ReportPreview : public QWidget
{
    Q_OBJECT
public:
    explicit ReportPreview(std::shared_ptr<const ReportPages> pages);

    void setPages(std::shared_ptr<const ReportPages> pages);
    const std::shared_ptr<const ReportPages> &pages() const { return pages_; }
    ReportPageView *pageView() const { return view_; }

private:
    void printWithDialog();
    void exportPdf();
    void exportSheet();
    void showCurrentPage(int page);

    std::shared_ptr<const ReportPages> pages_;
    ReportPageView *view_;
    QSpinBox *page_;
    QLabel *pageCount_;
    QComboBox *zoom_;
};
