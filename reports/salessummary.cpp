#include "reports/salessummary.h"

#include "common/database.h"
#include "platform/db/locale.h"
#include "reports/daterange.h"
#include "reports/fixedpoint.h"
#include "reports/productsales.h"

namespace salessummary {

namespace {

using reports::ReportColumns;
using reports::ReportResult;

const char* const kTotalCaption = "小计：";

// One period of the time kinds, summed over its orders.
struct Period {
    QString label;
    db::Currency amount;
    db::Currency quantity;
    db::Currency received;
};

// The label of a period key "2009", "2009-05" or "2009-05-31".
QString labelOf(Kind kind, const QString& key)
{
    const int year = key.left(4).toInt();
    if (kind == Kind::Year) return QStringLiteral("%1年").arg(year);
    const int month = key.mid(5, 2).toInt();
    if (kind == Kind::Month) return QStringLiteral("%1-%2月").arg(year).arg(month);
    return db::locale::shortDate(QDate(year, month, key.mid(8, 2).toInt()));
}

db::Currency orZero(const db::Variant& value)
{
    return fixedpoint::amount(value).value_or(db::Currency());
}

// The orders of the range summed per year, month or day, newest period first.
std::vector<Period> periods(Kind kind, const QDate& start, const QDate& end, db::Currency& total)
{
    // A date/time column holds the storage text ("2009-05-31 23:00:00"), so a
    // period's key is a prefix of it: the database sums each period itself.
    const int keyLength = kind == Kind::Year ? 4 : kind == Kind::Month ? 7 : 10;
    auto sums = database::query(QStringLiteral("select substr(salesdate,1,%1),sum(totlemoney),sum(TotalNum),sum(receivemoney)"
                                               " from Sales where 0=0").arg(keyLength)
                                + daterange::both(QStringLiteral("salesdate"), start, end)
                                + QStringLiteral(" group by 1 order by 1 desc"));
    std::vector<Period> found;
    for (; !sums->eof(); sums->moveNext()) {
        if (sums->field(0).isNullOrEmpty()) continue;
        found.push_back({labelOf(kind, sums->field(0).toText()), orZero(sums->field(1)), orZero(sums->field(2)),
                         orZero(sums->field(3))});
        total = total + found.back().amount;
    }
    return found;
}

// The orders of the range summed per customer name: summed per customer
// first (a cheap whole-number grouping), then customers of one name joined.
// Orders whose customer no longer exists are not counted.
std::vector<productsales::NamedSum> customerSums(const QDate& start, const QDate& end)
{
    auto groups = database::query(QStringLiteral("select b.company_name,x.unprice,x.numn from (select companyid,"
                                                 "sum(totlemoney) as unprice,sum(TotalNum) as numn from Sales where 0=0")
                                  + daterange::both(QStringLiteral("salesdate"), start, end)
                                  + QStringLiteral(" group by companyid) x,company b where x.companyid=b.id order by b.company_name"));
    return productsales::joinByName(*groups);
}

// A summed number as the list shows it: exact to four decimals, "" when nothing was summed.
QString sumText(const db::Variant& value)
{
    return productsales::text(fixedpoint::amount(value));
}

void addRow(ReportResult& result, QStringList cells)
{
    cells.prepend(QString::number(result.rows.size() + 1));
    result.rows.push_back(cells);
}

// Name and summed order totals of each customer name, in name order.
void customerRows(ReportResult& result, const QDate& start, const QDate& end, db::Currency& total)
{
    for (const productsales::NamedSum& sum : customerSums(start, end)) {
        total = total + sum.amount.value_or(db::Currency());
        addRow(result, {sum.name, productsales::text(sum.amount)});
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
    if (kind == Kind::Product) {
        for (const productsales::NamedSum& sum : productsales::sums(start, end)) {
            total = total + sum.amount.value_or(db::Currency());
            addRow(result, {sum.name, productsales::text(sum.amount), productsales::text(sum.quantity)});
        }
    } else if (kind == Kind::Customer) {
        customerRows(result, start, end, total);
    } else {
        for (const Period& period : periods(kind, start, end, total))
            addRow(result, {period.label, period.amount.toString()});
    }
    result.totals = QString::fromUtf8(kTotalCaption) + total.toString();
    return result;
}

reportexport::Rows exportRows(Kind kind, const QDate& start, const QDate& end)
{
    reportexport::Rows rows;
    if (kind == Kind::Product) {
        for (const productsales::NamedSum& sum : productsales::sums(start, end))
            rows.push_back({sum.name, reportexport::number(sum.amount), reportexport::number(sum.quantity)});
        return rows;
    }
    if (kind == Kind::Customer) {
        for (const productsales::NamedSum& sum : customerSums(start, end))
            rows.push_back({sum.name, reportexport::number(sum.amount), reportexport::number(sum.quantity)});
        return rows;
    }
    db::Currency total;
    for (const Period& period : periods(kind, start, end, total)) {
        xls::Row row{period.label, period.amount.toDouble(), period.quantity.toDouble()};
        if (kind == Kind::Day) row.push_back(period.received.toDouble());
        rows.push_back(row);
    }
    return rows;
}

} // namespace salessummary
