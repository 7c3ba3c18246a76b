#include "reports/composition.h"

#include "common/database.h"
#include "platform/db/rowwalk.h"
#include "reports/daterange.h"

#include <QHash>
#include <optional>

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
    const bool done = database::guarded([&] {
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
    });
    if (done) {
        for (const auto& [name, group] : groups.all()) result.addGroup(name, group.amount, {analysis::quantityText(group.second)});
    } else {
        totals = analysis::Totals();
    }
    return result.finish(QStringLiteral("按产品统计"), totals.amount, QStringLiteral("总数量："),
                         analysis::quantityText(totals.second));
}

analysis::Result byCustomer(const QDate& start, const QDate& end)
{
    analysis::ResultBuilder result(QStringLiteral("      客户名称    \t销售金额\t未付金额"));
    analysis::Totals totals;
    analysis::Groups<Tally> groups;
    QHash<QString, QString> names;
    const bool done = database::guarded([&] {
        auto connection = database::openMain();
        db::RowWalk orders(*connection, QStringLiteral("select companyid,totlemoney,receivemoney from sales where 0=0")
                                            + daterange::both(QStringLiteral("salesdate"), start, end)
                                            + QStringLiteral(" order by companyid ASC"));
        // The orders come by customer: those of one customer follow each other.
        std::optional<db::Variant> lastId;
        std::size_t place = 0;
        while (orders.next()) {
            const db::Variant id = orders.field(0);
            if (!lastId || !(id == *lastId)) place = groups.place(id.toText());
            lastId = id;
            const auto [amount, unpaid] = analysis::orderAmounts(orders.field(1), orders.field(2));
            totals.add(groups.atPlace(place), amount, unpaid);
        }
        if (groups.all().empty()) return;
        auto customers = database::query(QStringLiteral("select id,company_name from company"));
        for (; !customers->eof(); customers->moveNext())
            names.insert(customers->field(0).toText(), customers->field(1).toText());
    });
    if (done) {
        for (const auto& [id, group] : groups.all()) {
            const auto name = names.constFind(id);
            result.addGroup(name != names.constEnd() ? *name : missingCustomerLabel(id), group.amount,
                            {analysis::amountText(group.second)});
        }
    } else {
        totals = analysis::Totals();
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
