#include "sales/quickslip.h"

#include "common/displaywidth.h"
#include "platform/db/locale.h"

namespace quickslip {

namespace {

const QString kRule = QString(30, QLatin1Char('-'));

// The product name as typed, filled to 23 print columns by the width of its
// trimmed copy; the quantity filled to 5 characters; the price.
QString itemLine(const quickorder::Line& line)
{
    return fillByWidth(line.product, 22) + fillByLength(line.quantity, 4) + line.price + QLatin1Char('\n');
}

} // namespace

QString compose(const quickorder::Customer& customer, const quickorder::Order& order, const QDateTime& printedAt)
{
    QString slip = QStringLiteral("\n");
    slip += QStringLiteral("打印时间:") + db::locale::generalDate(printedAt) + QLatin1Char('\n');
    slip += QStringLiteral("订单号:") + order.orderNo + QLatin1Char('\n');
    slip += QStringLiteral("客户名称:") + customer.name + QLatin1Char('\n');
    slip += QStringLiteral("客户电话:") + customer.tel + QStringLiteral("  ") + customer.mobile + QLatin1Char('\n');
    slip += QStringLiteral("配送地址:") + db::trimBlanks(order.address) + QLatin1Char('\n');
    slip += QLatin1Char('\n');
    slip += QStringLiteral("  商品   ") + QString(12, QLatin1Char(' ')) + QStringLiteral("数量 单价\n");
    slip += kRule + QLatin1Char('\n');
    for (const quickorder::Line& line : order.lines) slip += itemLine(line);
    slip += kRule + QLatin1Char('\n');
    slip += QStringLiteral("总计：") + order.total + QStringLiteral(" 元     回款:            \n");
    if (!db::trimBlanks(order.remarks).isEmpty()) slip += QStringLiteral("注:") + order.remarks;
    return slip;
}

} // namespace quickslip
