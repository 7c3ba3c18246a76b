#pragma once
// The sales detail report's queries: the sold lines of a date range with
// their order and customer, narrowed to one product and to customers whose
// name contains a text, newest line first.
#include "platform/db/connection.h"
#include "reports/reportexport.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>

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
// that fails gives the total row alone with both sums 0. The lines are kept
// as read and each row's texts are made when it is asked for.
class ListRows {
public:
    explicit ListRows(const Filters& filters);
    std::size_t size() const { return lineCount_ + 1; }
    QStringList operator[](std::size_t row) const;
    QStringList back() const { return (*this)[size() - 1]; }

private:
    std::shared_ptr<db::Recordset> lines_;
    std::size_t lineCount_ = 0;
    db::Currency quantity_;
    db::Currency total_;
};

ListRows listRows(const Filters& filters);

// The export: order number, sale date and time, customer, product, unit
// price, quantity and line total of the same lines in the same order.
reportexport::Query exportQuery(const Filters& filters);

} // namespace salesdetail
