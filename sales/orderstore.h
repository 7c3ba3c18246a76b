#pragma once
// What the order windows store: the order as its boxes hold it, the check
// that every box fits its column, and the steps of a save that run inside
// its transaction (header, lines, stock, customer balances).
#include "common/columnrules.h"
#include "platform/db/connection.h"
#include "platform/db/variant.h"

#include <QString>
#include <functional>
#include <vector>

namespace orderstore {

// A line row's boxes as typed.
struct Line {
    QString product, price, discount, quantity, total;
};

struct Order {
    QString customerId;     // KH_ID
    QString orderNo, contact, date, total, received, remarks;
    bool invoice = false, isPublic = false;
    std::vector<Line> lines;   // the rows of the walk
};

// The message for the first box whose text its column cannot take ("销售日期
// 不是一个合法的日期", "联系人太长，最多50个字", "第2行单价必须是数字", ...;
// common/columnrules); empty when every box fits. The sale date must be given
// ("销售日期不能为空"): the sales reports select orders by it. Other empty
// boxes and a line total of "Err" fit: they store nothing.
QString refusal(const Order& order);
// The boxes of the order's lines ("第N行…"), the product's headed by its caption.
void addLineBoxes(std::vector<columnrules::Box>& boxes, const std::vector<Line>& lines, const QString& productCaption);

// A box's text into its column: an empty box (and a total of "Err") stores no
// value. A value its column refuses throws: `refusal` has turned it away first.
void setBox(db::Recordset& rows, const QString& column, const QString& text);

// A save's refusal found inside its transaction, with the message to show.
struct Refusal {
    QString text;
};

// A customer's balance the save would take beyond the currency range.
inline constexpr const char* kCustomerBalanceTooLargeText = "客户的余额将超出金额的范围，订单没有保存";
// Sum and difference of amounts; Refusal{text} when the result would leave
// the currency range (it never wraps round).
db::Currency checkedSum(db::Currency a, db::Currency b, const QString& text);
db::Currency checkedDifference(db::Currency a, db::Currency b, const QString& text);
// Runs a save's steps in one transaction on a new connection: commits when
// they end, rolls everything back when one throws. A Refusal shows its own
// message, a balance beyond the currency range (ordershare::OutOfRange)
// kCustomerBalanceTooLargeText, any database failure `failedText` (followed by
// the database's own text with `withReason`; a busy file adds why,
// savefailure). True when committed.
// `beforeBegin` runs on the connection before the transaction starts (a file
// attached then is written by the same commit); its failure is the save's.
bool inTransaction(const std::function<void(db::Connection&)>& steps, const QString& failedText,
                   bool withReason = false, const std::function<void(db::Connection&)>& beforeBegin = {});

// The customer row of a KH_ID text; false when it names no customer.
bool customerExists(db::Connection& connection, const QString& customerId);

// The header columns both windows write from the boxes.
void writeHeader(db::Recordset& header, const Order& order);
// Adds one line under the key.
void insertLine(db::Recordset& lines, const Order& order, const Line& line, const QString& lineKey);

// Adds the order's lines under the key, each taking its quantity from the
// stock of its product; returns the quantity of all lines.
double insertLines(db::Connection& connection, const Order& order, const QString& lineKey);

// Adds `change` to the stock of every product named exactly `name` (letter
// case and blanks count); an empty stock counts as 0.
void changeStock(db::Connection& connection, const QString& name, double change);

// Stores a new order as the new-order window saves it: a new line key, the
// header (stamped with `createTime` and `operatorName`), the lines with their
// stock, the header's quantity and the order's share of the customer's
// balances (ordershare). ordershare::OutOfRange when a balance would leave the
// currency range.
void storeNewOrder(db::Connection& connection, const Order& order, const QString& createTime,
                   const QString& operatorName);

// A box's text as a number / an amount; 0 when empty or no number.
double quantityOf(const QString& text);
db::Currency amountOf(const QString& text);
db::Currency amountOf(const db::Variant& stored);

} // namespace orderstore
