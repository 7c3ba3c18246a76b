#include "sales/purchasestore.h"

#include "common/columnrules.h"
#include "common/linekey.h"
#include "common/sqltext.h"
#include "platform/db/numbertext.h"
#include "sales/orderstore.h"

namespace purchasestore {

namespace {

const char* const kNotSavedText = "进货单未能保存：";
const char* const kSupplierBalanceTooLargeText = "供应商的余额将超出金额的范围，进货单没有保存";

// Payment modes under which a purchase adds to what is owed to the supplier.
const char* const kOwingModes[] = {"现金", "月结"};

// A number box into a number column: a text that is no number (an empty box,
// a line total "Err") stores no value.
void setNumber(db::Recordset& rows, const QString& column, const QString& text)
{
    if (db::numbertext::parse(text).has_value())
        rows.setField(column, db::Variant(db::trimBlanks(text)));
    else
        rows.setField(column, db::Variant::null());
}

void setDate(db::Recordset& rows, const QString& column, const QString& text)
{
    rows.setField(column, db::isDate(db::Variant(text)) ? db::Variant(text) : db::Variant::null());
}

void insertHeader(db::Connection& connection, const Purchase& purchase, const QString& lineKey)
{
    db::Recordset header;
    header.open(QStringLiteral("select * from Jhd"), connection, db::CursorType::Static, db::LockType::Optimistic);
    header.addNew();
    header.setField(QStringLiteral("JHD_NO"), db::Variant(purchase.number));
    header.setField(QStringLiteral("GYS_MC"), db::Variant(purchase.supplier));
    header.setField(QStringLiteral("JHD_DATE"), db::Variant(purchase.date));
    setNumber(header, QStringLiteral("JHD_JE"), purchase.total);
    setNumber(header, QStringLiteral("JHD_SKJE"), purchase.paid);
    header.setField(QStringLiteral("indexflag"), db::Variant(lineKey));
    header.setField(QStringLiteral("JHD_BZ"), db::Variant(purchase.remarks));
    header.update();
}

// The lines, each raising the stock of its product; returns their quantity.
double insertLines(db::Connection& connection, const Purchase& purchase, const QString& lineKey)
{
    db::Recordset lines;
    lines.open(QStringLiteral("select * from JhMX"), connection, db::CursorType::Static, db::LockType::Optimistic);
    double quantity = 0;
    for (const Line& line : purchase.lines) {
        lines.addNew();
        lines.setField(QStringLiteral("productname"), db::Variant(line.product));
        lines.setField(QStringLiteral("GYS_ID"), db::Variant(purchase.supplier));
        setNumber(lines, QStringLiteral("price"), line.price);
        setNumber(lines, QStringLiteral("num"), line.quantity);
        setNumber(lines, QStringLiteral("unitprice"), line.total);
        setDate(lines, QStringLiteral("JH_DATE"), purchase.date);
        lines.setField(QStringLiteral("indexflag"), db::Variant(lineKey));
        lines.update();
        const double bought = orderstore::quantityOf(line.quantity);
        quantity += bought;
        orderstore::changeStock(connection, line.product, bought);
    }
    return quantity;
}

// The first supplier of exactly this name gets the purchase; false when none has it.
bool raiseSupplier(db::Connection& connection, const Purchase& purchase, double quantity)
{
    db::Recordset supplier;
    supplier.open(QStringLiteral("select * from GYS where GYS_MC=") + sqltext::quoted(purchase.supplier)
                      + QStringLiteral(" order by GYS_ID"),
                  connection, db::CursorType::Static, db::LockType::Optimistic);
    // The database compares names without regard to letter case.
    while (!supplier.eof() && supplier.field(QStringLiteral("GYS_MC")).toText() != purchase.supplier) supplier.moveNext();
    if (supplier.eof()) return false;

    const db::Currency total = orderstore::amountOf(purchase.total);
    const db::Currency paid = orderstore::amountOf(purchase.paid);
    // A balance beyond the currency range refuses the save instead of wrapping round.
    const QString tooLargeText = QString::fromUtf8(kSupplierBalanceTooLargeText);
    auto stored = [&](const char* column) { return orderstore::amountOf(supplier.field(QString::fromLatin1(column))); };
    const QString mode = supplier.field(QStringLiteral("GYS_FKFS")).toText();
    for (const char* owing : kOwingModes) {
        if (mode != QString::fromUtf8(owing)) continue;
        const db::Currency owed = orderstore::checkedSum(stored("GYS_WFJE"), total, tooLargeText);
        supplier.setField(QStringLiteral("GYS_WFJE"), db::Variant(orderstore::checkedDifference(owed, paid, tooLargeText)));
    }
    supplier.setField(QStringLiteral("GYS_ZJE"), db::Variant(orderstore::checkedSum(stored("GYS_ZJE"), total, tooLargeText)));
    const db::Variant storedQuantity = supplier.field(QStringLiteral("GYS_ZSL"));
    supplier.setField(QStringLiteral("GYS_ZSL"),
                      db::Variant((storedQuantity.isNullOrEmpty() ? 0 : storedQuantity.toDouble()) + quantity));
    supplier.update();
    return true;
}

} // namespace

QString refusal(const Purchase& purchase)
{
    const QString header = QStringLiteral("Jhd"), lines = QStringLiteral("JhMX");
    std::vector<columnrules::Box> boxes{{header, QStringLiteral("JHD_NO"), QStringLiteral("NO"), purchase.number},
                                        {header, QStringLiteral("GYS_MC"), QStringLiteral("供应商"), purchase.supplier},
                                        {header, QStringLiteral("JHD_BZ"), QStringLiteral("备注"), purchase.remarks}};
    for (std::size_t row = 0; row < purchase.lines.size(); ++row) {
        const Line& line = purchase.lines[row];
        const auto lineBoxes = columnrules::lineBoxes(lines, int(row), QStringLiteral("产品名称"), line.product,
                                                      line.price, std::nullopt, line.quantity, line.total);
        boxes.insert(boxes.end(), lineBoxes.begin(), lineBoxes.end());
    }
    return columnrules::firstRefusal(boxes);
}

bool isAmount(const QString& text)
{
    return db::numbertext::parseTicks(text).has_value();
}

Stored store(const Purchase& purchase)
{
    bool supplierFound = false;
    const bool stored = orderstore::inTransaction([&](db::Connection& connection) {
        const QString lineKey = linekey::newLineKey(connection, QStringLiteral("Jhd"), QStringLiteral("JhMX"));
        insertHeader(connection, purchase, lineKey);
        const double quantity = insertLines(connection, purchase, lineKey);
        supplierFound = raiseSupplier(connection, purchase, quantity);
    }, QString::fromUtf8(kNotSavedText), true);
    if (!stored) return Stored::No;
    return supplierFound ? Stored::Yes : Stored::SupplierMissing;
}

} // namespace purchasestore
