#include "sales/orderwindow.h"

#include "common/customercard.h"
#include "common/customerpick.h"
#include "common/displaywidth.h"
#include "common/skin.h"
#include "platform/db/locale.h"
#include "platform/ui/boxtext.h"
#include "platform/ui/desktop.h"
#include "platform/ui/fittext.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace sales {

OrderWindow::OrderWindow(const QString& kind, const linerows::Variant& variant, const QString& pickerButton)
    : ui::Form(kind)
{
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    addLabel(QStringLiteral("Label1"), QStringLiteral("销售日期"), 120, 390, 840, 255);
    addTextBox(QStringLiteral("salesdate"), 960, 360, 1935, 285);
    addLabel(QStringLiteral("Label2"), variant.layout == linerows::Layout::SalesAdd ? QStringLiteral("流水号") : QStringLiteral("流 水 号"),
             3120, 390, 840, 255);
    addTextBox(QStringLiteral("orderno"), 3960, 360, 1935, 285);

    addLabel(QStringLiteral("Label3"), QStringLiteral("客户地址"), 120, 750, 840, 255);
    ui::TextBox* customer = addTextBox(QStringLiteral("CustName"), 960, 720, 3255, 285);
    customer->setToolTip(QStringLiteral("双击弹出客户资料"));
    ui::keepTextWhole(customer);
    customer->onDblClick = [this] { CustName_DblClick(); };
    ui::PictureButton* picker = addPictureButton(pickerButton, ui::programPath(QStringLiteral("bmp/search.bmp")),
                                                 4260, 720, 330, 285);
    picker->setToolTip(QStringLiteral("选择客户"));
    picker->onClick = [this] { openCustomerPicker(); };
    addTextBox(QStringLiteral("KH_ID"), 0, 0, 0, 0)->hide();
    addLabel(QStringLiteral("Label4"), variant.layout == linerows::Layout::SalesAdd ? QStringLiteral("联系人") : QStringLiteral("联 系 人"),
             4680, 750, 720, 255);
    ui::keepTextWhole(addTextBox(QStringLiteral("sales_connect"), 5400, 720, 1815, 285));

    addLabel(QStringLiteral("Label5"), QStringLiteral("订单金额"), 120, 1110, 840, 255);
    ui::TextBox* total = addTextBox(QStringLiteral("totalMx"), 960, 1080, 855, 285);
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addLabel(QStringLiteral("Label6"), QStringLiteral("收款金额"), 1920, 1110, 840, 255);
    ui::TextBox* received = addTextBox(QStringLiteral("receivemoney"), 2760, 1080, 735, 285);
    received->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addLabel(QStringLiteral("Label7"), QStringLiteral("元"), 3540, 1110, 240, 255);
    addCheckBox(QStringLiteral("invoicetype"), QStringLiteral("提供发票"), 3960, 1080, 1215, 285);
    addCheckBox(QStringLiteral("GK"), QStringLiteral("公开"), 5400, 1080, 855, 285);

    addLabel(QStringLiteral("Label8"), variant.layout == linerows::Layout::SalesAdd ? QStringLiteral("备   注") : QStringLiteral("备 注"),
             120, 1470, 840, 255);
    addTextArea(QStringLiteral("HtContent"), 960, 1440, 6255, 420);

    rows_ = new linerows::LineRows(this, variant, total, received);
    lookup_ = std::make_unique<ProductLookup>(rows_);

    // The header goes by place; row 0 of the lines keeps its own order.
    std::map<int, QWidget*> stops;
    rows_->addTabStops(stops);
    std::vector<QWidget*> order;
    for (const auto& [position, control] : stops) order.push_back(control);
    ui::setTabOrder(order);
}

