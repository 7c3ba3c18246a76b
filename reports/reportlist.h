#pragma once
// Filling a report list: its columns replaced by a report's, shown in report
// view with full-row selection and grid lines, and its rows.
#include "reports/reportcolumns.h"

namespace ui { class ListView; }

namespace reportlist {

void setColumns(ui::ListView* list, const reports::ReportColumns& columns);
void setRows(ui::ListView* list, const std::vector<QStringList>& rows);

} // namespace reportlist
