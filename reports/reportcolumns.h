#pragma once
// A report list's column: its caption and width in twips (every report
// column is left-aligned).
#include <QString>
#include <vector>

namespace reports {

struct ReportColumn {
    const char* caption;   // UTF-8
    double width;
};
using ReportColumns = std::vector<ReportColumn>;

// A report's result: the list rows (the running number first) and the text under the list.
struct ReportResult {
    std::vector<QStringList> rows;
    QString totals;
};

} // namespace reports
