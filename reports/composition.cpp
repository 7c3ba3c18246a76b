#include "reports/composition.h"

#include "common/database.h"
#include "platform/db/rowwalk.h"
#include "reports/daterange.h"

#include <QHash>
#include <algorithm>
#include <optional>
#include <vector>

namespace composition {

namespace {

using analysis::Tally;

std::optional<std::int64_t> times(std::optional<std::int64_t> value, std::int64_t count)
{
    if (!value) return std::nullopt;
    return *value * count;
}

analysis::Result byProduct(const QDate& start, const QDate& end)
{
    analysis::ResultBuilder result(QStringLiteral("  产品名称  \t销售金额\t销售数量"));
    analysis::Totals totals;
    analysis::Groups<Tally> groups;
    // Lines alike in product, price, quantity and discount have one line
    // amount: they come summed, counted, in the line index's order.
    auto alike = database::query(QStringLiteral("select productname,price,num,zk,count(*) from salesmx where 0=0")
                                 + daterange::scanned(QStringLiteral("salesdate"), start, end)
                                 + QStringLiteral(" group by productname COLLATE BINARY,price,num,zk order by productname ASC"));
    for (; !alike->eof(); alike->moveNext()) {
        const std::int64_t lines = alike->field(4).toLong();
        totals.add(groups.at(alike->field(0).toText()),
                   times(analysis::lineAmount(alike->field(1), alike->field(2), alike->field(3)), lines),
                   times(analysis::roundedQuantity(alike->field(2)), lines));
    }
    for (const auto& [name, group] : groups.all()) result.addGroup(name, group.amount, {analysis::quantityText(group.second)});
    return result.finish(QStringLiteral("按产品统计"), totals.amount, QStringLiteral("总数量："),
                         analysis::quantityText(totals.second));
}

// Where the engine puts a customer id when it orders them: no id first,
// then numbers by value, then texts by their bytes.
bool idBefore(const db::Variant& a, const db::Variant& b)
{
    const auto rank = [](const db::Variant& id) {
        if (id.isNullOrEmpty()) return 0;
        return id.type() == db::Variant::Type::Text ? 2 : 1;
    };
    if (rank(a) != rank(b)) return rank(a) < rank(b);
    if (rank(a) == 2) return a.toText().toUtf8() < b.toText().toUtf8();
    if (rank(a) == 0) return false;
    if (a.type() == db::Variant::Type::Long && b.type() == db::Variant::Type::Long) return a.toLong() < b.toLong();
    return a.toDouble() < b.toDouble();
}

// A customer's orders summed.
struct CustomerTally {
    db::Variant id;
    Tally tally;
};

// The range's orders as the table holds them, summed per customer and into
// the totals; the customers in the order of their ids.
std::vector<CustomerTally> customerTallies(db::Connection& connection, const QDate& start, const QDate& end,
                                           analysis::Totals& totals)
{
    std::vector<CustomerTally> customers;
    QHash<std::int64_t, std::size_t> byNumber;   // whole-number ids, the usual kind
    QHash<QString, std::size_t> byText;          // any other id, by its text
    db::RowWalk orders(connection, QStringLiteral("select companyid,totlemoney,receivemoney from sales where 0=0")
                                       + daterange::both(QStringLiteral("salesdate"), start, end));
    while (orders.next()) {
        const db::Variant id = orders.field(0);
        std::size_t at = customers.size();
        if (id.type() == db::Variant::Type::Long) at = *byNumber.insert(id.toLong(), byNumber.value(id.toLong(), at));
        else at = *byText.insert(id.toText(), byText.value(id.toText(), at));
        if (at == customers.size()) customers.push_back({id, Tally()});
        else if (idBefore(id, customers[at].id)) customers[at].id = id;
        const auto [amount, unpaid] = analysis::orderAmounts(orders.field(1), orders.field(2));
        totals.add(customers[at].tally, amount, unpaid);
    }
    std::stable_sort(customers.begin(), customers.end(),
                     [](const CustomerTally& a, const CustomerTally& b) { return idBefore(a.id, b.id); });
    return customers;
}

analysis::Result byCustomer(const QDate& start, const QDate& end)
{
    analysis::ResultBuilder result(QStringLiteral("      客户名称    \t销售金额\t未付金额"));
    analysis::Totals totals;
    analysis::Groups<Tally> groups;
    QHash<QString, QString> names;
    auto connection = database::openMain();
    for (const CustomerTally& customer : customerTallies(*connection, start, end, totals)) {
        Tally& group = groups.at(customer.id.toText());
        group.amount += customer.tally.amount;
        group.second += customer.tally.second;
    }
    if (!groups.all().empty()) {
        auto named = database::query(QStringLiteral("select id,company_name from company"));
        for (; !named->eof(); named->moveNext()) names.insert(named->field(0).toText(), named->field(1).toText());
    }
    for (const auto& [id, group] : groups.all()) {
        const auto name = names.constFind(id);
        result.addGroup(name != names.constEnd() ? *name : missingCustomerLabel(id), group.amount,
                        {analysis::amountText(group.second)});
    }
    return result.finish(QStringLiteral("按客户统计"), totals.amount, QStringLiteral("未付金额："),
                         analysis::amountText(totals.second));
}

} // namespace

QString missingCustomerLabel(const QString& companyId)
{
    return QStringLiteral("(已删除的客户%1)").arg(companyId);
}

analysis::Result run(By by, const QDate& start, const QDate& end)
{
    return by == By::Customer ? byCustomer(start, end) : byProduct(start, end);
}

} // namespace composition
