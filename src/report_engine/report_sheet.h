#pragma once

#include <QString>
#include <functional>
#include <vector>

class ReportPages;

// A report's data as a spreadsheet, from the text boxes of its detail section:
// one column per bound box, left to right, headed by the caption of the page
// header label above it; one row per detail row. Rows made of rules alone (the
// dashes that part one article from the next) are not data and are left out.
//
// What a column holds is read from the recordset's field type and the layout:
// number columns and right-aligned boxes give numbers with two decimals, date
// columns and texts written dd-mm-yyyy give dates, and every other text stays a
// text, so a code keeps its leading zeros.

enum class SheetKind { Text, Number, Date };

struct SheetColumn
{
    QString caption;
    int column; // in the report's recordset
    SheetKind kind;
    int widthTwips; // the box's width, for the sheet's column width
};

// The columns of the sheet, in the order the boxes stand on the detail line.
std::vector<SheetColumn> sheetColumns(const ReportPages &pages);

enum class SheetFormat { Xlsx, Csv };
// By the file's suffix: .csv is text, anything else a workbook.
SheetFormat sheetFormatFor(const QString &path);

// Told every few thousand rows how many of the total are done; false cancels.
using SheetProgress = std::function<bool(qsizetype rowsDone, qsizetype rowsTotal)>;

// Writes the sheet: a workbook (.xlsx, kept in constant memory, one sheet named
// after the report) or semicolon-separated UTF-8 text with a BOM and "," as the
// decimal mark (.csv). The file is written under a temporary name and takes its
// own only when whole: a failure throws QuendraError and a cancel returns false,
// and in both cases what was there before stays.
bool writeReportSheet(const ReportPages &pages, const QString &path, const SheetProgress &progress = {});
