#pragma once
// The day's order counter, the one row of JSQ: the day of the serial run,
// the serial of the last order saved that day and the last print option.
#include "platform/db/connection.h"

#include <QString>
#include <optional>

namespace ordercounter {

// "SH" + the counter day as yymmdd + "-" + the serial, at least five digits.
QString orderNumber(const QString& counterDay, qint64 serial);

struct AtLoad {
    QString number;        // the next order's number (empty without a usable row)
    QString printOption;   // PrintOpt
};
// A new order window's view of the counter: on the first load of a day the
// run starts again (Today := today, LSH := 0); the number is LSH + 1. Nothing
// when the row cannot be read; the operator was told why.
std::optional<AtLoad> load();

// The print option of the last saved order, read only; empty without a row,
// nothing when it cannot be read (the operator was told why).
std::optional<QString> storedPrintOption();

// Inside a save's transaction: the number the counter gives next, then the
// serial raised by one and the print option stored (none: the stored one
// stays). Nothing without a row.
std::optional<QString> advance(db::Connection& connection, const std::optional<QString>& printOption);

} // namespace ordercounter
