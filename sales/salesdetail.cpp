#include "sales/salesdetail.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/ordershare.h"
#include "common/savefailure.h"
#include "common/sqltext.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"
#include "sales/ordercounter.h"

namespace sales {

namespace {

const char* const kRefusedText = "您无权修改定购资料";
const char* const kRefusedTitle = "修改资料";
const char* const kNoCustomerText = "客户名称不能为空";
const char* const kGoneText = "记录不存在，可能已经被删除";
const char* const kSavedText = "订单修改操作成功！";
const char* const kNotSavedText = "订单修改失败，订单、库存和客户余额都没有改变";
const char* const kStaleText = "订单未能保存：该订单已在别处被修改或删除，请关闭后重新打开再修改";

linerows::Variant rowsVariant()
{
    linerows::Variant variant;
    variant.layout = linerows::Layout::SalesDetail;
    variant.addsRows = false;
    variant.namesReadOnly = true;
    return variant;
}

// The order's lines in stored order.
QString linesSelect(const QString& lineKey)
{
    return QStringLiteral("select * from SalesMX where indexflag=") + sqltext::quoted(lineKey) + QStringLiteral(" order by id");
}

struct StoredLine {
    QString product;
    double quantity;
};

} // namespace

SalesDetail::SalesDetail() : OrderWindow(QStringLiteral("SalesDetail"), rowsVariant(), QStringLiteral("Command4"))
{
    setCaption(QStringLiteral("修改销售记录"));
    setSizeTwips(7470, 7845);
    keepOutOfTaskBar();
    centreOnScreen();
    addSaveAndClose(QStringLiteral("bmp/modify.bmp"), QStringLiteral("修改"))->onClick = [this] { command1_Click(); };
    control<ui::PictureButton>(QStringLiteral("Command4"))->onClick = [this] { Command4_Click(); };
    if (rows()->zk)
        rows()->zk->setWiring([this](ui::TextBox* box, int row) { box->onChange = [this, row] { zk_Change(row); }; });
}

// An order that cannot be read whole (the operator was told why) cannot be
// saved: the save would store the lines not shown as removed.
void SalesDetail::Form_Load()
{
    int shown = 0;
    const bool read = order_.load(QStringLiteral("sales"), Mymode::CurrentRecordId)
                      && (!order_.holds()
                          || (showOrder(order_.row()) && order_.keepAlso(linesSelect(lineKey_)) && showLines(shown)));
    // One empty row below the lines (rows 0 and 1 stay empty without lines).
    rows()->addRow(std::max(shown, 1), linerows::RowOrder::Loaded);
    if (auto* list = findChild<ui::ListBox*>(QStringLiteral("List1"))) list->hide();
    if (!read) control<ui::PictureButton>(QStringLiteral("command1"))->setEnabled(false);
}

bool SalesDetail::showOrder(const db::Recordset& order)
{
    const bool read = database::read([&] {
        auto customer = database::query(QStringLiteral("select id,company_address from company where id=")
                                        + QString::number(order.field(QStringLiteral("companyid")).toLong()));
        if (customer->eof()) return;
        setBoxText(QStringLiteral("CustName"), customer->field(QStringLiteral("company_address")).toText());
        setBoxText(QStringLiteral("KH_ID"), customer->field(QStringLiteral("id")).toText());
    });
    for (const char* column : {"orderno", "sales_connect", "salesdate", "receivemoney"})
        setBoxText(QString::fromLatin1(column), order.field(QString::fromLatin1(column)).toText());
    setBoxText(QStringLiteral("totalMx"), order.field(QStringLiteral("totlemoney")).toText());
    lineKey_ = order.field(QStringLiteral("indexflag")).toText();
    setBoxText(QStringLiteral("HtContent"), order.field(QStringLiteral("description")).toText());
    check(QStringLiteral("invoicetype"))->setChecked(order.field(QStringLiteral("invoicetype")).toText() == QLatin1String("1"));
    check(QStringLiteral("GK"))->setChecked(order.field(QStringLiteral("sal_gk")).toText() == QLatin1String("1"));
    fitHeaderText();
    return read;
}

// Each stored line once, in stored order, under its stored name; number and
// unit come from the product of that name when there is one.
bool SalesDetail::showLines(int& shown)
{
    const QString storedTotal = boxText(QStringLiteral("totalMx"));
    const bool read = database::read([&] {
        auto lines = database::query(linesSelect(lineKey_));
        for (int row = 0; !lines->eof(); lines->moveNext(), ++row) {
            const QString name = lines->field(QStringLiteral("productname")).toText();
            QString number, unit;
            auto product = database::query(QStringLiteral("select Product_no,dw from product where product=")
                                           + sqltext::quoted(name));
            if (!product->eof()) {
                number = product->field(QStringLiteral("Product_no")).toText();
                unit = product->field(QStringLiteral("dw")).toText();
            }
            rows()->addRow(row, linerows::RowOrder::Loaded);
            auto set = [&](const char* column, const QString& text) {
                if (ui::TextBox* box = rows()->box(QString::fromLatin1(column), row)) box->setText(text);
            };
            set("product", name);
            set("description", number);
            set("dw", unit);
            set("Price", lines->field(QStringLiteral("price")).toText());
            set("num", lines->field(QStringLiteral("num")).toText());
            set("zk", lines->field(QStringLiteral("zk")).toText());
            set("TotalSM", lines->field(QStringLiteral("unitprice")).toText());
            shown = row + 1;
        }
    });
    // The stored total shows until the first change in a row.
    setBoxText(QStringLiteral("totalMx"), storedTotal);
    return read;
}

// A slip whose layout, customer or seller cannot be read is not printed.
void SalesDetail::PrintDeliverySlip()
{
    const std::optional<QString> option = ordercounter::storedPrintOption();
    if (!option) return;
    std::optional<SlipRecord> slip = slipRecord(*option);
    if (!slip) return;
    slip->quantityCaption = QStringLiteral("       质数量 ");
    sales::PrintDeliverySlip(*slip);
}

void SalesDetail::zk_Change(int)
{
    rows()->ChanceTotalMx();
}

void SalesDetail::Command4_Click()
{
    openCustomerPicker();
}

void SalesDetail::command1_Click()
{
    if (saving_) return;
    if (!Mymode::hasRight(QStringLiteral("e_sals=1;"))) {
        ui::msgBox(QString::fromUtf8(kRefusedText), ui::Buttons::Ok, ui::Icon::Error, QString::fromUtf8(kRefusedTitle));
        return;
    }
    const SaveInProgress saving(saving_);
    const orderstore::Order order = this->order();
    if (refuses(order, QString::fromUtf8(kNoCustomerText)) || !store(order)) return;
    ui::msgBox(QString::fromUtf8(kSavedText));
    Mymode::CurrentRecordId = order.customerId.trimmed().toInt();
    ui::Windows::unload(this);
}

bool SalesDetail::store(const orderstore::Order& order)
{
    std::optional<db::Error> failure;
    keptrow::Outcome outcome = keptrow::Outcome::Failed;
    try {
        outcome = order_.change([&](db::Connection& connection, db::Recordset& header) { rewrite(connection, header, order); },
                                &failure);
    } catch (const orderstore::Refusal& refusal) {
        ui::msgBox(refusal.text);
        return false;
    } catch (const ordershare::OutOfRange&) {
        ui::msgBox(QString::fromUtf8(orderstore::kCustomerBalanceTooLargeText));
        return false;
    }
    switch (outcome) {
    case keptrow::Outcome::Saved: return true;
    case keptrow::Outcome::Stale:
        if (const std::optional<bool> exists = orderExists())
            ui::msgBox(QString::fromUtf8(*exists ? kStaleText : kGoneText));
        break;
    case keptrow::Outcome::Failed: ui::msgBox(savefailure::text(QString::fromUtf8(kNotSavedText), *failure)); break;
    }
    return false;
}

void SalesDetail::rewrite(db::Connection& connection, db::Recordset& header, const orderstore::Order& order)
{
    if (!orderstore::customerExists(connection, order.customerId))
        throw orderstore::Refusal{QString::fromUtf8(kNoCustomerText)};

    const db::Variant storedCustomer = header.field(QStringLiteral("companyid"));
    const qint64 oldCustomer = storedCustomer.isNullOrEmpty() ? -1 : storedCustomer.toLong();
    const ordershare::Share before = ordershare::ofStored(connection, header);

    // The old lines give their quantities back and go.
    std::vector<StoredLine> stored;
    {
        db::Recordset lines;
        lines.open(linesSelect(lineKey_), connection);
        for (; !lines.eof(); lines.moveNext()) {
            const db::Variant quantity = lines.field(QStringLiteral("num"));
            stored.push_back({lines.field(QStringLiteral("productname")).toText(),
                              quantity.isNullOrEmpty() ? 0 : quantity.toDouble()});
        }
    }
    for (const StoredLine& line : stored) orderstore::changeStock(connection, line.product, line.quantity);
    connection.execute(QStringLiteral("delete from SalesMX where indexflag=") + sqltext::quoted(lineKey_));

    orderstore::writeHeader(header, order);
    header.update();
    const double quantity = orderstore::insertLines(connection, order, lineKey_);

    // The stored order's share leaves its customer's balances and the edited
    // order's enters those of its customer, the same one or another.
    ordershare::replace(connection, oldCustomer, before, order.customerId.trimmed().toLongLong(),
                        ordershare::of(orderstore::amountOf(order.total), orderstore::amountOf(order.received), quantity));
}

std::optional<bool> SalesDetail::orderExists() const
{
    bool exists = false;
    if (order_.holds()
        && !database::read([&] {
               exists = !database::query(QStringLiteral("select id from sales where id=")
                                         + order_.field(QStringLiteral("id")).toText())->eof();
           }))
        return std::nullopt;
    return exists;
}

} // namespace sales
