#include "sales/quickorder.h"

#include "common/columnrules.h"
#include "common/datecheck.h"
#include "common/linekey.h"
#include "common/mymode.h"
#include "common/ordershare.h"
#include "common/recordstamp.h"
#include "common/smsoutbox.h"
#include "common/sqltext.h"
#include "platform/db/locale.h"
#include "sales/orderstore.h"

namespace quickorder {

namespace {

// Why an order was stored without its notice.
const char* const kNoGroupText = "没有选择客户分类，没有收信的手机号码";
const char* const kGroupWithoutNumberText = "客户分类“%1”没有登记收信的手机号码";

QString today()
{
    return db::locale::shortDate(db::locale::now().date());
}

std::int64_t addCustomer(db::Connection& connection, const Order& order)
{
    db::Recordset company;
    company.open(QStringLiteral("select * from company "), connection, db::CursorType::Static, db::LockType::Optimistic);
    company.addNew();
    company.setField(QStringLiteral("company_name"), order.name);
    company.setField(QStringLiteral("company_address"), order.address);
    company.setField(QStringLiteral("company_connect"), order.contact);
    company.setField(QStringLiteral("company_tel"), order.tel);
    company.setField(QStringLiteral("company_client_type"), order.group);
    customerrecord::stampNewCustomer(company, order.isPublic);
    company.setField(QStringLiteral("company_description"), order.remarks);
    company.setField(QStringLiteral("company_createtime"), today());
    company.update();
    // The key of the row just inserted, not the last row of the table: another
    // workstation may have inserted since.
    return company.field(QStringLiteral("id")).toLong();
}

void addContact(db::Connection& connection, const Order& order, std::int64_t customerId)
{
    db::Recordset contact;
    contact.open(QStringLiteral("select * from KH_LXR"), connection, db::CursorType::Static, db::LockType::Optimistic);
    contact.addNew();
    contact.setField(QStringLiteral("Connect_name"), order.contact);
    contact.setField(QStringLiteral("address"), order.address);
    contact.setField(QStringLiteral("companyid"), customerId);
    contact.setField(QStringLiteral("tel"), order.tel);
    customerrecord::stampNewContact(contact, order.isPublic);
    contact.update();
}

void addOrder(db::Connection& connection, const Order& order, std::int64_t customerId, const QString& lineKey)
{
    db::Recordset sales;
    sales.open(QStringLiteral("select * from sales"), connection, db::CursorType::Static, db::LockType::Optimistic);
    sales.addNew();
    sales.setField(QStringLiteral("companyid"), customerId);
    sales.setField(QStringLiteral("orderno"), order.orderNo);
    sales.setField(QStringLiteral("sales_connect"), order.group);   // the group, not the contact
    orderstore::setBox(sales, QStringLiteral("salesdate"), order.date);
    orderstore::setBox(sales, QStringLiteral("totlemoney"), order.total);
    sales.setField(QStringLiteral("invoicetype"), customerrecord::flagText(order.invoice));
    orderstore::setBox(sales, QStringLiteral("receivemoney"), order.received);
    sales.setField(QStringLiteral("indexflag"), lineKey);
    sales.setField(QStringLiteral("description"), order.remarks);
    sales.setField(QStringLiteral("createtime"), today());
    sales.setField(QStringLiteral("sal_gk"), customerrecord::flagText(order.isPublic));
    sales.setField(QStringLiteral("sal_CZZ"), Mymode::OperatorName);
    sales.update();
}

void addLines(db::Connection& connection, const Order& order, std::int64_t customerId, const QString& lineKey)
{
    db::Recordset lines;
    lines.open(QStringLiteral("select * from SalesMX"), connection, db::CursorType::Static, db::LockType::Optimistic);
    for (const Line& line : order.lines) {
        lines.addNew();
        lines.setField(QStringLiteral("productname"), line.product);
        lines.setField(QStringLiteral("companyid"), customerId);
        orderstore::setBox(lines, QStringLiteral("price"), line.price);
        orderstore::setBox(lines, QStringLiteral("zk"), line.discount);
        orderstore::setBox(lines, QStringLiteral("num"), line.quantity);
        orderstore::setBox(lines, QStringLiteral("unitprice"), line.total);
        orderstore::setBox(lines, QStringLiteral("salesdate"), order.date);
        lines.setField(QStringLiteral("indexflag"), lineKey);
        lines.update();
    }
}

Customer readBack(db::Connection& connection, std::int64_t customerId)
{
    db::Recordset row;
    row.open(QStringLiteral("select * from company where ID = ") + QString::number(customerId), connection,
             db::CursorType::Static, db::LockType::Optimistic);
    if (row.eof()) throw db::Error(QStringLiteral("The new customer row cannot be read back"));
    return Customer{customerId, row.field(QStringLiteral("company_name")).toText(),
                    row.field(QStringLiteral("company_tel")).toText(),
                    row.field(QStringLiteral("company_mobil")).toText(),
                    row.field(QStringLiteral("company_address")).toText()};
}

// The mobile number kept with the customer group, as stored; blank when the
// group has none or no group has the name.
QString groupNumber(db::Connection& connection, const QString& group)
{
    db::Recordset row;
    row.open(QStringLiteral("select * from client_type where client_type=") + sqltext::quoted(group), connection);
    return row.eof() ? QString() : row.field(QStringLiteral("py_code")).toText();
}

// Adds the notice to the attached outbox, addressed to the group's number;
// returns why it was not added (the group has no number), empty when it was.
QString addNotice(db::Connection& connection, const Customer& customer, const Order& order)
{
    const QString number = groupNumber(connection, order.group);
    if (db::trimBlanks(number).isEmpty()) {
        if (db::trimBlanks(order.group).isEmpty()) return QString::fromUtf8(kNoGroupText);
        return QString::fromUtf8(kGroupWithoutNumberText).arg(order.group);
    }
    smsoutbox::add(connection, {number, notice(customer, order), std::nullopt});
    return QString();
}

} // namespace

QString refusal(const Order& order)
{
    const QString badDate = datecheck::requiredRefusal(QStringLiteral("销售日期"), order.date);
    if (!badDate.isEmpty()) return badDate;
    // Each box against every column it is stored in: the customer's and the contact's alike.
    const QString company = QStringLiteral("company"), contact = QStringLiteral("KH_LXR"), sales = QStringLiteral("sales");
    std::vector<columnrules::Box> boxes{
        {sales, QStringLiteral("orderno"), QStringLiteral("流水号"), order.orderNo},
        {company, QStringLiteral("company_name"), QStringLiteral("客户名称"), order.name},
        {company, QStringLiteral("company_connect"), QStringLiteral("联系人"), order.contact},
        {contact, QStringLiteral("Connect_name"), QStringLiteral("联系人"), order.contact},
        {company, QStringLiteral("company_tel"), QStringLiteral("电话"), order.tel},
        {contact, QStringLiteral("tel"), QStringLiteral("电话"), order.tel},
        {company, QStringLiteral("company_address"), QStringLiteral("客户地址"), order.address},
        {company, QStringLiteral("company_client_type"), QStringLiteral("客户分类"), order.group},
        {contact, QStringLiteral("address"), QStringLiteral("客户地址"), order.address},
        {sales, QStringLiteral("receivemoney"), QStringLiteral("收款金额"), order.received}};
    // A total of "Err" (figures that make no number) stores nothing.
    if (order.total != QLatin1String("Err"))
        boxes.push_back({sales, QStringLiteral("totlemoney"), QStringLiteral("订单金额"), order.total});
    // The product boxes are headed "商品" in this window.
    orderstore::addLineBoxes(boxes, order.lines, QStringLiteral("商品"));
    return columnrules::firstRefusal(boxes);
}

int rowsToWrite(const QStringList& quantities)
{
    if (quantities.isEmpty()) return 0;
    int rows = 1;
    while (rows < quantities.size()) {
        const QString quantity = db::trimBlanks(quantities[rows]);
        if (quantity.isEmpty() || quantity == QLatin1String("0") || !db::isNumeric(db::Variant(quantity))) break;
        ++rows;
    }
    return rows;
}

Customer write(db::Connection& connection, const Order& order, const QString& lineKey)
{
    const std::int64_t customerId = addCustomer(connection, order);
    addContact(connection, order, customerId);
    addOrder(connection, order, customerId, lineKey);
    addLines(connection, order, customerId, lineKey);
    double quantity = 0;
    for (const Line& line : order.lines) quantity += orderstore::quantityOf(line.quantity);
    ordershare::add(connection, customerId,
                    ordershare::of(orderstore::amountOf(order.total), orderstore::amountOf(order.received), quantity));
    return readBack(connection, customerId);
}

QString notice(const Customer& customer, const Order& order)
{
    QString text = customer.name + QLatin1Char('/') + customer.tel + QLatin1Char('/') + customer.address
        + QLatin1Char('[');
    for (const Line& line : order.lines) text += line.product + line.quantity + QStringLiteral("份");
    return text + QStringLiteral("]总计:") + order.total + QStringLiteral("元");
}

std::optional<Saved> save(const Order& order, const QString& failedText)
{
    Saved saved;
    bool withOutbox = false;
    const auto attachOutbox = [&](db::Connection& connection) {
        try {
            smsoutbox::attach(connection);
            withOutbox = true;
        } catch (const db::Error& error) {
            // A file that another workstation holds is tried again with the whole save.
            if (error.kind() == db::Error::Kind::Busy) throw;
            saved.noNotice = error.message();
        }
    };
    const auto store = [&](db::Connection& connection) {
        saved.customer =
            write(connection, order, linekey::newLineKey(connection, QStringLiteral("sales"), QStringLiteral("SalesMX")));
        if (withOutbox) saved.noNotice = addNotice(connection, saved.customer, order);
    };
    if (!orderstore::inTransaction(store, failedText, true, attachOutbox)) return std::nullopt;
    return saved;
}

} // namespace quickorder
