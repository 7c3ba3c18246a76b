#pragma once
// The sales detail report's queries: the sold lines of a date range with
// their order and customer, narrowed to one product and to customers whose
// name contains a text, newest line first.
#include "reports/reportexport.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace salesdetail {

struct Filters {
    QDate start;          // no condition when null
    QDate end;            // no condition when null
    QString product;      // trimmed; "" or "全部": every product
    QString customer;     // trimmed; "": every customer
};

// The text the product box offers for every product.
QString allProducts();

// The detail rows of the list, numbered from 1, then the total row; a query
// that fails gives the total row alone with both sums 0.
std::vector<QStringList> listRows(const Filters& filters);

// The export: order number, sale date and time, customer, product, unit
// price, quantity and line total of the same lines in the same order.
reportexport::Query exportQuery(const Filters& filters);

} // namespace salesdetail
