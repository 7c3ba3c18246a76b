#pragma once
// The sales detail report's queries: the sold lines of a date range with
// their order and customer, narrowed to one product and to customers whose
// name contains a text, newest line first.
#include "platform/db/connection.h"
#include "reports/keyplaces.h"
#include "reports/reportexport.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
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

// The texts of one column of the list, each distinct one kept once, in one
// block of characters: a million rows of one shop repeat few of them.
class ColumnTexts {
public:
    // `inRuns`: equal cells only ever come one after another (the column the
    // list is ordered by), so only the last one is looked at.
    explicit ColumnTexts(bool inRuns = false) : inRuns_(inRuns) {}
    // The place of the text of the cell kept under `key`; `text()` makes it
    // the first time the key is seen.
    template <class MakeText>
    std::uint32_t place(QByteArrayView key, MakeText text);
    std::uint32_t add(const QString& text);
    QString text(std::uint32_t place) const;

private:
    bool inRuns_;
    reports::KeyPlaces places_;   // a keyed column's texts are all placed by key: the places agree
    std::string lastKey_;    // the key asked for last (a column repeats in runs) and its place
    std::uint32_t lastPlace_ = 0;
    QString chars_;
    std::vector<qsizetype> ends_;
};

// The detail rows of the list, numbered from 1, then the total row: what the
// query found, read whole when it runs (db::Error when any of it cannot be
// read: no list is made, so no total passes for the sales of the range).
// Nothing is read afterwards, so a row never shows what changed since, nor
// waits for the file when it is drawn.
//
// The lines are read in the list's order on their own, then their customers
// and their orders (a few by their keys, many in one pass over each table),
// and matched here: looking each line's customer and order up in the file,
// a million times in the list's order, costs far more on a shop of many
// customers.
class ListRows {
public:
    explicit ListRows(const Filters& filters);
    std::size_t size() const { return rows_.size() + 1; }
    QStringList operator[](std::size_t row) const;
    QStringList back() const { return (*this)[size() - 1]; }

private:
    // Each cell's place among its column's texts.
    struct Row {
        std::uint32_t date;
        std::uint32_t order;
        std::uint32_t customer;
        std::uint32_t product;
        std::uint32_t price;
        std::uint32_t quantity;
        std::uint32_t subtotal;
    };
    std::vector<Row> rows_;
    ColumnTexts dates_{true};
    ColumnTexts orders_, customers_, products_, prices_, quantities_, subtotals_;
    std::vector<std::optional<db::Currency>> quantityValues_, subtotalValues_;   // by place
    db::Currency quantity_;
    db::Currency total_;
};

ListRows listRows(const Filters& filters);

// The export: order number, sale date and time, customer, product, unit
// price, quantity and line total of the same lines in the same order.
reportexport::Query exportQuery(const Filters& filters);

} // namespace salesdetail
