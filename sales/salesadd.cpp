#include "sales/salesadd.h"

#include "common/database.h"
#include "common/mymode.h"
#include "platform/db/locale.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"
#include "sales/ordercounter.h"

namespace sales {

namespace {

const char* const kNoCustomerText = "客户没指定";
const char* const kSavedText = "销售单录入操作成功！";
const char* const kNotSavedText = "销售单录入失败，订单、库存和客户余额都没有改变";

linerows::Variant rowsVariant()
{
    linerows::Variant variant;
    variant.copyTotalToReceived = true;
    return variant;
}

} // namespace

SalesAdd::SalesAdd() : OrderWindow(QStringLiteral("SalesAdd"), rowsVariant(), QStringLiteral("command5"))
{
    setCaption(QStringLiteral("增加销售记录"));
    setSizeTwips(7455, 7995);

    addLabel(QStringLiteral("Label9"), QStringLiteral("打印选项："), 120, 7050, 1000, 255);
    ui::ComboBox* option = addComboBox(QStringLiteral("Combo1"), ui::ComboBox::PickOnly, 1080, 6990, 1455, 300);
    for (const char* item : {"不打印", kNarrowOption, kWideOption}) option->addItem(QString::fromUtf8(item));
    addSaveAndClose(QStringLiteral("bmp/save.bmp"), QStringLiteral("保存"))->onClick = [this] { command1_Click(); };
    control<ui::PictureButton>(QStringLiteral("command5"))->onClick = [this] { command5_Click(); };
}

void SalesAdd::Form_Load()
{
    // The customer comes from the shared customer card (loaded unseen when closed).
    if (ui::Windows::isDefined(QStringLiteral("frmCustDetail"))) {
        ui::Form* card = ui::Windows::get(QStringLiteral("frmCustDetail"));
        if (card && card->hasControl(QStringLiteral("text1")))
            setBoxText(QStringLiteral("KH_ID"), card->control<ui::TextBox>(QStringLiteral("text1"))->text());
        if (card && card->hasControl(QStringLiteral("company_address")))
            setBoxText(QStringLiteral("CustName"), card->control<ui::TextBox>(QStringLiteral("company_address"))->text());
    }
    setBoxText(QStringLiteral("salesdate"), db::locale::generalDate(db::locale::now()));
    // A counter that cannot be read leaves the number empty (the operator was
    // told why); the save draws it then.
    const std::optional<ordercounter::AtLoad> counter = ordercounter::load();
    counterRead_ = counter.has_value();
    if (counter) {
        numberAtLoad_ = counter->number;
        setBoxText(QStringLiteral("orderno"), counter->number);
        control<ui::ComboBox>(QStringLiteral("Combo1"))->setText(counter->printOption);
    }
    fitHeaderText();
}

void SalesAdd::command5_Click()
{
    openCustomerPicker();
}

void SalesAdd::command1_Click()
{
    if (saving_) return;
    const SaveInProgress saving(saving_);
    orderstore::Order order = this->order();
    if (refuses(order, QString::fromUtf8(kNoCustomerText)) || !store(order)) return;

    // The number the save took is the one the slip prints.
    setBoxText(QStringLiteral("orderno"), order.orderNo);
    ui::msgBox(QString::fromUtf8(kSavedText));
    if (const auto slip = slipRecord(control<ui::ComboBox>(QStringLiteral("Combo1"))->text())) PrintDeliverySlip(*slip);
    ui::Windows::unload(this);
}

bool SalesAdd::store(orderstore::Order& order)
{
    return orderstore::inTransaction([&](db::Connection& connection) {
        if (!orderstore::customerExists(connection, order.customerId))
            throw orderstore::Refusal{QString::fromUtf8(kNoCustomerText)};

        // A number still as the load computed it is drawn now, so two windows
        // opened together never save one number twice. A print option the
        // load could not read and the operator did not pick keeps the stored one.
        const QString printOption = control<ui::ComboBox>(QStringLiteral("Combo1"))->text().trimmed();
        const std::optional<QString> next = ordercounter::advance(
            connection, counterRead_ || !printOption.isEmpty() ? std::optional<QString>(printOption) : std::nullopt);
        if (next && order.orderNo == numberAtLoad_) order.orderNo = *next;

        orderstore::storeNewOrder(connection, order, db::locale::shortDate(db::locale::now().date()),
                                  Mymode::OperatorName);
    }, QString::fromUtf8(kNotSavedText));
}

} // namespace sales
