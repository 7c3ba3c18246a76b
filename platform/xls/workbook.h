#pragma once
// Writes Excel 97-2003 (BIFF8) workbooks: an OLE2 compound file holding the
// Workbook stream, one sheet, Unicode text and numbers.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace xls {

// One cell per value: a number (int, double), a date/time (written as a
// number formatted as a date), text, or nothing (a null QVariant leaves the cell empty).
using Row = std::vector<QVariant>;

struct Sheet {
    QString name;               // "data", "Sheet1"
    QStringList headers;        // first row; empty: no header row
    std::vector<Row> rows;
};

// Replaces the file at `path`; false with `error` set when it cannot be written.
bool writeWorkbook(const QString& path, const Sheet& sheet, QString* error = nullptr);

} // namespace xls
