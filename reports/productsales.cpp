#include "reports/productsales.h"

#include "common/database.h"
#include "reports/daterange.h"
#include "reports/fixedpoint.h"

#include <QHash>

namespace productsales {

namespace {
void add(std::optional<db::Currency>& sum, const db::Variant& value)
{
    if (auto amount = fixedpoint::amount(value)) sum = sum.value_or(db::Currency()) + *amount;
}
} // namespace

std::vector<ProductSum> sums(const QDate& start, const QDate& end)
{
    // Grouped by the exact name, which the line index holds in order; names
    // equal but for letter case are then joined here.
    auto groups = database::query(QStringLiteral("select productname,sum(unitprice) as unprice,sum(num) as numn from SalesMX where 0=0")
                                  + daterange::both(QStringLiteral("salesdate"), start, end)
                                  + QStringLiteral(" group by productname COLLATE BINARY order by productname"));
    std::vector<ProductSum> found;
    QHash<QString, size_t> byName;
    for (; !groups->eof(); groups->moveNext()) {
        const QString name = groups->field(0).toText();
        const QString key = name.toCaseFolded();
        auto at = byName.constFind(key);
        if (at == byName.constEnd()) {
            at = byName.insert(key, found.size());
            found.push_back({name, std::nullopt, std::nullopt});
        }
        ProductSum& sum = found[*at];
        add(sum.amount, groups->field(1));
        add(sum.quantity, groups->field(2));
    }
    return found;
}

QString text(const std::optional<db::Currency>& sum)
{
    return sum ? sum->toString() : QString();
}

} // namespace productsales
