#pragma once
// The sales lines of a date range summed per product: the summed line totals
// and quantities, one row per product name (names that differ only in letter
// case are one product, as the database compares names), in name order.
#include "platform/db/variant.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace productsales {

struct ProductSum {
    QString name;
    std::optional<db::Currency> amount;     // empty when no line had one
    std::optional<db::Currency> quantity;   // empty when no line had one
};

// db::Error when a date is missing or the query fails.
std::vector<ProductSum> sums(const QDate& start, const QDate& end);

// A sum as the lists show it: "" when empty.
QString text(const std::optional<db::Currency>& sum);

} // namespace productsales
