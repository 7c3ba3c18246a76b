#pragma once
// The sales trend analysis: a date range's sales by year, month or calendar
// day, over every order (amounts, unpaid amounts and the quantities of their
// lines) or over the order lines of one product.
#include "reports/analysisresult.h"

#include <QDate>
#include <optional>

namespace trend {

enum class Mode { Year = 0, Month = 1, Day = 2 };

// `product` empty: every order; otherwise that product's lines. Both dates
// valid. db::Error when a query fails: no result, so no empty chart passes
// for a range without sales.
analysis::Result run(Mode mode, const std::optional<QString>& product, const QDate& start, const QDate& end);

} // namespace trend
