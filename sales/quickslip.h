#pragma once
// The quick-order slip: the courier's note of a quick phone order, one plain
// text whose lines end in a line feed, composed from the rows the save wrote.
#include "sales/quickorder.h"

#include <QDateTime>

namespace quickslip {

// The slip of a stored quick order: the customer as stored, the order's
// boxes and its written lines; the remark line only when the remark is not
// blank, without a line feed after it.
QString compose(const quickorder::Customer& customer, const quickorder::Order& order, const QDateTime& printedAt);

} // namespace quickslip
