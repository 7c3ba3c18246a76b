#pragma once
// The export of the three report windows: a report's rows go into a new
// workbook in the temporary folder, one sheet, no header row, and the
// workbook opens on the desktop.
#include "platform/db/variant.h"
#include "platform/xls/workbook.h"

#include <QString>
#include <functional>
#include <optional>
#include <set>
#include <vector>

namespace reportexport {

using Rows = std::vector<xls::Row>;

struct Query {
    QString sql;
    // Columns (0-based) that hold sums of amounts: written as the exact
    // four-decimal sum, whatever noise the engine's sum carries.
    std::set<int> amountSums;
};

// The largest number of rows a sheet of the workbook format holds.
inline constexpr int kMaxSheetRows = 65536;

// A result longer than a sheet, refused before anything is converted.
struct TooManyRows {
    int count;
};

// A cell holding a sum, or an empty cell.
QVariant number(const std::optional<db::Currency>& sum);

// The query's rows on a connection of its own, from the first row on: text
// as text, numbers as numbers, dates as date cells. Throws db::Error when the
// query fails and TooManyRows when it has more rows than a sheet holds.
Rows queryRows(const Query& query);

// Writes the rows that `make` gives (it throws db::Error on failure) into a
// new workbook with a new name in the temporary folder and opens it. A
// failure or a result too long for a sheet is told and nothing opens (rows
// that could not be read with the reason, the file busy at another
// workstation included); an empty result gives an empty sheet. Returns the
// workbook's path, or "".
QString toExcel(const std::function<Rows()>& make);
QString toExcel(const Query& query);

} // namespace reportexport
