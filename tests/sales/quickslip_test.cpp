// The quick-order slip's text: head, one padded line per written row, foot
// and the optional remark.
#include "sales/quickslip.h"

#include <gtest/gtest.h>

namespace {

quickorder::Line line(const QString& product, const QString& quantity, const QString& price)
{
    return quickorder::Line{.product = product, .price = price, .discount = QStringLiteral("100"), .quantity = quantity};
}

// The slip's order lines, between the two rules.
QStringList itemLines(const QString& slip)
{
    const QStringList lines = slip.split(QLatin1Char('\n'));
    const int first = lines.indexOf(QString(30, QLatin1Char('-')));
    const int last = lines.lastIndexOf(QString(30, QLatin1Char('-')));
    return lines.mid(first + 1, last - first - 1);
}

TEST(QuickSlip, ComposesTheWholeTextWithLineFeedsOnly)
{
    quickorder::Customer customer{7, QStringLiteral("王记"), QStringLiteral("13800000001"), QString(), QStringLiteral("x")};
    quickorder::Order order;
    order.orderNo = QStringLiteral("SH2612895 3");
    order.address = QStringLiteral("  东门路1号 ");
    order.total = QStringLiteral("31.5");
    order.lines = {line(QStringLiteral("饺子"), QStringLiteral("2"), QStringLiteral("12"))};
    const QString slip = quickslip::compose(customer, order, QDateTime(QDate(2026, 12, 8), QTime(9, 5, 3)));
    EXPECT_EQ(slip, QStringLiteral("\n打印时间:2026-12-8 9:05:03\n订单号:SH2612895 3\n客户名称:王记\n"
                                   "客户电话:13800000001  \n配送地址:东门路1号\n\n  商品               数量 单价\n")
                        + QString(30, QLatin1Char('-')) + QStringLiteral("\n饺子") + QString(19, QLatin1Char(' '))
                        + QStringLiteral("2    12\n") + QString(30, QLatin1Char('-'))
                        + QStringLiteral("\n总计：31.5 元     回款:            \n"));
    EXPECT_FALSE(slip.contains(QLatin1Char('\r')));

    // Blanks only add no remark line; a remark keeps its leading blanks and ends the text.
    order.remarks = QStringLiteral("   ");
    EXPECT_TRUE(quickslip::compose(customer, order, {}).endsWith(QStringLiteral("回款:            \n")));
    order.remarks = QStringLiteral("  放门口");
    EXPECT_TRUE(quickslip::compose(customer, order, {}).endsWith(QStringLiteral("回款:            \n注:  放门口")));
}

TEST(QuickSlip, NamesAndQuantitiesArePaddedByTheirWidth)
{
    quickorder::Order order;
    order.lines = {line(QString(11, QChar(0x996D)), QStringLiteral("2"), QStringLiteral("1")),       // 22 columns
                   line(QString(12, QChar(0x996D)), QStringLiteral("12345"), QStringLiteral("2")),   // 24 columns
                   line(QStringLiteral("ab  "), QStringLiteral("123456"), QStringLiteral("3")),      // trailing blanks
                   line(QString(), QString(), QString())};
    const QStringList items = itemLines(quickslip::compose({}, order, {}));
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0], QString(11, QChar(0x996D)) + QStringLiteral(" 2    1"));
    EXPECT_EQ(items[1], QString(12, QChar(0x996D)) + QStringLiteral("123452"));
    EXPECT_EQ(items[2], QStringLiteral("ab  ") + QString(21, QLatin1Char(' ')) + QStringLiteral("1234563"));
    EXPECT_EQ(items[3], QString(28, QLatin1Char(' ')));
}

} // namespace
