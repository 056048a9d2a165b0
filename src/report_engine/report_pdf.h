#pragma once

#include <QString>
#include <functional>

class QPagedPaintDevice;
class ReportPages;

// Called after each page; false cancels the job.
using PageProgress = std::function<bool(int pagesDone, int pagesTotal)>;

// Paints pages first..last (counting from 1; last 0 means the last page) onto a
// printer or PDF writer, one sheet each, on the report's paper; a printer must be
// in full-page mode, so that the painter's origin is the paper's corner.
// Throws QuendraError when the device cannot be opened or the range is not in
// the report; returns false when the progress callback cancelled.
bool paintPageRange(const ReportPages &pages, QPagedPaintDevice &device, int first = 1, int last = 0,
                    const PageProgress &progress = {});

// Writes pages first..last to a PDF file. The file is replaced only when it was
// written whole: a failure throws QuendraError and a cancel returns false, and in
// both cases what was there before stays.
bool writeReportPdf(const ReportPages &pages, const QString &path, int first = 1, int last = 0,
                    const PageProgress &progress = {});