ui::PictureButton* OrderWindow::addSaveAndClose(const QString& savePicture, const QString& saveTip)
{
    ui::PictureButton* save = addPictureButton(QStringLiteral("command1"), ui::programPath(savePicture), 5160, 6975, 735, 330);
    save->setToolTip(saveTip);
    ui::PictureButton* close = addPictureButton(QStringLiteral("command2"), ui::programPath(QStringLiteral("bmp/close.bmp")),
                                                6120, 6975, 735, 330);
    close->setToolTip(QStringLiteral("关闭"));
    close->onClick = [this] { command2_Click(); };
    return save;
}

void OrderWindow::Form_Paint()
{
    skin::paint(this);
}

void OrderWindow::command2_Click()
{
    ui::Windows::unload(this);
}

void OrderWindow::CustName_DblClick()
{
    customercard::openFor(boxText(QStringLiteral("CustName")), boxText(QStringLiteral("KH_ID")));
}

void OrderWindow::openCustomerPicker()
{
    customerpick::open(this);
}

QString OrderWindow::boxText(const QString& name) const
{
    return ui::boxText(this, name);
}

void OrderWindow::setBoxText(const QString& name, const QString& text)
{
    ui::setBoxText(this, name, text);
}

void OrderWindow::fitHeaderText()
{
    ui::fitText(control<ui::TextBox>(QStringLiteral("salesdate")));
    ui::fitText(control<ui::TextBox>(QStringLiteral("orderno")));
}

ui::CheckBox* OrderWindow::check(const QString& name) const
{
    return control<ui::CheckBox>(name);
}

orderstore::Order OrderWindow::order() const
{
    orderstore::Order order;
    order.customerId = boxText(QStringLiteral("KH_ID"));
    order.orderNo = boxText(QStringLiteral("orderno"));
    order.contact = boxText(QStringLiteral("sales_connect"));
    order.date = boxText(QStringLiteral("salesdate"));
    order.total = boxText(QStringLiteral("totalMx"));
    order.received = boxText(QStringLiteral("receivemoney"));
    order.remarks = boxText(QStringLiteral("HtContent"));
    order.invoice = check(QStringLiteral("invoicetype"))->isChecked();
    order.isPublic = check(QStringLiteral("GK"))->isChecked();
    auto text = [this](const QString& column, int row) {
        const ui::TextBox* box = rows_->box(column, row);
        return box ? box->text() : QString();
    };
    for (int row : rows_->lines())
        order.lines.push_back({text(QStringLiteral("product"), row), text(QStringLiteral("Price"), row),
                               text(QStringLiteral("zk"), row), text(QStringLiteral("num"), row),
                               text(QStringLiteral("TotalSM"), row)});
    return order;
}

bool OrderWindow::refuses(const orderstore::Order& order, const QString& noCustomerText) const
{
    QString refused = orderstore::refusal(order);
    if (order.customerId.trimmed().isEmpty()) refused = noCustomerText;
    if (refused.isEmpty()) return false;
    ui::msgBox(refused);
    return true;
}

std::optional<SlipRecord> OrderWindow::slipRecord(const QString& printOption) const
{
    SlipRecord slip;
    slip.orderNo = boxText(QStringLiteral("orderno"));
    for (int row : rows()->lines()) {
        auto text = [&](const char* column) {
            const ui::TextBox* box = rows()->box(QString::fromLatin1(column), row);
            return box ? box->text() : QString();
        };
        slip.items.push_back({text("product"), text("description"), text("num"), text("Price")});
    }
    slip.total = boxText(QStringLiteral("totalMx"));
    slip.received = boxText(QStringLiteral("receivemoney"));
    slip.printOption = printOption;
    slip.printedAt = db::locale::now();
    if (!printsSlip(printOption)) return slip;
    if (!readCustomer(slip, boxText(QStringLiteral("KH_ID")).trimmed().toInt())) return std::nullopt;
    if (slip.printOption == QString::fromUtf8(kWideOption) && !readSeller(slip)) return std::nullopt;
    return slip;
}

int OrderWindow::CheckStringLength(const QString& text)
{
    return ::CheckStringLength(text);
}

} // namespace sales
