#include "reports/stockreport.h"

#include "common/database.h"
#include "reports/daterange.h"
#include "reports/fixedpoint.h"
#include "reports/productsales.h"

#include <optional>

namespace stockreport {

namespace {

using reports::ReportColumns;
using reports::ReportResult;

// Quantities are added as whole numbers (halves to even) and in full: a total
// past 32767 keeps counting. A row without a quantity adds nothing.
class QuantityTotal {
public:
    void add(const db::Variant& quantity)
    {
        if (db::isNumeric(quantity)) add(quantity.toDouble());
    }
    void add(double quantity) { total_ = fixedpoint::roundedQuantity(static_cast<double>(total_) + quantity); }
    QString text() const { return QString::number(total_); }

private:
    std::int64_t total_ = 0;
};

// Amounts are added exactly to four decimals; a row without one adds nothing.
class MoneyTotal {
public:
    void add(const db::Variant& amount)
    {
        if (auto value = fixedpoint::amount(amount)) total_ = total_ + *value;
    }
    QString text() const { return total_.toString(); }

private:
    db::Currency total_;
};

// The stock's value: purchase price × stock summed over the products,
// exactly, without rounding (both have four decimals, so the products have
// eight). Empty before the first product, and for good once a product lacks either.
class ValueTotal {
public:
    void add(const db::Variant& price, const db::Variant& stock)
    {
        const auto p = fixedpoint::amount(price);
        const auto s = fixedpoint::amount(stock);
        if (!p || !s) lacking_ = true;
        if (lacking_) return;
        total_ = total_.value_or(0) + static_cast<__int128>(p->ticks()) * s->ticks();
    }
    QString text() const { return lacking_ || !total_ ? QString() : fixedpoint::unitsText(*total_, 8); }

private:
    std::optional<__int128> total_;
    bool lacking_ = false;
};

QString incomingTotalsQuery(const QDate& start, const QDate& end, bool withHpnum)
{
    return QStringLiteral("select productname,") + (withHpnum ? QStringLiteral("sum(Hpnum) as Khpnum,") : QString())
        + QStringLiteral("sum(unitprice) as unprice,sum(num) as numn from JhMX where 0=0")
        + daterange::both(QStringLiteral("JH_DATE"), start, end) + QStringLiteral("  group by productname");
}

QString incomingDetailQuery(const QDate& start, const QDate& end, const QString& columns)
{
    return QStringLiteral("select ") + columns + QStringLiteral(" from JhMX where 0=0")
        + daterange::both(QStringLiteral("JH_DATE"), start, end) + QStringLiteral(" order by JH_DATE desc");
}

QString sumText(const db::Variant& value)
{
    const auto sum = fixedpoint::amount(value);
    return sum ? sum->toString() : QString();
}

// Fills the rows from the query, each row's cells made by `cells`, which also adds to the totals.
template <class Cells>
void fill(ReportResult& result, const QString& sql, Cells cells)
{
    auto rows = database::query(sql);
    result.rows.reserve(static_cast<size_t>(rows->recordCount()));
    for (; !rows->eof(); rows->moveNext()) {
        QStringList line{QString::number(result.rows.size() + 1)};
        line << cells(*rows);
        result.rows.push_back(line);
    }
}

// The query of an export that copies rows as the database gives them.
reportexport::Query exportQuery(Kind kind, const QDate& start, const QDate& end)
{
    switch (kind) {
    case Kind::Stock: return {QStringLiteral("select * from product"), {}};
    case Kind::Outgoing: break;
    case Kind::IncomingTotals: return {incomingTotalsQuery(start, end, false), {1}};
    case Kind::IncomingDetail:
        return {incomingDetailQuery(start, end, QStringLiteral("GYS_id,JH_DATE,productname,cstr(unitprice),cstr(num)")), {}};
    }
    return {};
}

} // namespace

const ReportColumns& columns(Kind kind)
{
    static const ReportColumns stock{{"序号", 800}, {"产品名", 2000}, {"规格型号", 2000}, {"进货价", 900}, {"库存量", 900}};
    static const ReportColumns outgoing{{"序号", 900}, {"产品名", 2000}, {"出库量", 2000}};
    static const ReportColumns incomingTotals{{"序号", 500}, {"产品名", 1600}, {"进货总计", 1200}, {"进货量", 1000}};
    static const ReportColumns incomingDetail{{"序号", 900}, {"日期", 2000}, {"供应商", 1500}, {"产品", 1000},
                                              {"总金额", 1000}, {"进货量", 1000}};
    switch (kind) {
    case Kind::Stock: return stock;
    case Kind::Outgoing: return outgoing;
    case Kind::IncomingTotals: return incomingTotals;
    case Kind::IncomingDetail: return incomingDetail;
    }
    return stock;
}

ReportResult run(Kind kind, const QDate& start, const QDate& end)
{
    ReportResult result;
    QuantityTotal quantity;
    MoneyTotal money;
    ValueTotal value;
    switch (kind) {
    case Kind::Stock:
        fill(result, QStringLiteral("select product,description,InPrice,KCL from product"), [&](db::Recordset& row) {
            quantity.add(row.field(3));
            value.add(row.field(2), row.field(3));
            return QStringList{row.field(0).toText(), row.field(1).toText(), row.field(2).toText(), row.field(3).toText()};
        });
        break;
    case Kind::Outgoing:
        for (const productsales::NamedSum& sum : productsales::sums(start, end)) {
            if (sum.quantity) quantity.add(sum.quantity->toDouble());
            result.rows.push_back({QString::number(result.rows.size() + 1), sum.name, productsales::text(sum.quantity)});
        }
        break;
    case Kind::IncomingTotals:
        fill(result, incomingTotalsQuery(start, end, true), [&](db::Recordset& row) {
            money.add(row.field(2));
            quantity.add(row.field(3));
            return QStringList{row.field(0).toText(), sumText(row.field(2)), sumText(row.field(3))};
        });
        break;
    case Kind::IncomingDetail:
        fill(result, incomingDetailQuery(start, end, QStringLiteral("GYS_id,JH_DATE,Hpnum,productname,unitprice,num")),
             [&](db::Recordset& row) {
                 money.add(row.field(4));
                 quantity.add(row.field(5));
                 return QStringList{row.field(1).toText(), row.field(0).toText(), row.field(3).toText(),
                                    row.field(4).toText(), row.field(5).toText()};
             });
        break;
    }
    switch (kind) {
    case Kind::Stock:
        result.totals = QStringLiteral("总金额:") + value.text() + QStringLiteral("  总数量:") + quantity.text();
        break;
    case Kind::Outgoing: result.totals = QStringLiteral("小计：") + quantity.text(); break;
    default: result.totals = QStringLiteral("总金额:") + money.text() + QStringLiteral("  总数量:") + quantity.text(); break;
    }
    return result;
}

reportexport::Rows exportRows(Kind kind, const QDate& start, const QDate& end)
{
    if (kind == Kind::Outgoing) {
        reportexport::Rows rows;
        for (const productsales::NamedSum& sum : productsales::sums(start, end))
            rows.push_back({sum.name, reportexport::number(sum.amount), reportexport::number(sum.quantity)});
        return rows;
    }
    return reportexport::queryRows(exportQuery(kind, start, end));
}

} // namespace stockreport
