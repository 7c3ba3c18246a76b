#include "reports/productsales.h"

#include "common/database.h"
#include "reports/daterange.h"
#include "reports/fixedpoint.h"

#include <QHash>

namespace productsales {

namespace {

// Adds `times` times the value; an empty value adds nothing.
void add(std::optional<db::Currency>& sum, const db::Variant& value, std::int64_t times = 1)
{
    if (auto amount = fixedpoint::amount(value))
        sum = sum.value_or(db::Currency()) + db::Currency::fromTicks(amount->ticks() * times);
}

// The sum of a name, found or begun: names that differ only in letter case share it.
NamedSum& named(std::vector<NamedSum>& found, QHash<QString, size_t>& byName, const QString& name)
{
    const QString key = name.toCaseFolded();
    auto at = byName.constFind(key);
    if (at == byName.constEnd()) {
        at = byName.insert(key, found.size());
        found.push_back({name, std::nullopt, std::nullopt});
    }
    return found[*at];
}

} // namespace

std::vector<NamedSum> sums(const QDate& start, const QDate& end)
{
    // Lines alike in product, price, quantity, discount and line total come
    // counted, in the order of the line index, which holds them so; the sums
    // are made here exactly. Names equal but for letter case are joined.
    auto alike = database::query(QStringLiteral("select productname,unitprice,num,count(*) from SalesMX where 0=0")
                                 + daterange::scanned(QStringLiteral("salesdate"), start, end)
                                 + QStringLiteral(" group by productname COLLATE BINARY,price,num,zk,unitprice order by productname"));
    std::vector<NamedSum> found;
    QHash<QString, size_t> byName;
    for (; !alike->eof(); alike->moveNext()) {
        NamedSum& sum = named(found, byName, alike->field(0).toText());
        const std::int64_t lines = alike->field(3).toLong();
        add(sum.amount, alike->field(1), lines);
        add(sum.quantity, alike->field(2), lines);
    }
    return found;
}

std::vector<NamedSum> joinByName(db::Recordset& groups)
{
    std::vector<NamedSum> found;
    QHash<QString, size_t> byName;
    for (; !groups.eof(); groups.moveNext()) {
        NamedSum& sum = named(found, byName, groups.field(0).toText());
        add(sum.amount, groups.field(1));
        add(sum.quantity, groups.field(2));
    }
    return found;
}

QString text(const std::optional<db::Currency>& sum)
{
    return sum ? sum->toString() : QString();
}

} // namespace productsales
