#pragma once

#include <QByteArrayView>
#include <QString>
#include <memory>

// Where the rows of a report's sheet go, cell by cell, row by row. Each writer
// fills a file under a temporary name; commit gives it its own name, and a
// writer dropped without commit leaves nothing behind.
class SheetWriter
{
public:
    virtual ~SheetWriter() = default;
    // The sheet's column widths, in twips of the report's boxes; before any row.
    virtual void setColumnWidth(int column, int twips) = 0;
    virtual void headerCell(const QString &caption) = 0;
    virtual void empty() = 0;
    virtual void text(QByteArrayView utf8) = 0;
    // Already rounded to two decimals.
    virtual void number(double value) = 0;
    virtual void date(int year, int month, int day) = 0;
    virtual void endRow() = 0;
    virtual void commit() = 0;
};

// A workbook of one sheet, written row by row in constant memory. Throws
// QuendraError when the rows do not fit in a sheet.
std::unique_ptr<SheetWriter> xlsxSheetWriter(const QString &path, const QString &sheetName);
// UTF-8 with a BOM, ";" between cells, "," as the decimal mark, texts quoted.
std::unique_ptr<SheetWriter> csvSheetWriter(const QString &path);
