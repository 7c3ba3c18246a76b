#include "reports/salessummary.h"

#include "common/database.h"
#include "platform/db/locale.h"
#include "reports/daterange.h"
#include "reports/fixedpoint.h"

namespace salessummary {

namespace {

using reports::ReportColumns;
using reports::ReportResult;

const char* const kTotalCaption = "小计：";

// One period of the time kinds, summed over its orders.
struct Period {
    QString key;
    QString label;
    db::Currency amount;
    db::Currency quantity;
    db::Currency received;
};

QString keyOf(Kind kind, const QDate& day)
{
    switch (kind) {
    case Kind::Year: return QString::number(day.year());
    case Kind::Month: return QStringLiteral("%1-%2").arg(day.year()).arg(day.month());
    default: return db::locale::shortDate(day);
    }
}

QString labelOf(Kind kind, const QString& key)
{
    if (kind == Kind::Year) return key + QStringLiteral("年");
    if (kind == Kind::Month) return key + QStringLiteral("月");
    return key;
}

db::Currency orZero(const db::Variant& value)
{
    return fixedpoint::amount(value).value_or(db::Currency());
}

// The orders of the range, newest first, gathered by period: orders of one
// period are neighbours in that order, so each change of key starts the next.
std::vector<Period> periods(Kind kind, const QDate& start, const QDate& end, db::Currency& total)
{
    auto orders = database::query(QStringLiteral("select salesdate,totlemoney,TotalNum,receivemoney from Sales where 0=0")
                                  + daterange::both(QStringLiteral("salesdate"), start, end)
                                  + QStringLiteral(" order by salesdate DESC"));
    std::vector<Period> found;
    for (; !orders->eof(); orders->moveNext()) {
        const db::Variant when = orders->field(0);
        const QString key = when.isNullOrEmpty() ? QString() : keyOf(kind, when.toDate().date());
        if (found.empty() || found.back().key != key) found.push_back({key, labelOf(kind, key), {}, {}, {}});
        Period& period = found.back();
        const db::Currency amount = orZero(orders->field(1));
        period.amount = period.amount + amount;
        period.quantity = period.quantity + orZero(orders->field(2));
        period.received = period.received + orZero(orders->field(3));
        total = total + amount;
    }
    return found;
}

QString productQuery(const QDate& start, const QDate& end)
{
    return QStringLiteral("select productname,sum(unitprice) as unprice,sum(num) as numn from SalesMX where 0=0")
        + daterange::both(QStringLiteral("salesdate"), start, end) + QStringLiteral("  group by productname");
}

QString customerQuery(const QDate& start, const QDate& end, bool withQuantity)
{
    return QStringLiteral("select b.company_name,sum(a.totlemoney) as unprice")
        + (withQuantity ? QStringLiteral(",sum(a.TotalNum) as numn") : QString())
        + QStringLiteral(" from Sales a,company b where a.companyid=b.id")
        + daterange::both(QStringLiteral("a.salesdate"), start, end) + QStringLiteral("  group by b.company_name");
}

// A summed number as the list shows it: exact to four decimals, "" when nothing was summed.
QString sumText(const db::Variant& value)
{
    const auto sum = fixedpoint::amount(value);
    return sum ? sum->toString() : QString();
}

void addRow(ReportResult& result, QStringList cells)
{
    cells.prepend(QString::number(result.rows.size() + 1));
    result.rows.push_back(cells);
}

// Label and sum of each group row of a summing query, in the order the database returns them.
void groupRows(ReportResult& result, const QString& sql, bool withQuantity, db::Currency& total)
{
    auto groups = database::query(sql);
    for (; !groups->eof(); groups->moveNext()) {
        total = total + orZero(groups->field(1));
        QStringList cells{groups->field(0).toText(), sumText(groups->field(1))};
        if (withQuantity) cells << sumText(groups->field(2));
        addRow(result, cells);
    }
}

} // namespace

const ReportColumns& loadColumns()
{
    static const ReportColumns columns{{"序号", 500}, {"项目", 1500}, {"总销售额", 1500}, {"销售数量", 2000}};
    return columns;
}

const ReportColumns& columns(Kind kind)
{
    static const ReportColumns year{{"序号", 500}, {"年份", 1500}, {"总销售额", 1500}};
    static const ReportColumns month{{"序号", 500}, {"月份", 1500}, {"总销售额", 1500}};
    static const ReportColumns day{{"序号", 500}, {"日期", 1500}, {"总销售额", 1500}};
    static const ReportColumns product{{"序号", 500}, {"品种", 1500}, {"总销售额", 1500}, {"总数量", 1000}};
    static const ReportColumns customer{{"序号", 500}, {"客户", 1500}, {"总销售额", 1500}};
    switch (kind) {
    case Kind::Year: return year;
    case Kind::Month: return month;
    case Kind::Day: return day;
    case Kind::Product: return product;
    case Kind::Customer: return customer;
    }
    return day;
}

ReportResult run(Kind kind, const QDate& start, const QDate& end)
{
    ReportResult result;
    db::Currency total;
    const bool done = database::guarded([&] {
        if (kind == Kind::Product) {
            groupRows(result, productQuery(start, end), true, total);
        } else if (kind == Kind::Customer) {
            groupRows(result, customerQuery(start, end, false), false, total);
        } else {
            for (const Period& period : periods(kind, start, end, total))
                addRow(result, {period.label, period.amount.toString()});
        }
    });
    if (!done) {
        result.rows.clear();
        total = db::Currency();
    }
    result.totals = QString::fromUtf8(kTotalCaption) + total.toString();
    return result;
}

reportexport::Rows exportRows(Kind kind, const QDate& start, const QDate& end)
{
    if (kind == Kind::Product) return reportexport::queryRows({productQuery(start, end), {1}});
    if (kind == Kind::Customer) return reportexport::queryRows({customerQuery(start, end, true), {1}});
    db::Currency total;
    reportexport::Rows rows;
    for (const Period& period : periods(kind, start, end, total)) {
        xls::Row row{period.label, period.amount.toDouble(), period.quantity.toDouble()};
        if (kind == Kind::Day) row.push_back(period.received.toDouble());
        rows.push_back(row);
    }
    return rows;
}

} // namespace salessummary
