#include "report.h"

#include "recordset.h"

#include <map>

Report::Report(ReportLayout layout) : layout_(std::move(layout)) { }

void Report::setDataSource(std::shared_ptr<const Recordset> source)
{
    // The old pages hold the old rows; a preview still showing them keeps its own reference.
    pages_.reset();
    source_ = std::move(source);
}

void Report::refresh()
{
    pages_.reset();
    pages_ = std::make_shared<const ReportPages>(layout_, source_, dataMember_);
}

Report &ReportRegistry::instance(const QString &layoutName, const LayoutFactory &makeLayout)
{
    static std::map<QString, std::unique_ptr<Report>> reports;
    std::unique_ptr<Report> &slot = reports[layoutName.toLower()];
    if (!slot)
        slot = std::make_unique<Report>(makeLayout());
    return *slot;
}
