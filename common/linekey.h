#pragma once
// The line key `indexflag` that ties a quotation, sales-order or purchase-order
// header to its lines.
#include "platform/db/connection.h"

#include <QString>

namespace linekey {

// A new key: the year, month, day, hour, minute and second of now without
// leading zeros, followed by 10000 plus a random whole number below 90000;
// drawn again while a row of the header or the line table carries it.
QString newLineKey(db::Connection& connection, const QString& headerTable, const QString& lineTable);

} // namespace linekey
