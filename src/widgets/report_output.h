#pragma once

#include <QDir>
#include <QString>

class QPrinter;
class QWidget;
class Report;
class ReportPages;
class ReportPreview;

// Shows the report as last refreshed (refreshing it first when it has no pages)
// in its preview window and returns at once. A layout has one preview window:
// showing it again replaces what the open one shows and brings it to the front.
ReportPreview *showReportPreview(Report &report);

// Prints every page on the default printer, with no dialog. With no printer
// installed, or one that cannot be opened, it writes the PDF into the documents
// folder (Quendra/<title> <date-time>.pdf) and says so in a message that gives the
// path, which it also returns; after printing on paper, or when the operator
// cancels the job in its progress box, it returns "".
QString printReportNow(Report &report);

// Used by the preview window: print or write pages with a progress box that can
// cancel. Both return false when cancelled and throw QuendraError on a failure.
bool printPagesWithProgress(const ReportPages &pages, QPrinter &printer, int first, int last, QWidget *parent);
bool writePdfWithProgress(const ReportPages &pages, const QString &path, QWidget *parent);
// The report's data as a spreadsheet (.xlsx or .csv by the path's suffix).
bool writeSheetWithProgress(const ReportPages &pages, const QString &path, QWidget *parent);

// A title made safe as a file name ("Informe" when nothing is left of it).
QString fileNameForTitle(const QString &title);

// Each kind of export ("pdf", "planilla", "imagen") starts in the folder where
// the last one of its kind was saved, the first time in the documents folder.
QDir exportFolder(const QString &kind);
void rememberExportFolder(const QString &kind, const QString &file);
