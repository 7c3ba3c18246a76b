#include "sales/orderstore.h"

#include "common/columnrules.h"
#include "common/database.h"
#include "common/datecheck.h"
#include "common/linekey.h"
#include "common/ordershare.h"
#include "common/savefailure.h"
#include "common/sqltext.h"
#include "platform/ui/msgbox.h"
#include "platform/db/locale.h"
#include "platform/db/numbertext.h"

#include <limits>

namespace orderstore {

namespace {

// The currency range ends at ±922337203685477.5807 ten-thousandths apart;
// a sum beyond it is refused, never wrapped.
db::Currency checkedTicks(__int128 ticks, const QString& text)
{
    if (ticks > std::numeric_limits<std::int64_t>::max() || ticks < std::numeric_limits<std::int64_t>::min())
        throw Refusal{text};
    return db::Currency::fromTicks(static_cast<std::int64_t>(ticks));
}

double numberField(const db::Recordset& row, const QString& column)
{
    const db::Variant value = row.field(column);
    return value.isNullOrEmpty() ? 0 : value.toDouble();
}

} // namespace

void setBox(db::Recordset& rows, const QString& column, const QString& text)
{
    if (db::trimBlanks(text).isEmpty() || text == QLatin1String("Err"))
        rows.setField(column, db::Variant::null());
    else
        rows.setField(column, db::Variant(text));
}

QString refusal(const Order& order)
{
    const QString badDate = datecheck::requiredRefusal(QStringLiteral("销售日期"), order.date);
    if (!badDate.isEmpty()) return badDate;
    const QString sales = QStringLiteral("sales");
    std::vector<columnrules::Box> boxes{{sales, QStringLiteral("orderno"), QStringLiteral("流水号"), order.orderNo},
                                        {sales, QStringLiteral("sales_connect"), QStringLiteral("联系人"), order.contact},
                                        {sales, QStringLiteral("totlemoney"), QStringLiteral("订单金额"), order.total},
                                        {sales, QStringLiteral("receivemoney"), QStringLiteral("收款金额"), order.received}};
    addLineBoxes(boxes, order.lines, QStringLiteral("产品名称"));
    return columnrules::firstRefusal(boxes);
}

void addLineBoxes(std::vector<columnrules::Box>& boxes, const std::vector<Line>& lines, const QString& productCaption)
{
    for (std::size_t row = 0; row < lines.size(); ++row) {
        const Line& line = lines[row];
        const auto lineBoxes = columnrules::lineBoxes(QStringLiteral("SalesMX"), int(row), productCaption, line.product,
                                                      line.price, line.discount, line.quantity, line.total);
        boxes.insert(boxes.end(), lineBoxes.begin(), lineBoxes.end());
    }
}

db::Currency checkedSum(db::Currency a, db::Currency b, const QString& text)
{
    return checkedTicks(__int128(a.ticks()) + b.ticks(), text);
}

db::Currency checkedDifference(db::Currency a, db::Currency b, const QString& text)
{
    return checkedTicks(__int128(a.ticks()) - b.ticks(), text);
}

bool inTransaction(const std::function<void(db::Connection&)>& steps, const QString& failedText, bool withReason,
                   const std::function<void(db::Connection&)>& beforeBegin)
{
    std::unique_ptr<db::Connection> connection;
    QString message = failedText;
    try {
        connection = database::openMain();
        if (beforeBegin) beforeBegin(*connection);
        connection->beginTrans();
        steps(*connection);
        connection->commitTrans();
        return true;
    } catch (const Refusal& refusal) {
        message = refusal.text;
    } catch (const ordershare::OutOfRange&) {
        message = QString::fromUtf8(kCustomerBalanceTooLargeText);
    } catch (const db::Error& error) {
        message = savefailure::text(failedText, error,
                                    withReason ? savefailure::Reason::Shown : savefailure::Reason::Hidden);
    }
    if (connection) database::guarded([&] { connection->rollbackTrans(); });
    ui::msgBox(message);
    return false;
}

bool customerExists(db::Connection& connection, const QString& customerId)
{
    bool isId = false;
    const qint64 id = customerId.trimmed().toLongLong(&isId);
    if (!isId) return false;
    db::Recordset row;
    row.open(QStringLiteral("select id from company where id=") + QString::number(id), connection);
    return !row.eof();
}

void writeHeader(db::Recordset& header, const Order& order)
{
    header.setField(QStringLiteral("companyid"), db::Variant(order.customerId.trimmed()));
    header.setField(QStringLiteral("orderno"), db::Variant(order.orderNo));
    header.setField(QStringLiteral("sales_connect"), db::Variant(order.contact));
    setBox(header, QStringLiteral("salesdate"), order.date);
    setBox(header, QStringLiteral("totlemoney"), order.total);
    header.setField(QStringLiteral("invoicetype"), db::Variant(order.invoice ? "1" : "0"));
    setBox(header, QStringLiteral("receivemoney"), order.received);
    header.setField(QStringLiteral("description"), db::Variant(order.remarks));
    header.setField(QStringLiteral("sal_gk"), db::Variant(order.isPublic ? "1" : "0"));
}

void insertLine(db::Recordset& lines, const Order& order, const Line& line, const QString& lineKey)
{
    lines.addNew();
    lines.setField(QStringLiteral("productname"), db::Variant(line.product));
    lines.setField(QStringLiteral("companyid"), db::Variant(order.customerId.trimmed()));
    setBox(lines, QStringLiteral("price"), line.price);
    setBox(lines, QStringLiteral("zk"), line.discount);
    setBox(lines, QStringLiteral("num"), line.quantity);
    setBox(lines, QStringLiteral("unitprice"), line.total);
    setBox(lines, QStringLiteral("salesdate"), order.date);
    lines.setField(QStringLiteral("indexflag"), db::Variant(lineKey));
    lines.update();
}

double insertLines(db::Connection& connection, const Order& order, const QString& lineKey)
{
    db::Recordset lines;
    lines.open(QStringLiteral("select * from SalesMX"), connection, db::CursorType::Static, db::LockType::Optimistic);
    double quantity = 0;
    for (const Line& line : order.lines) {
        insertLine(lines, order, line, lineKey);
        const double sold = quantityOf(line.quantity);
        quantity += sold;
        changeStock(connection, line.product, -sold);
    }
    return quantity;
}

void changeStock(db::Connection& connection, const QString& name, double change)
{
    if (change == 0) return;
    db::Recordset products;
    products.open(QStringLiteral("select * from product where product=") + sqltext::quoted(name), connection,
                  db::CursorType::Static, db::LockType::Optimistic);
    for (; !products.eof(); products.moveNext()) {
        // The database compares names without regard to letter case; stock
        // belongs to the product of exactly this name.
        if (products.field(QStringLiteral("product")).toText() != name) continue;
        products.setField(QStringLiteral("KCL"), db::Variant(numberField(products, QStringLiteral("KCL")) + change));
        products.update();
    }
}

void storeNewOrder(db::Connection& connection, const Order& order, const QString& createTime,
                   const QString& operatorName)
{
    const QString lineKey = linekey::newLineKey(connection, QStringLiteral("sales"), QStringLiteral("SalesMX"));
    db::Recordset header;
    header.open(QStringLiteral("select * from sales"), connection, db::CursorType::Static, db::LockType::Optimistic);
    header.addNew();
    writeHeader(header, order);
    header.setField(QStringLiteral("indexflag"), db::Variant(lineKey));
    header.setField(QStringLiteral("createtime"), db::Variant(createTime));
    header.setField(QStringLiteral("sal_CZZ"), db::Variant(operatorName));
    header.update();
    const qint64 orderId = header.field(QStringLiteral("id")).toLong();

    const double quantity = insertLines(connection, order, lineKey);
    connection.execute(QStringLiteral("update sales set TotalNum=") + QString::number(quantity, 'g', 15)
                       + QStringLiteral(" where id=") + QString::number(orderId));

    ordershare::add(connection, order.customerId.trimmed().toLongLong(),
                    ordershare::of(amountOf(order.total), amountOf(order.received), quantity));
}

double quantityOf(const QString& text)
{
    return db::numbertext::parse(text).value_or(0);
}

db::Currency amountOf(const QString& text)
{
    return db::Currency::fromTicks(db::numbertext::parseTicks(text).value_or(0));
}

db::Currency amountOf(const db::Variant& stored)
{
    return stored.isNullOrEmpty() ? db::Currency() : stored.toCurrency();
}

} // namespace orderstore
