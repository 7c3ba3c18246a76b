#pragma once
// What an analysis run shows: the result text (an empty first line, the
// heading, then one tab-separated line per group, lines joined by CR LF), the
// two totals labels and the chart's rows. Amounts are kept exactly in whole
// millionths, quantities in ten-thousandths.
#include "platform/db/variant.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace analysis {

struct Result {
    QString text;
    QString amountTotal;                               // "总金额：" and the total, or the caption alone
    QString secondTotal;                               // the second caption and its total
    QString title;                                     // the chart's title
    std::vector<std::pair<QString, double>> chart;     // label and amount of each group, in order
};

// A sum that shows nothing until something was added to it.
class Sum {
public:
    void add(std::int64_t units) { units_ = units_.value_or(0) + units; }
    std::int64_t units() const { return units_.value_or(0); }
    bool empty() const { return !units_; }

private:
    std::optional<std::int64_t> units_;
};

// Line arithmetic: price × quantity × discount ÷ 100 from the stored values
// taken as four-decimal numbers, multiplied with halves to even, in whole
// millionths; and a quantity rounded to a whole number (halves to even) in
// ten-thousandths. Empty when a value is missing or not a number.
std::optional<std::int64_t> lineAmount(const db::Variant& price, const db::Variant& quantity, const db::Variant& discount);
std::optional<std::int64_t> roundedQuantity(const db::Variant& quantity);
// An amount in whole millionths, a quantity as stored in ten-thousandths.
std::optional<std::int64_t> amountUnits(const db::Variant& amount);
std::optional<std::int64_t> quantityUnits(const db::Variant& quantity);

// Groups by exact key in the order their keys first appear.
template <class Group>
class Groups {
public:
    Group& at(const QString& key) { return groups_[place(key)].second; }
    // The group's place in the order, found or begun; its figures stay at that place.
    std::size_t place(const QString& key)
    {
        const auto found = index_.constFind(key);
        if (found != index_.constEnd()) return static_cast<std::size_t>(*found);
        index_.insert(key, static_cast<int>(groups_.size()));
        groups_.emplace_back(key, Group());
        return groups_.size() - 1;
    }
    Group& atPlace(std::size_t place) { return groups_[place].second; }
    const std::vector<std::pair<QString, Group>>& all() const { return groups_; }

private:
    QHash<QString, int> index_;
    std::vector<std::pair<QString, Group>> groups_;
};

// A group's figures: its amount in millionths and a second figure (a
// quantity in ten-thousandths or an unpaid amount in millionths).
struct Tally {
    std::int64_t amount = 0;
    std::int64_t second = 0;
};

// The run's totals of both figures.
struct Totals {
    Sum amount;
    Sum second;
    // Adds a row's figures to its group and to the totals; an empty figure adds nothing.
    void add(Tally& group, std::optional<std::int64_t> rowAmount, std::optional<std::int64_t> rowSecond);
};

// An order's total and its unpaid part (total − received) in millionths;
// the unpaid part is empty unless both values are there.
std::pair<std::optional<std::int64_t>, std::optional<std::int64_t>> orderAmounts(const db::Variant& total,
                                                                                  const db::Variant& received);

// Whole millionths as number text; "" for an empty sum.
QString amountText(const Sum& millionths);
QString amountText(std::int64_t millionths);
// Ten-thousandths as number text; "" for an empty sum.
QString quantityText(const Sum& tenThousandths);
QString quantityText(std::int64_t tenThousandths);

// Builds a result line by line.
class ResultBuilder {
public:
    explicit ResultBuilder(const QString& heading);
    // A group's line and chart row.
    void addGroup(const QString& label, std::int64_t amountMillionths, const QStringList& moreFields);
    Result finish(const QString& title, const Sum& totalAmount, const QString& secondCaption, const QString& secondTotal);

private:
    QString heading_;
    QStringList lines_;
    std::vector<std::pair<QString, double>> chart_;
};

} // namespace analysis
