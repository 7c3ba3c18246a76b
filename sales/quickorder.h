#pragma once
// The store of the quick phone order: a new customer, its main contact, a
// sales order, the order's lines and the order notice in the SMS outbox,
// written in one transaction across both files.
#include "platform/db/connection.h"
#include "sales/orderstore.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace quickorder {

// A line row as the order windows share it.
using Line = orderstore::Line;

// The window's boxes as typed.
struct Order {
    QString name;        // companyname
    QString contact;     // LXR
    QString tel;
    QString address;     // company_address
    QString group;       // the chosen customer group (Custtype), empty when none
    QString remarks;     // descript
    QString date;        // salesdate
    QString orderNo;
    QString total;       // totalMx
    QString received;    // receivemoney
    bool invoice = false;
    bool isPublic = false;
    std::vector<Line> lines;   // the rows to write, see rowsToWrite
};

// The message for the first box whose text its column cannot take: a text
// too long ("客户名称太长，最多100个字"), a sale date left empty ("销售日期不能为空")
// or that is no date ("销售日期不是一个合法的日期"), an amount that is no number
// or beyond the currency range, then each line by the
// line rule of the order windows ("第1行商品太长，最多100个字", "第2行单价必须是
// 数字"); empty when all fit (common/columnrules). An order total of "Err"
// fits: it leaves its column unset.
QString refusal(const Order& order);

// How many rows the save writes, given the quantity texts of the rows that
// exist: row 0 always, then each next row while its quantity is not blank,
// not "0" and a number.
int rowsToWrite(const QStringList& quantities);

// The new customer as stored.
struct Customer {
    std::int64_t id = 0;
    QString name, tel, mobile, address;
};

// Writes the customer, the contact, the order under `lineKey`, its lines and
// the order's share of the new customer's balances (ordershare) on the
// connection, inside the caller's transaction; returns the customer
// read back from its row. A value that its column cannot take (an empty or
// non-numeric amount, a line total "Err") leaves that column unset; any
// other failure throws db::Error.
Customer write(db::Connection& connection, const Order& order, const QString& lineKey);

// The notice for the group's mobile number: the stored customer's name,
// telephone and address, then each line's product and quantity, and the total.
QString notice(const Customer& customer, const Order& order);

// What a save stored: the customer, and why no notice was queued with the
// order (empty when one was).
struct Saved {
    Customer customer;
    QString noNotice;
};

// Stores the order under a new line key and, in the same commit, its notice
// in the SMS outbox, to be sent at once to the mobile number kept with the
// order's customer group (its py_code, as stored): both are stored or
// neither. A failure shows `failedText` with the database's reason
// (orderstore::inTransaction), a file that another workstation holds, the
// main one or the SMS database, the busy words; nothing is stored then. The
// order is stored alone, `noNotice` saying why, when the SMS database is
// missing, no database or has no outbox, and when the group has no number
// stored: a notice to no number would never be sent. None when nothing was
// stored.
std::optional<Saved> save(const Order& order, const QString& failedText);

} // namespace quickorder
