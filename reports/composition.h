#pragma once
// The sales composition analysis: a date range's sales per product, from the
// order lines (amount price × quantity × discount ÷ 100, and quantity), or
// per customer, from the order headers (amount and unpaid amount).
#include "reports/analysisresult.h"

#include <QDate>

namespace composition {

enum class By { Product, Customer };

// Both dates valid. db::Error when a query fails: no result, so no empty
// chart passes for a range without sales.
analysis::Result run(By by, const QDate& start, const QDate& end);

// The label of a customer group whose customer no longer exists.
QString missingCustomerLabel(const QString& companyId);

} // namespace composition
