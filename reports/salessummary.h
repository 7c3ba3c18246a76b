#pragma once
// The sales summary report's five kinds: the sales orders of a date range
// totalled by year, month or day (newest period first), by product or by
// customer, with the grand total of the amounts.
#include "reports/reportcolumns.h"
#include "reports/reportexport.h"

#include <QDate>
#include <QStringList>

namespace salessummary {

// The kinds by the index of their option button.
enum class Kind { Year = 0, Month = 1, Day = 2, Product = 4, Customer = 5 };

const reports::ReportColumns& loadColumns();
const reports::ReportColumns& columns(Kind kind);

// The rows of the kind, numbered from 1, and "小计：" with the grand total.
// db::Error when a query fails: no result, so no 小计：0 passes for a range
// without orders.
reports::ReportResult run(Kind kind, const QDate& start, const QDate& end);

// The export rows of the kind: product and customer by their summing
// queries; a time kind one row per period, newest first, with the period's
// label, summed order totals and summed quantities (days also the summed
// amounts received). db::Error when a date is missing or a query fails.
reportexport::Rows exportRows(Kind kind, const QDate& start, const QDate& end);

} // namespace salessummary
