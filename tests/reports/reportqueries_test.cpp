// The report queries: date ranges that count the whole end day and not the
// next midnight, the filters of the detail report, the summary's periods and
// groups, the stock report's totals lines, and exact sums throughout.
#include "salesfixture.h"

#include "common/database.h"
#include <QDir>

#include "reports/salesdetail.h"
#include "reports/salessummary.h"
#include "reports/stockreport.h"

namespace {

using salessummary::Kind;

// A column of a report's rows (a vector of rows, or the detail list's rows).
template <class Rows>
QStringList column(const Rows& rows, int index)
{
    QStringList values;
    for (std::size_t row = 0; row < rows.size(); ++row) values << rows[row].value(index);
    return values;
}

class ReportQueries : public SalesData {
protected:
    // The detail rows one ordered read of the lines joined with their
    // customer and order gives, numbered; with the sums of their quantities
    // and subtotals when asked for.
    static std::vector<QStringList> orderedRead(db::Currency* quantity = nullptr, db::Currency* total = nullptr)
    {
        auto ordered = database::query(QStringLiteral("select a.salesdate,c.orderno,b.company_name,a.productname,a.price,a.num,a.unitprice "
                                                      "from SalesMX a,company b,sales c where b.ID=a.companyid and c.indexflag=a.indexflag "
                                                      "order by a.salesdate desc, a.id desc"));
        std::vector<QStringList> rows;
        for (; !ordered->eof(); ordered->moveNext()) {
            QStringList cells{QString::number(rows.size() + 1)};
            for (int column = 0; column < 7; ++column) cells << ordered->field(column).toText();
            rows.push_back(cells);
            if (quantity) *quantity = *quantity + ordered->field(5).toCurrency();
            if (total) *total = *total + ordered->field(6).toCurrency();
        }
        return rows;
    }
};

TEST_F(ReportQueries, DetailRangeCountsTheWholeEndDayOnly)
{
    const int customer = addCustomer(QStringLiteral("甲公司"));
    addOrder(customer, QStringLiteral("a"), QStringLiteral("2009-6-1 0:00:00"), QStringLiteral("1"));
    addOrder(customer, QStringLiteral("b"), QStringLiteral("2009-6-2 23:59:59"), QStringLiteral("2"));
    addOrder(customer, QStringLiteral("c"), QStringLiteral("2009-6-3 0:00:00"), QStringLiteral("4"));
    addOrder(customer, QStringLiteral("d"), QStringLiteral("2009-5-31 23:59:59"), QStringLiteral("8"));
    addLine(customer, QStringLiteral("a"), QStringLiteral("2009-6-1 0:00:00"), QStringLiteral("笔"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
    addLine(customer, QStringLiteral("b"), QStringLiteral("2009-6-2 23:59:59"), QStringLiteral("笔"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("2"));
    addLine(customer, QStringLiteral("c"), QStringLiteral("2009-6-3 0:00:00"), QStringLiteral("笔"), QStringLiteral("4"), QStringLiteral("1"), QStringLiteral("4"));
    addLine(customer, QStringLiteral("d"), QStringLiteral("2009-5-31 23:59:59"), QStringLiteral("笔"), QStringLiteral("8"), QStringLiteral("1"), QStringLiteral("8"));

    const auto rows = salesdetail::listRows({day(2009, 6, 1), day(2009, 6, 2), {}, {}});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (QStringList{"1", "2009-6-2 23:59:59", "SH-b", "甲公司", "笔", "2", "1", "2"}));
    EXPECT_EQ(rows[1].value(1), QStringLiteral("2009-6-1"));
    EXPECT_EQ(rows[2], (QStringList{"3", "", "", "", "", "  总计:", "2", "3"}));

    // The next range starts with the midnight line; each summary counts it once.
    EXPECT_EQ(salessummary::run(Kind::Day, day(2009, 6, 1), day(2009, 6, 2)).totals, QStringLiteral("小计：3"));
    EXPECT_EQ(salessummary::run(Kind::Day, day(2009, 6, 3), day(2009, 6, 3)).totals, QStringLiteral("小计：4"));
    EXPECT_EQ(stockreport::run(stockreport::Kind::Outgoing, day(2009, 6, 1), day(2009, 6, 2)).totals, QStringLiteral("小计：2"));

    // Start after end: the total row alone, numbered 1.
    const auto none = salesdetail::listRows({day(2009, 6, 3), day(2009, 6, 1), {}, {}});
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0], (QStringList{"1", "", "", "", "", "  总计:", "0", "0"}));
    EXPECT_EQ(salessummary::run(Kind::Month, day(2009, 6, 3), day(2009, 6, 1)).totals, QStringLiteral("小计：0"));
    EXPECT_EQ(stockreport::run(stockreport::Kind::IncomingDetail, day(2009, 6, 3), day(2009, 6, 1)).totals,
              QStringLiteral("总金额:0  总数量:0"));
}

TEST_F(ReportQueries, DetailFiltersQuoteTextsAndSkipOrphanLines)
{
    const int quoteCo = addCustomer(QStringLiteral("O'Brien 贸易"));
    const int other = addCustomer(QStringLiteral("乙公司"));
    addOrder(quoteCo, QStringLiteral("q"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("30"));
    addOrder(other, QStringLiteral("o"), QStringLiteral("2009-6-15 10:00:00"), QStringLiteral("5"));
    addLine(quoteCo, QStringLiteral("q"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("Jim's pen"), QStringLiteral("10"), QStringLiteral("3"), QStringLiteral("30"));
    addLine(other, QStringLiteral("o"), QStringLiteral("2009-6-15 10:00:00"), QStringLiteral("纸"), QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("5"));
    addLine(other, QStringLiteral("missing-header"), QStringLiteral("2009-6-15 11:00:00"), QStringLiteral("纸"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
    addLine(999, QStringLiteral("o"), QStringLiteral("2009-6-15 11:00:00"), QStringLiteral("纸"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));

    const QDate today = day(2009, 6, 15);
    for (const QString& every : {QString(), salesdetail::allProducts()})
        EXPECT_EQ(column(salesdetail::listRows({today, today, every, {}}), 3),
                  (QStringList{"乙公司", "O'Brien 贸易", ""}));   // newest first, orphans left out
    EXPECT_EQ(column(salesdetail::listRows({today, today, QStringLiteral("Jim's pen"), {}}), 4),
              (QStringList{"Jim's pen", ""}));
    EXPECT_EQ(column(salesdetail::listRows({today, today, {}, QStringLiteral("'Brien")}), 7), (QStringList{"30", "30"}));
    EXPECT_EQ(column(salesdetail::listRows({today, today, {}, QStringLiteral("公司")}), 3), (QStringList{"乙公司", ""}));
}

// The list's rows, asked for in any order, are those one ordered read of the
// lines joined with their customer and order gives (orders sharing a line
// key each have their row), and once read no database file is held open.
TEST_F(ReportQueries, DetailRowsAreTheRowsOfOneOrderedRead)
{
    const auto openFiles = [] { return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size(); };
    const int a = addCustomer(QStringLiteral("甲公司"));
    const int b = addCustomer(QStringLiteral("乙公司"));
    addOrder(a, QStringLiteral("k1"), QStringLiteral("2009-6-1 9:00:00"), QStringLiteral("1"));
    addOrder(b, QStringLiteral("k2"), QStringLiteral("2009-6-1 9:00:00"), QStringLiteral("1"));
    addOrder(b, QStringLiteral("k1"), QStringLiteral("2009-6-2 9:00:00"), QStringLiteral("1"));
    for (int i = 0; i < 130; ++i) {
        const QString at = QStringLiteral("2009-6-%1 %2:00:00").arg(1 + i % 3).arg(i % 24);
        addLine(i % 2 ? a : b, i % 2 ? QStringLiteral("k1") : QStringLiteral("k2"), at, QStringLiteral("品%1").arg(i % 7),
                QStringLiteral("%1.25").arg(i), QStringLiteral("%1.5").arg(i % 4), QStringLiteral("%1.3333").arg(i));
    }
    // Keys compare without regard to letter case; a Null key, a customer id
    // stored as text and a Null price match as the engine matches them.
    addLine(a, QStringLiteral("K2"), QStringLiteral("2009-6-2 12:00:00"), QStringLiteral("品"), QString(), QStringLiteral("1"), QStringLiteral("1"));
    exec(QStringLiteral("insert into SalesMX (companyid, indexflag, salesdate, productname) values (%1, Null, #2009-6-2 13:00:00#, 'x')").arg(a));
    exec(QStringLiteral("insert into SalesMX (companyid, indexflag, salesdate, productname) values ('%1x', 'k1', #2009-6-2 14:00:00#, 'y')").arg(a));
    // More customers and orders than are read by their keys: 600 customers of one order of one line each.
    exec(QStringLiteral("insert into company (company_name, KH_CZZ, KH_GK) select '客户' || i, 'system', '1' "
                        "from (with recursive n(i) as (select 1 union all select i + 1 from n where i < 600) select i from n)"));
    exec(QStringLiteral("insert into sales (companyid, orderno, indexflag, salesdate) select id, 'SH-m' || id, 'm' || id, "
                        "#2009-6-3 10:00:00# from company where company_name like '客户%'"));
    exec(QStringLiteral("insert into SalesMX (companyid, indexflag, salesdate, productname, price, num, unitprice) "
                        "select companyid, upper(indexflag), #2009-6-3 10:00:00#, '件', 1, 1, 1 from sales where indexflag like 'm%'"));
    db::Currency quantity, total;
    const auto expected = orderedRead(&quantity, &total);
    ASSERT_EQ(expected.size(), 796u);   // the k1 lines twice, once per order

    const auto before = openFiles();
    const auto rows = salesdetail::listRows({day(2009, 6, 1), day(2009, 6, 3), {}, {}});
    EXPECT_EQ(openFiles(), before);
    ASSERT_EQ(rows.size(), expected.size() + 1);
    for (std::size_t row : {795u, 0u, 120u, 599u, 600u, 3u, 750u, 1u, 795u})
        EXPECT_EQ(rows[row], expected[row]) << row;
    EXPECT_EQ(openFiles(), before);
    for (std::size_t row = 0; row < expected.size(); ++row) EXPECT_EQ(rows[row], expected[row]) << row;
    EXPECT_EQ(rows.back(), (QStringList{"797", "", "", "", "", "  总计:", quantity.toString(), total.toString()}));
}

// Each cell shows what the recordset's value of it shows, however it is
// stored: dates in the stored form (midnight, an hour before ten), in other
// forms, impossible, as a number or Null; product names and amounts as
// text, whole, fractional, beyond the currency range or Null; equal values
// on several rows.
TEST_F(ReportQueries, DetailCellsShowWhatTheirValuesShow)
{
    const int customer = addCustomer(QStringLiteral("甲公司"));
    struct Line {
        const char* date;     // SQL: the layer writes a date literal in the stored form, an expression as it is
        const char* amount;   // the product name, price, quantity and subtotal
    };
    const Line lines[] = {
        {"'2009-06-02 00:00:00'", "12"},          {"'2009-06-02 09:05:07'", "12.5"},     {"'2009-06-02 10:00:00'", "'x12'"},
        {"'2009-12-31 23:59:59'", "Null"},        {"'2009-6-2 ' || '9:00'", "1e20"},     {"'2009-02-30 10:00:00'", "0.1"},
        {"'2009-06-02 ' || '09:05:07'", "2"},     {"'2009-06-02 24:00:00'", "2"},        {"40000.5 + 0", "-3.25"},
        {"'not a date'", "12"},                   {"Null", "12.5"},                      {"'2009-06-02 09:05:07' || ' '", "12.50001"},
        {"'2009-06-02 09:05:07'", "12"},          {"'2009-06-02 00:00:00'", "'x12'"},
    };
    int i = 0;
    for (const Line& line : lines) {
        const QString key = QStringLiteral("k%1").arg(i++);
        addOrder(customer, key, QStringLiteral("2009-6-2 9:00:00"), QStringLiteral("1"));
        exec(QStringLiteral("insert into SalesMX (companyid, indexflag, salesdate, productname, price, num, unitprice) "
                            "values (%1, '%2', %3, %4, %4, %4, %4)")
                 .arg(customer).arg(key, QString::fromLatin1(line.date), QString::fromLatin1(line.amount)));
    }
    const auto expected = orderedRead();
    const auto rows = salesdetail::listRows({});
    ASSERT_EQ(expected.size(), std::size(lines));
    ASSERT_EQ(rows.size(), std::size(lines) + 1);
    for (std::size_t row = 0; row < expected.size(); ++row) EXPECT_EQ(rows[row], expected[row]) << row;
    EXPECT_EQ(column(rows, 1),
              (QStringList{"not a date", "2009-6-2 9:00:00", "2009-12-31 23:59:59", "2009-06-02 24:00:00", "2009-6-2 10:00:00",
                           "2009-6-2 9:05:07", "2009-6-2 9:05:07", "2009-6-2 9:05:07", "2009-6-2 9:05:07", "2009-6-2", "2009-6-2",
                           "2009-02-30 10:00:00", "2009-7-6 12:00:00", "", ""}));
}

TEST_F(ReportQueries, SummaryPeriodsNewestFirstWithTheirLabels)
{
    const int customer = addCustomer(QStringLiteral("甲"));
    addOrder(customer, QStringLiteral("a"), QStringLiteral("2008-12-31 12:00:00"), QStringLiteral("7"));
    addOrder(customer, QStringLiteral("b"), QStringLiteral("2009-5-31 23:00:00"), QStringLiteral("10.5"));
    addOrder(customer, QStringLiteral("c"), QStringLiteral("2009-6-1 0:00:00"), QStringLiteral("20"));
    addOrder(customer, QStringLiteral("d"), QStringLiteral("2009-6-1 18:00:00"), QStringLiteral("1.25"));
    const QDate from = day(2008, 1, 1);
    const QDate to = day(2009, 12, 31);

    const auto days = salessummary::run(Kind::Day, from, to);
    EXPECT_EQ(column(days.rows, 1), (QStringList{"2009-6-1", "2009-5-31", "2008-12-31"}));
    EXPECT_EQ(column(days.rows, 2), (QStringList{"21.25", "10.5", "7"}));
    EXPECT_EQ(column(days.rows, 0), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(days.totals, QStringLiteral("小计：38.75"));
    EXPECT_EQ(column(salessummary::run(Kind::Month, from, to).rows, 1), (QStringList{"2009-6月", "2009-5月", "2008-12月"}));
    const auto years = salessummary::run(Kind::Year, from, to);
    EXPECT_EQ(column(years.rows, 1), (QStringList{"2009年", "2008年"}));
    EXPECT_EQ(column(years.rows, 2), (QStringList{"31.75", "7"}));
}

// 100 lines of 0.10 sum to 10, not 9.99999999999998, wherever amounts are summed.
TEST_F(ReportQueries, SumsOfAmountsAreExact)
{
    const int a = addCustomer(QStringLiteral("同名"));
    const int b = addCustomer(QStringLiteral("同名"));
    const int other = addCustomer(QStringLiteral("另一家"));
    for (int i = 0; i < 100; ++i) {
        const QString key = QStringLiteral("k%1").arg(i);
        addOrder(i % 2 ? a : b, key, QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("0.1"));
        addLine(a, key, QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("橡皮"), QStringLiteral("0.1"), QStringLiteral("1"), QStringLiteral("0.1"));
        addPurchase(QStringLiteral("橡皮"), QStringLiteral("供应商"), QStringLiteral("2009-6-15 8:00:00"), QStringLiteral("0.1"), QStringLiteral("1"));
    }
    addOrder(999, QStringLiteral("gone"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("50"));   // customer deleted
    addOrder(other, QStringLiteral("x"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("3"));
    const QDate today = day(2009, 6, 15);

    const auto products = salessummary::run(Kind::Product, today, today);
    ASSERT_EQ(products.rows.size(), 1u);
    EXPECT_EQ(products.rows[0], (QStringList{"1", "橡皮", "10", "100"}));
    EXPECT_EQ(products.totals, QStringLiteral("小计：10"));

    const auto customers = salessummary::run(Kind::Customer, today, today);
    ASSERT_EQ(customers.rows.size(), 2u);   // equal names make one row; the missing customer is not counted
    EXPECT_TRUE(customers.rows[0].contains(QStringLiteral("10")) || customers.rows[1].contains(QStringLiteral("10")));
    EXPECT_EQ(customers.totals, QStringLiteral("小计：13"));

    EXPECT_EQ(salessummary::run(Kind::Day, today, today).totals, QStringLiteral("小计：63"));
    EXPECT_EQ(salesdetail::listRows({today, today, {}, {}}).back().value(7), QStringLiteral("10"));
    const auto incoming = stockreport::run(stockreport::Kind::IncomingTotals, today, today);
    EXPECT_EQ(incoming.rows.at(0), (QStringList{"1", "橡皮", "10", "100"}));
    EXPECT_EQ(incoming.totals, QStringLiteral("总金额:10  总数量:100"));
    EXPECT_EQ(stockreport::run(stockreport::Kind::IncomingDetail, today, today).totals, QStringLiteral("总金额:10  总数量:100"));
}

TEST_F(ReportQueries, StockTotalsLines)
{
    const QDate today = day(2009, 6, 15);
    EXPECT_EQ(stockreport::run(stockreport::Kind::Stock, today, today).totals, QStringLiteral("总金额:  总数量:0"));

    addProduct(QStringLiteral("大件"), QStringLiteral("A型"), QStringLiteral("1.5"), QStringLiteral("30000"));
    addProduct(QStringLiteral("又一件"), QStringLiteral("B型"), QStringLiteral("0.1"), QStringLiteral("3000"));
    addProduct(QStringLiteral("半件"), QStringLiteral(""), QStringLiteral("0.3333"), QStringLiteral("2.5"));
    const auto stock = stockreport::run(stockreport::Kind::Stock, today, today);
    ASSERT_EQ(stock.rows.size(), 3u);
    EXPECT_EQ(stock.rows[0], (QStringList{"1", "大件", "A型", "1.5", "30000"}));
    // Quantities add past 32767 (30000 + 3000 + 2.5, halves to even); the value is exact.
    EXPECT_EQ(stock.totals, QStringLiteral("总金额:45300.83325  总数量:33002"));

    addProduct(QStringLiteral("无价"), QStringLiteral(""), QString(), QStringLiteral("5"));
    addProduct(QStringLiteral("后来"), QStringLiteral(""), QStringLiteral("1"), QStringLiteral("1"));
    const auto lacking = stockreport::run(stockreport::Kind::Stock, today, today);
    EXPECT_EQ(lacking.rows[3], (QStringList{"4", "无价", "", "", "5"}));
    EXPECT_EQ(lacking.totals, QStringLiteral("总金额:  总数量:33008"));

    const int customer = addCustomer(QStringLiteral("甲"));
    addLine(customer, QStringLiteral("k"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("大件"), QStringLiteral("1"), QStringLiteral("40000"), QStringLiteral("40000"));
    addLine(customer, QStringLiteral("k"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("半件"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("3"));
    addLine(customer, QStringLiteral("k"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("无量"), QStringLiteral("1"), QString(), QStringLiteral("3"));
    const auto out = stockreport::run(stockreport::Kind::Outgoing, today, today);
    EXPECT_EQ(out.rows.size(), 3u);
    EXPECT_EQ(out.totals, QStringLiteral("小计：40003"));

    addPurchase(QStringLiteral("大件"), QStringLiteral("供应商甲"), QStringLiteral("2009-6-15 8:00:00"), QStringLiteral("12.5"), QStringLiteral("40000"));
    addPurchase(QStringLiteral("半件"), QStringLiteral("供应商乙"), QStringLiteral("2009-6-15 9:30:00"), QStringLiteral("0.3"), QStringLiteral("2"));
    const auto detail = stockreport::run(stockreport::Kind::IncomingDetail, today, today);
    ASSERT_EQ(detail.rows.size(), 2u);
    EXPECT_EQ(detail.rows[0], (QStringList{"1", "2009-6-15 9:30:00", "供应商乙", "半件", "0.3", "2"}));
    EXPECT_EQ(detail.totals, QStringLiteral("总金额:12.8  总数量:40002"));
}

} // namespace
