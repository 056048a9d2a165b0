#pragma once

#include "report_layout.h"
#include "report_pages.h"

#include <functional>
#include <memory>

class Recordset;

// One report layout in use: its layout, the data source bound to it and the
// pages of its last refresh. Forms drive it in this order: take the instance from
// ReportRegistry; setDataSource(nullptr), setDataMember(""), setDataSource(rows);
// bind the text boxes and set captions through section(...).control(...); set
// heights and page measures; refresh(); then show the preview or print
// (report_output.h).
//
// The three page measures the forms set, in order, are the left margin, the top
// margin and the right margin: each report sets the two side margins (the first
// and the third) so that its width fits the paper, and the ticket sets all three
// to 1 twip. The bottom margin keeps the layout's 1440 twips.
class Report
{
public:
    explicit Report(ReportLayout layout);
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    ReportLayout &layout() { return layout_; }
    const ReportLayout &layout() const { return layout_; }
    ReportSection &section(const QString &name) { return layout_.section(name); }

    // The report keeps the rows it is given (a query result or a recordset built
    // in memory; the std::unique_ptr of abrirConsulta converts) until the next
    // source is set; nullptr sets none and releases them.
    void setDataSource(std::shared_ptr<const Recordset> source);
    const std::shared_ptr<const Recordset> &dataSource() const { return source_; }
    void setDataMember(const QString &member) { dataMember_ = member; }
    const QString &dataMember() const { return dataMember_; }

    // The page measures, in the order the forms give them (see above).
    void setLeftMargin(int twips) { layout_.setLeftMargin(twips); }
    void setTopMargin(int twips) { layout_.setTopMargin(twips); }
    void setRightMargin(int twips) { layout_.setRightMargin(twips); }

    // Binds and paginates what is set now. On an error the pages of the previous
    // refresh are dropped, so nothing half built is shown or printed.
    void refresh();
    // The pages of the last refresh; null before the first one or after the data
    // source changed.
    std::shared_ptr<const ReportPages> pages() const { return pages_; }

private:
    ReportLayout layout_;
    std::shared_ptr<const Recordset> source_;
    QString dataMember_;
    std::shared_ptr<const ReportPages> pages_;
};

// One Report per layout name, made by its factory on first use and kept for the
// life of the process.
class ReportRegistry
{
public:
    using LayoutFactory = std::function<ReportLayout()>;
    static Report &instance(const QString &layoutName, const LayoutFactory &makeLayout);
};
