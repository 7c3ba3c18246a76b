#pragma once
// Sums per name: the sales lines of a date range summed per product (line
// totals and quantities), one row per name (names that differ only in letter
// case are one, as the database compares names), in name order.
#include "platform/db/connection.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace productsales {

struct NamedSum {
    QString name;
    std::optional<db::Currency> amount;     // empty when no line had one
    std::optional<db::Currency> quantity;   // empty when no line had one
};

// The product sums; db::Error when a date is missing or the query fails.
std::vector<NamedSum> sums(const QDate& start, const QDate& end);

// Rows of name, amount and quantity, those whose names differ only in letter
// case joined into one, in the order the rows come.
std::vector<NamedSum> joinByName(db::Recordset& rows);

// A sum as the lists show it: "" when empty.
QString text(const std::optional<db::Currency>& sum);

} // namespace productsales
