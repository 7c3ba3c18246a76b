#pragma once
// The sales detail report's queries: the sold lines of a date range with
// their order and customer, narrowed to one product and to customers whose
// name contains a text, newest line first.
#include "platform/db/connection.h"
#include "reports/reportexport.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
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

// The detail rows of the list, numbered from 1, then the total row. Opening
// reads each row's key in the list's order and adds up the sums (db::Error
// when that read fails: no list is made, so no total passes for the sales of
// the range); a row's texts are read when it is asked for, a page of rows at
// a time by key, so no database handle stays open between reads. A page that
// cannot be read shows its number alone, and is read again when next asked
// for: the list asks while it draws, where no box may interrupt it.
class ListRows {
public:
    explicit ListRows(const Filters& filters);
    std::size_t size() const { return keys_.size() + 1; }
    QStringList operator[](std::size_t row) const;
    QStringList back() const { return (*this)[size() - 1]; }

private:
    struct Key {
        std::int64_t line;    // the order line's id
        std::int64_t order;   // its order's id (orders may share a line key)
    };
    struct Page {
        std::size_t first = 0;
        std::vector<QStringList> rows;   // each row's seven texts
    };
    const Page* page(std::size_t row) const;

    std::vector<Key> keys_;
    db::Currency quantity_;
    db::Currency total_;
    mutable std::vector<Page> pages_;   // the pages read last, newest last
};

ListRows listRows(const Filters& filters);

// The export: order number, sale date and time, customer, product, unit
// price, quantity and line total of the same lines in the same order.
reportexport::Query exportQuery(const Filters& filters);

} // namespace salesdetail
