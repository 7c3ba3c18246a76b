#include "reports/trend.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "platform/db/locale.h"
#include "platform/db/rowwalk.h"
#include "reports/daterange.h"

#include <QHash>
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

// Line keys by their stored text; a walk's bytes are looked up without a copy.
using LineKeys = QHash<QByteArray, std::size_t>;

QByteArray lookedUp(QByteArrayView text)
{
    return QByteArray::fromRawData(text.data(), text.size());
}

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
    const bool done = database::guarded([&] {
        auto connection = database::openMain();
        // The orders, oldest first: each one's amounts go to its period, and
        // its line key is noted (orders may share one) for its quantity.
        LineKeys lineKeys;
        std::vector<std::pair<std::size_t, std::size_t>> orderKeys;   // period's place, line key's number
        db::RowWalk orders(*connection, QStringLiteral("select salesdate,totlemoney,receivemoney,indexflag from sales where 0=0")
                                            + range + QStringLiteral(" order by salesdate ASC"));
        std::optional<QDate> lastDay;
        std::size_t lastPlace = 0;
        while (orders.next()) {
            // A date as stored is read straight from its text; orders of one day share their period.
            const auto day = db::locale::storedDay(orders.text(0));
            std::size_t place = lastPlace;
            if (!day) place = buckets.place(keyOf(mode, orders.field(0)));
            else if (day != lastDay) place = buckets.place(keyOf(mode, *day));
            lastDay = day;
            lastPlace = place;
            const auto [amount, unpaid] = analysis::orderAmounts(orders.field(1), orders.field(2));
            totals.add(buckets.atPlace(place), amount, unpaid);
            const QByteArrayView lineKey = orders.text(3);
            auto key = lineKeys.constFind(lookedUp(lineKey));
            if (key == lineKeys.constEnd()) key = lineKeys.insert(lineKey.toByteArray(), lineKeys.size());
            orderKeys.emplace_back(place, *key);
        }
        // Each order's quantity: its lines dated in the range, found by line
        // key. The lines of an order follow each other, mostly in the order
        // their orders were walked, so the key after the last one found is
        // tried before the table.
        std::vector<QByteArray> keyTexts(lineKeys.size());
        for (auto key = lineKeys.constBegin(); key != lineKeys.constEnd(); ++key) keyTexts[*key] = key.key();
        std::vector<std::int64_t> quantities(lineKeys.size());
        db::RowWalk lines(*connection, QStringLiteral("select indexflag,num from salesmx where 0=0") + range);
        std::optional<std::size_t> found;
        while (lines.next()) {
            const QByteArrayView text = lines.text(0);
            if (!found || keyTexts[*found] != text) {
                if (found && *found + 1 < keyTexts.size() && keyTexts[*found + 1] == text) {
                    found = *found + 1;
                } else {
                    const auto key = lineKeys.constFind(lookedUp(text));
                    if (key == lineKeys.constEnd()) {
                        found.reset();
                        continue;
                    }
                    found = *key;
                }
            }
            if (auto quantity = analysis::roundedQuantity(lines.field(1))) quantities[*found] += *quantity;
        }
        for (const auto& [place, key] : orderKeys) buckets.atPlace(place).quantity += quantities[key];
    });
    if (done) {
        for (const auto& [key, bucket] : buckets.all())
            result.addGroup(key, bucket.amount, {analysis::amountText(bucket.second), analysis::quantityText(bucket.quantity)});
    } else {
        totals = analysis::Totals();
    }
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
    const bool done = database::guarded([&] {
        auto lines = database::query(QStringLiteral("select salesdate,price,num,zk from salesmx where productname=")
                                     + sqltext::quoted(product)
                                     + daterange::scanned(QStringLiteral("salesdate"), start, end)
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
    });
    if (done) {
        const QString unpaid = QString::fromUtf8(unpaidColumn[static_cast<int>(mode)]);
        for (const auto& [key, bucket] : buckets.all())
            result.addGroup(key, bucket.amount, {unpaid, analysis::quantityText(bucket.quantity)});
    } else {
        totals = analysis::Totals();
    }
    return result.finish(QString::fromUtf8(titles[static_cast<int>(mode)]), totals.amount, QStringLiteral("总数量："),
                         analysis::quantityText(totals.second));
}

} // namespace

analysis::Result run(Mode mode, const std::optional<QString>& product, const QDate& start, const QDate& end)
{
    return product ? oneProduct(mode, *product, start, end) : allProducts(mode, start, end);
}

} // namespace trend
