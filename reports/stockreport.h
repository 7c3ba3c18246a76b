#pragma once
// The stock report's four reports: the current stock with its value at
// purchase prices, the quantities that went out on sales lines, and the
// amounts and quantities that came in on purchase lines, totalled or line by line.
#include "reports/reportcolumns.h"
#include "reports/reportexport.h"

#include <QDate>

namespace stockreport {

// The reports by the index of their option button.
enum class Kind { Stock = 0, Outgoing = 1, IncomingTotals = 2, IncomingDetail = 3 };

const reports::ReportColumns& columns(Kind kind);

// The rows, numbered from 1, and the totals line. db::Error when a query
// fails: no result, so no totals of nothing pass for the range's.
reports::ReportResult run(Kind kind, const QDate& start, const QDate& end);

// The export rows of the report: the stock's every product column, the
// outgoing product name, summed amount and quantity, the incoming totals and
// lines. db::Error when a date it needs is missing or a query fails.
reportexport::Rows exportRows(Kind kind, const QDate& start, const QDate& end);

} // namespace stockreport
