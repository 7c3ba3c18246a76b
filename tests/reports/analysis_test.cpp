// The analyses' arithmetic and grouping: per product and per customer, by
// year, month and calendar day, exact sums and full quantities.
#include "salesfixture.h"

#include "reports/composition.h"
#include "reports/trend.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

class Analyses : public SalesData {
protected:
    static QStringList lines(const analysis::Result& result) { return result.text.split(kCrLf).mid(2); }
};

TEST_F(Analyses, PerProductAmountsFromPriceQuantityAndDiscount)
{
    const int customer = addCustomer(QStringLiteral("甲"));
    const QString at = QStringLiteral("2009-6-15 9:00:00");
    addLine(customer, QStringLiteral("a"), at, QStringLiteral("Pen"), QStringLiteral("1.25"), QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("90"));
    addLine(customer, QStringLiteral("b"), at, QStringLiteral("Pen"), QStringLiteral("0.3333"), QStringLiteral("2.5"), QStringLiteral("0"), QStringLiteral("100"));
    addLine(customer, QStringLiteral("c"), at, QStringLiteral("Pen"), QStringLiteral("10"), QStringLiteral("40000"), QStringLiteral("0"), QStringLiteral("50"));
    addLine(customer, QStringLiteral("d"), at, QStringLiteral("pen"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("100"));
    addLine(customer, QStringLiteral("e"), at, QStringLiteral("zero"), QStringLiteral("0"), QStringLiteral("4"), QStringLiteral("0"), QStringLiteral("100"));
    addLine(customer, QStringLiteral("f"), QStringLiteral("2009-6-16 0:00:00"), QStringLiteral("Pen"), QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("0"));

    const auto result = composition::run(composition::By::Product, day(2009, 6, 15), day(2009, 6, 15));
    EXPECT_TRUE(result.text.startsWith(kCrLf + QStringLiteral("  产品名称  \t销售金额\t销售数量") + kCrLf));
    // 1.25×3×90/100 = 3.375; 0.3333×2.5 = 0.83325 → 0.8332 (halves to even); 10×40000×50/100 = 200000
    // quantities: 3 + 2 (2.5 to even) + 40000; case makes its own group; the last group counts though zero.
    const QStringList expected{QStringLiteral("Pen\t200004.2082\t40005"), QStringLiteral("pen\t2\t1"), QStringLiteral("zero\t0\t4")};
    QStringList sorted = lines(result);
    EXPECT_EQ(sorted.size(), 3);
    for (const QString& line : expected) EXPECT_TRUE(sorted.contains(line)) << line.toStdString() << result.text.toStdString();
    EXPECT_EQ(result.amountTotal, QStringLiteral("总金额：200006.2082"));
    EXPECT_EQ(result.secondTotal, QStringLiteral("总数量：40010"));
    EXPECT_EQ(result.title, QStringLiteral("按产品统计"));
    ASSERT_EQ(result.chart.size(), 3u);

    const auto none = composition::run(composition::By::Product, day(2009, 6, 16), day(2009, 6, 15));
    EXPECT_EQ(none.text, kCrLf + QStringLiteral("  产品名称  \t销售金额\t销售数量"));
    EXPECT_EQ(none.amountTotal, QStringLiteral("总金额："));
    EXPECT_EQ(none.secondTotal, QStringLiteral("总数量："));
    EXPECT_TRUE(none.chart.empty());
}

TEST_F(Analyses, PerCustomerCountsTheEndDayAndKeepsMissingCustomers)
{
    const int a = addCustomer(QStringLiteral("甲公司"));
    const int b = addCustomer(QStringLiteral("乙公司"));
    for (int i = 0; i < 100; ++i)
        addOrder(a, QStringLiteral("a%1").arg(i), QStringLiteral("2009-6-15 14:00:00"), QStringLiteral("0.1"), QStringLiteral("0"));
    addOrder(b, QStringLiteral("b1"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("50"), QStringLiteral("80"));
    addOrder(77, QStringLiteral("gone"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("5"), QStringLiteral("1"));

    const auto result = composition::run(composition::By::Customer, day(2009, 6, 15), day(2009, 6, 15));
    EXPECT_EQ(lines(result), (QStringList{QStringLiteral("甲公司\t10\t10"), QStringLiteral("乙公司\t50\t-30"),
                                          composition::missingCustomerLabel(QStringLiteral("77")) + QStringLiteral("\t5\t4")}));
    EXPECT_EQ(result.amountTotal, QStringLiteral("总金额：65"));
    EXPECT_EQ(result.secondTotal, QStringLiteral("未付金额：-16"));
    EXPECT_EQ(result.chart.at(0), std::make_pair(QStringLiteral("甲公司"), 10.0));
}

// Customers come in the order of their ids as the database orders them:
// orders without a customer first, then ids by value, then ids that are text.
TEST_F(Analyses, PerCustomerGroupsComeInTheOrderOfTheirIds)
{
    const int named = addCustomer(QStringLiteral("甲公司"));
    for (const int id : {10, named, 9, -3, 10})
        addOrder(id, QStringLiteral("o"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("2.5"), QStringLiteral("1"));
    exec(QStringLiteral("insert into sales (companyid, salesdate, totlemoney, receivemoney) values "
                        "(Null, #2009-6-15 10:00:00#, 1, Null), ('abc', #2009-6-15 10:00:00#, 4, 4), ('ab', #2009-6-15 10:00:00#, 8, 0)"));

    const auto result = composition::run(composition::By::Customer, day(2009, 6, 15), day(2009, 6, 15));
    EXPECT_EQ(lines(result), (QStringList{composition::missingCustomerLabel(QString()) + QStringLiteral("\t1\t0"),
                                          composition::missingCustomerLabel(QStringLiteral("-3")) + QStringLiteral("\t2.5\t1.5"),
                                          QStringLiteral("甲公司\t2.5\t1.5"),
                                          composition::missingCustomerLabel(QStringLiteral("9")) + QStringLiteral("\t2.5\t1.5"),
                                          composition::missingCustomerLabel(QStringLiteral("10")) + QStringLiteral("\t5\t3"),
                                          composition::missingCustomerLabel(QStringLiteral("ab")) + QStringLiteral("\t8\t8"),
                                          composition::missingCustomerLabel(QStringLiteral("abc")) + QStringLiteral("\t4\t0")}));
    EXPECT_EQ(result.amountTotal, QStringLiteral("总金额：25.5"));
    EXPECT_EQ(result.secondTotal, QStringLiteral("未付金额：15.5"));
}

TEST_F(Analyses, TrendOfEveryOrderByMonth)
{
    const int c = addCustomer(QStringLiteral("甲"));
    addOrder(c, QStringLiteral("o1"), QStringLiteral("2009-1-5 10:00:00"), QStringLiteral("100"), QStringLiteral("100"));
    addLine(c, QStringLiteral("o1"), QStringLiteral("2009-1-5 10:00:00"), QStringLiteral("p"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("2"));
    addLine(c, QStringLiteral("o1"), QStringLiteral("2009-1-5 10:00:00"), QStringLiteral("p"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
    addLine(c, QStringLiteral("o1"), QStringLiteral("2008-12-5 10:00:00"), QStringLiteral("p"), QStringLiteral("1"), QStringLiteral("7"), QStringLiteral("7"));
    addOrder(c, QStringLiteral("o2"), QStringLiteral("2009-1-20 10:00:00"), QStringLiteral("50"), QStringLiteral("0"));
    addLine(c, QStringLiteral("o2"), QStringLiteral("2009-1-20 10:00:00"), QStringLiteral("p"), QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("5"));
    addOrder(c, QStringLiteral("o3"), QStringLiteral("2009-2-3 10:00:00"), QStringLiteral("80"), QStringLiteral("30"));
    addLine(c, QStringLiteral("o3"), QStringLiteral("2009-2-3 10:00:00"), QStringLiteral("p"), QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("4"));

    const auto result = trend::run(trend::Mode::Month, std::nullopt, day(2009, 1, 1), day(2009, 2, 28));
    EXPECT_EQ(result.text, kCrLf + QStringLiteral("  月 份 \t销售金额\t未付金额\t销售数量") + kCrLf
                               + QStringLiteral("2009-1\t150\t50\t8") + kCrLf + QStringLiteral("2009-2\t80\t50\t4"));
    EXPECT_EQ(result.amountTotal, QStringLiteral("总金额：230"));
    EXPECT_EQ(result.secondTotal, QStringLiteral("未付金额：100"));
    EXPECT_EQ(result.title, QStringLiteral("按月份统计"));
    EXPECT_EQ(result.chart, (std::vector<std::pair<QString, double>>{{"2009-1", 150}, {"2009-2", 80}}));

    addOrder(c, QStringLiteral("o4"), QStringLiteral("2009-10-1 10:00:00"), QStringLiteral("1"));
    addOrder(c, QStringLiteral("o5"), QStringLiteral("2009-9-30 23:00:00"), QStringLiteral("2"));
    EXPECT_EQ(lines(trend::run(trend::Mode::Month, std::nullopt, day(2009, 9, 1), day(2009, 10, 31))),
              (QStringList{"2009-9\t2\t2\t0", "2009-10\t1\t1\t0"}));
}

TEST_F(Analyses, TrendByCalendarDayAndForOneProduct)
{
    const int c = addCustomer(QStringLiteral("甲"));
    addOrder(c, QStringLiteral("o1"), QStringLiteral("2009-3-1 9:00:00"), QStringLiteral("10"), QStringLiteral("0"));
    addOrder(c, QStringLiteral("o2"), QStringLiteral("2009-3-1 15:30:00"), QStringLiteral("5"), QStringLiteral("5"));
    const auto days = trend::run(trend::Mode::Day, std::nullopt, day(2009, 3, 1), day(2009, 3, 1));
    EXPECT_EQ(lines(days), (QStringList{"2009-3-1\t15\t10\t0"}));
    EXPECT_EQ(days.title, QStringLiteral("按天统计"));

    const QString name = QStringLiteral("Jim's 笔");
    addLine(c, QStringLiteral("o1"), QStringLiteral("2009-3-1 9:00:00"), name, QStringLiteral("2"), QStringLiteral("1.5"), QStringLiteral("3"));
    addLine(c, QStringLiteral("o2"), QStringLiteral("2009-3-2 9:00:00"), name, QStringLiteral("2"), QStringLiteral("1.5"), QStringLiteral("3"), QStringLiteral("50"));
    const QDate from = day(2009, 1, 1);
    const QDate to = day(2009, 12, 31);
    const auto year = trend::run(trend::Mode::Year, name, from, to);
    EXPECT_EQ(lines(year), (QStringList{"2009\t4.5\t未知\t3"}));
    EXPECT_EQ(year.secondTotal, QStringLiteral("总数量：4"));
    EXPECT_EQ(year.amountTotal, QStringLiteral("总金额：4.5"));
    EXPECT_EQ(lines(trend::run(trend::Mode::Month, name, from, to)), (QStringList{"2009-3\t4.5\t\t4"}));
    const auto perDay = trend::run(trend::Mode::Day, name, from, to);
    EXPECT_EQ(lines(perDay), (QStringList{"2009-3-1\t3\t \t2", "2009-3-2\t1.5\t \t2"}));
    EXPECT_EQ(perDay.title, QStringLiteral("按天分析图表"));
}

// Each order's quantity is the sum of its lines' whole quantities, found by
// the exact line key wherever the lines lie: orders that share a key each
// count all its lines, a key differing in letter case is another key, a
// missing key is the empty one, and a date stored in another form still
// finds its period.
TEST_F(Analyses, TrendAddsEachOrdersLinesByItsExactKeyWhereverTheyLie)
{
    const int c = addCustomer(QStringLiteral("甲"));
    addOrder(c, QStringLiteral("K"), QStringLiteral("2009-4-2 10:00:00"), QStringLiteral("10"), QStringLiteral("4"));
    addLine(c, QStringLiteral("K"), QStringLiteral("2009-4-2 10:00:00"), QStringLiteral("p"), QStringLiteral("1"), QStringLiteral("2.5"), QStringLiteral("1"));
    addOrder(c, QStringLiteral("m"), QStringLiteral("2009-4-30 23:59:59"), QStringLiteral("1.5"), QString());
    addLine(c, QStringLiteral("m"), QStringLiteral("2009-4-30 23:59:59"), QStringLiteral("p"), QStringLiteral("1"), QStringLiteral("3.5"), QStringLiteral("1"));
    addLine(c, QStringLiteral("K"), QStringLiteral("2009-5-3 10:00:00"), QStringLiteral("p"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
    addLine(c, QStringLiteral("k"), QStringLiteral("2009-4-2 10:00:00"), QStringLiteral("p"), QStringLiteral("1"), QStringLiteral("100"), QStringLiteral("1"));
    addLine(c, QStringLiteral("K"), QStringLiteral("2009-6-1 10:00:00"), QStringLiteral("p"), QStringLiteral("1"), QStringLiteral("50"), QStringLiteral("1"));
    addLine(c, QStringLiteral("m"), QStringLiteral("2009-4-30 10:00:00"), QStringLiteral("p"), QStringLiteral("1"), QString(), QStringLiteral("1"));
    addOrder(c, QStringLiteral("K"), QStringLiteral("2009-5-3 10:00:00"), QStringLiteral("20"), QStringLiteral("20"));
    exec(QStringLiteral("insert into sales (companyid, salesdate, totlemoney, receivemoney) values (%1, #2009-5-10 8:00:00#, 7, 7)").arg(c));
    exec(QStringLiteral("insert into SalesMX (companyid, salesdate, num) values (%1, #2009-5-10 8:00:00#, 6)").arg(c));
    addOrder(c, QStringLiteral("q"), QStringLiteral("2009-5-20 10:00:00"), QStringLiteral("3"), QStringLiteral("1"));
    addLine(c, QStringLiteral("q"), QStringLiteral("2009-5-20 10:00:00"), QStringLiteral("p"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"));
    exec(QStringLiteral("update sales set salesdate = '2009-05-20' where indexflag = 'q'"));

    const QDate from = day(2009, 4, 1);
    const QDate to = day(2009, 5, 31);
    const auto months = trend::run(trend::Mode::Month, std::nullopt, from, to);
    // K: 2.5 → 2 and 1 for each of its two orders; m: 3.5 → 4; the missing key: 6; q: 2.
    EXPECT_EQ(lines(months), (QStringList{"2009-4\t11.5\t6\t7", "2009-5\t30\t2\t11"}));
    EXPECT_EQ(months.amountTotal, QStringLiteral("总金额：41.5"));
    EXPECT_EQ(months.secondTotal, QStringLiteral("未付金额：8"));
    EXPECT_EQ(lines(trend::run(trend::Mode::Day, std::nullopt, from, to)),
              (QStringList{"2009-4-2\t10\t6\t3", "2009-4-30\t1.5\t0\t4", "2009-5-3\t20\t0\t3", "2009-5-10\t7\t0\t6",
                           "2009-5-20\t3\t2\t2"}));
    EXPECT_EQ(lines(trend::run(trend::Mode::Year, std::nullopt, from, to)), (QStringList{"2009\t41.5\t8\t18"}));
}

} // namespace
