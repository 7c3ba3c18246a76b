#include "reports/trend.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "platform/db/locale.h"
#include "platform/db/rowwalk.h"
#include "reports/daterange.h"

#include <QHash>
#include <optional>
#include <vector>

namespace trend {

namespace {

// A period's amount and unpaid amount (every order) or quantity (one
// product), and every order's quantity.
struct Bucket : analysis::Tally {
    std::int64_t quantity = 0;   // ten-thousandths
};

QString keyOf(Mode mode, const QDate& day)
{
    switch (mode) {
    case Mode::Year: return QString::number(day.year());
    case Mode::Month: return QStringLiteral("%1-%2").arg(day.year()).arg(day.month());
    case Mode::Day: break;
    }
    return db::locale::shortDate(day);
}

QString keyOf(Mode mode, const db::Variant& when)
{
    if (when.isNullOrEmpty()) return QString();
    return keyOf(mode, when.toDate().date());
}

// The line keys of the orders walked, each numbered once (orders may share
// one), and the quantities of their lines.
class OrderLines {
public:
    std::size_t add(QByteArrayView key)
    {
        auto found = numbers_.constFind(QByteArray::fromRawData(key.data(), key.size()));
        if (found == numbers_.constEnd()) {
            found = numbers_.insert(key.toByteArray(), keys_.size());
            keys_.push_back(found.key());
        }
        return *found;
    }

    // Each key's whole quantities of its lines dated in the range. The lines
    // of an order follow each other, mostly in the order their orders were
    // added, so the key after the last one found is tried before the table.
    std::vector<std::int64_t> quantities(db::Connection& connection, const QString& range) const
    {
        std::vector<std::int64_t> sums(keys_.size());
        db::RowWalk lines(connection, QStringLiteral("select indexflag,num from salesmx where 0=0") + range);
        std::optional<std::size_t> last;
        while (lines.next()) {
            const QByteArrayView key = lines.text(0);
            if (!last || keys_[*last] != key) last = find(key, last);
            if (!last) continue;
            if (auto quantity = analysis::roundedQuantity(lines.field(1))) sums[*last] += *quantity;
        }
        return sums;
    }

private:
    std::optional<std::size_t> find(QByteArrayView key, std::optional<std::size_t> last) const
    {
        if (last && *last + 1 < keys_.size() && keys_[*last + 1] == key) return *last + 1;
        const auto found = numbers_.constFind(QByteArray::fromRawData(key.data(), key.size()));
        if (found == numbers_.constEnd()) return std::nullopt;
        return *found;
    }

    QHash<QByteArray, std::size_t> numbers_;
    std::vector<QByteArray> keys_;
};

QString heading(Mode mode)
{
    static const char* const captions[] = {"年份", "  月 份 ", "   日 期  "};
    return QString::fromUtf8(captions[static_cast<int>(mode)]) + QStringLiteral("\t销售金额\t未付金额\t销售数量");
}

analysis::Result allProducts(Mode mode, const QDate& start, const QDate& end)
{
    static const char* const titles[] = {"按年份统计", "按月份统计", "按天统计"};
    analysis::ResultBuilder result(heading(mode));
    analysis::Totals totals;
    analysis::Groups<Bucket> buckets;
    const QString range = daterange::scanned(QStringLiteral("salesdate"), start, end);
    auto connection = database::openMain();
    // The orders, oldest first: each one's amounts go to its period, and
    // its quantity, once its lines are added up, too.
    OrderLines lines;
    std::vector<std::pair<std::size_t, std::size_t>> orderLines;   // period's place, line key's number
    db::RowWalk orders(*connection, QStringLiteral("select salesdate,totlemoney,receivemoney,indexflag from sales where 0=0")
                                        + range + QStringLiteral(" order by salesdate ASC"));
    std::optional<QDate> lastDay;
    std::size_t place = 0;
    while (orders.next()) {
        // A date as stored is read straight from its text; orders of one day share their period.
        const auto day = db::locale::storedDay(orders.text(0));
        if (!day) place = buckets.place(keyOf(mode, orders.field(0)));
        else if (day != lastDay) place = buckets.place(keyOf(mode, *day));
        lastDay = day;
        const auto [amount, unpaid] = analysis::orderAmounts(orders.field(1), orders.field(2));
        totals.add(buckets.atPlace(place), amount, unpaid);
        orderLines.emplace_back(place, lines.add(orders.text(3)));
    }
    const std::vector<std::int64_t> quantities = lines.quantities(*connection, range);
    for (const auto& [period, key] : orderLines) buckets.atPlace(period).quantity += quantities[key];
    for (const auto& [key, bucket] : buckets.all())
        result.addGroup(key, bucket.amount, {analysis::amountText(bucket.second), analysis::quantityText(bucket.quantity)});
    return result.finish(QString::fromUtf8(titles[static_cast<int>(mode)]), totals.amount, QStringLiteral("未付金额："),
                         analysis::amountText(totals.second));
}

analysis::Result oneProduct(Mode mode, const QString& product, const QDate& start, const QDate& end)
{
    static const char* const titles[] = {"按年份统计", "按月份统计", "按天分析图表"};
    static const char* const unpaidColumn[] = {"未知", "", " "};
    analysis::ResultBuilder result(heading(mode));
    analysis::Totals totals;
    analysis::Groups<Bucket> buckets;
    auto lines = database::query(QStringLiteral("select salesdate,price,num,zk from salesmx where productname=")
                                 + sqltext::quoted(product) + daterange::scanned(QStringLiteral("salesdate"), start, end)
                                 + QStringLiteral(" order by salesdate asc"));
    for (; !lines->eof(); lines->moveNext()) {
        Bucket& bucket = buckets.at(keyOf(mode, lines->field(0)));
        totals.add(bucket, analysis::lineAmount(lines->field(1), lines->field(2), lines->field(3)), std::nullopt);
        const auto rounded = analysis::roundedQuantity(lines->field(2));
        if (rounded) totals.second.add(*rounded);
        // A year adds its quantities as stored; a month or a day adds them rounded.
        const auto added = mode == Mode::Year ? analysis::quantityUnits(lines->field(2)) : rounded;
        if (added) bucket.quantity += *added;
    }
    const QString unpaid = QString::fromUtf8(unpaidColumn[static_cast<int>(mode)]);
    for (const auto& [key, bucket] : buckets.all())
        result.addGroup(key, bucket.amount, {unpaid, analysis::quantityText(bucket.quantity)});
    return result.finish(QString::fromUtf8(titles[static_cast<int>(mode)]), totals.amount, QStringLiteral("总数量："),
                         analysis::quantityText(totals.second));
}

} // namespace

analysis::Result run(Mode mode, const std::optional<QString>& product, const QDate& start, const QDate& end)
{
    return product ? oneProduct(mode, *product, start, end) : allProducts(mode, start, end);
}

} // namespace trend
