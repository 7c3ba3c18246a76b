#include "sales/frmnewcust.h"

#include "common/callmonitor.h"
#include "common/displaywidth.h"
#include "common/mainlists.h"
#include "common/recordscope.h"
#include "common/referencelist.h"
#include "common/skin.h"
#include "platform/db/locale.h"
#include "platform/print/textdocument.h"
#include "platform/ui/boxtext.h"
#include "platform/ui/desktop.h"
#include "platform/ui/fittext.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"
#include "sales/quickslip.h"

namespace sales {

namespace {

const char* const kNoNameText = "客户名称不能为空";
const char* const kNoContactText = "联系人不能为空";
const char* const kSavedText = "订单录入操作成功！";
const char* const kNotSavedText = "订单未能保存：";
const char* const kNoNoticeText = "订单已保存，但短信通知未能加入发送队列：";
const char* const kInvoiceWords = "要求提供发票";

linerows::Variant rowsVariant()
{
    linerows::Variant variant;
    variant.numberCaption = QStringLiteral("编号");
    variant.nameCaption = QStringLiteral("商品");
    return variant;
}

// "SH", the year's last two digits, then month, day, hour, minute and second
// without leading zeros.
QString quickOrderNumber(const QDateTime& now)
{
    return QStringLiteral("SH") + now.toString(QStringLiteral("yyMdHms"));
}

} // namespace

FrmNewCust::FrmNewCust() : ui::Form(QStringLiteral("frmNewCust"))
{
    setCaption(QStringLiteral("创建新客户并立即配送"));
    setSizeTwips(7335, 7680);

    addLabel(QStringLiteral("Label1"), QStringLiteral("销售日期"), 120, 390, 840, 255);
    addTextBox(QStringLiteral("salesdate"), 960, 360, 1695, 285);
    addLabel(QStringLiteral("Label2"), QStringLiteral("流水号"), 2760, 390, 720, 255);
    addTextBox(QStringLiteral("orderno"), 3480, 360, 1455, 285);
    addCheckBox(QStringLiteral("GK"), QStringLiteral("公开"), 5040, 360, 855, 285);

    addLabel(QStringLiteral("Label3"), QStringLiteral("客户名称"), 120, 750, 840, 255);
    addTextBox(QStringLiteral("companyname"), 960, 720, 1695, 285);
    addLabel(QStringLiteral("Label4"), QStringLiteral("主联系人"), 2760, 750, 720, 255);
    addTextBox(QStringLiteral("LXR"), 3480, 720, 1455, 285);
    addLabel(QStringLiteral("Label5"), QStringLiteral("电 话"), 5040, 750, 480, 255);
    addTextBox(QStringLiteral("tel"), 5520, 720, 1455, 285);

    addLabel(QStringLiteral("Label6"), QStringLiteral("客户地址"), 120, 1110, 840, 255);
    addTextBox(QStringLiteral("company_address"), 960, 1080, 3975, 285);
    addLabel(QStringLiteral("Label7"), QStringLiteral("客户分类"), 5040, 1110, 840, 255);
    addComboBox(QStringLiteral("Custtype"), ui::ComboBox::PickOnly, 5880, 1080, 1095, 300);

    addLabel(QStringLiteral("Label8"), QStringLiteral("订单金额"), 120, 1470, 840, 255);
    ui::TextBox* total = addTextBox(QStringLiteral("totalMx"), 960, 1440, 975, 285);
    addLabel(QStringLiteral("Label9"), QStringLiteral("收款金额"), 2280, 1470, 840, 255);
    addTextBox(QStringLiteral("receivemoney"), 3120, 1440, 975, 285);
    addLabel(QStringLiteral("Label10"), QStringLiteral("元"), 4140, 1470, 240, 255);
    ui::CheckBox* invoice = addCheckBox(QStringLiteral("invoicetype"), QStringLiteral("提供发票"), 5040, 1440, 1215, 285);

    addLabel(QStringLiteral("Label11"), QStringLiteral("备    注"), 120, 1830, 840, 255);
    addTextArea(QStringLiteral("descript"), 960, 1800, 4575, 375);
    addLabel(QStringLiteral("Label12"), QStringLiteral("折扣"), 5880, 1830, 480, 255);
    ui::TextBox* discount = addTextBox(QStringLiteral("Allzk"), 6360, 1800, 375, 285);
    discount->setText(QStringLiteral("100"));
    ui::fitText(discount);

    rows_ = new linerows::LineRows(this, rowsVariant(), total);
    ui::placeTwips(rows_->frame(), 0, 2280, 7215, 4935);
    lookup_ = std::make_unique<ProductLookup>(rows_);
    addTextBox(QStringLiteral("KH_ID"), 0, 0, 0, 0)->hide();

    addCheckBox(QStringLiteral("ckflag"), QStringLiteral("打印配送小票"), 240, 7320, 1695, 285)->setValue(1);
    auto* save = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/save.bmp")),
                                  4800, 7320, 735, 330);
    auto* close = addPictureButton(QStringLiteral("command2"), ui::programPath(QStringLiteral("bmp/close.bmp")),
                                   6000, 7320, 735, 330);

    save->onClick = [this] { command1_Click(); };
    close->onClick = [this] { command2_Click(); };
    discount->onKeyPress = [this](int& keyAscii) { Allzk_KeyPress(keyAscii); };
    invoice->onClick = [this] { invoicetype_Click(); };
    // Names, numbers and the address show whole in their design widths.
    for (const char* name : {"companyname", "LXR", "tel", "company_address"})
        ui::keepTextWhole(control<ui::TextBox>(QString::fromLatin1(name)));
}

void FrmNewCust::Form_Load()
{
    referencelist::offer(control<ui::ComboBox>(QStringLiteral("Custtype")), QStringLiteral("select * from client_type"),
                         QStringLiteral("client_type"));
    const auto* monitor = ui::Windows::loaded<CallMonitor>(QStringLiteral("GtMain"));
    takeCaller({monitor ? monitor->PhoneID() : QString(), QString()});
    const QDateTime now = db::locale::now();
    setBoxText(QStringLiteral("salesdate"), db::locale::generalDate(now));
    setBoxText(QStringLiteral("orderno"), quickOrderNumber(now));
    // Date and number show whole in their design widths.
    for (const char* name : {"salesdate", "orderno"}) ui::fitText(control<ui::TextBox>(QString::fromLatin1(name)));
}

// The number stands in for the name, the contact and the address until the
// operator types them.
void FrmNewCust::takeCaller(const callerhandover::Caller& caller)
{
    for (const char* box : {"companyname", "tel", "LXR", "company_address"})
        setBoxText(QString::fromLatin1(box), caller.number);
}

void FrmNewCust::Form_Paint()
{
    skin::paint(this);
}

void FrmNewCust::ChanceTotalMx()
{
    rows_->ChanceTotalMx();
}

int FrmNewCust::CheckStringLength(const QString& txt) const
{
    return ::CheckStringLength(txt);
}

// Stores customer, contact, order, lines and the notice together, then prints
// the slip; a save that cannot be stored leaves nothing and keeps the window.
// An order stored without its notice says why.
void FrmNewCust::command1_Click()
{
    if (db::trimBlanks(boxText(QStringLiteral("companyname"))).isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoNameText));
        return;
    }
    if (db::trimBlanks(boxText(QStringLiteral("LXR"))).isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoContactText));
        return;
    }
    const quickorder::Order order = this->order();
    // Nothing is written while a box holds what its column cannot take.
    if (const QString refused = quickorder::refusal(order); !refused.isEmpty()) {
        ui::msgBox(refused);
        return;
    }
    const std::optional<quickorder::Saved> saved = quickorder::save(order, QString::fromUtf8(kNotSavedText));
    if (!saved) return;
    setBoxText(QStringLiteral("KH_ID"), QString::number(saved->customer.id));
    const QString slip = quickslip::compose(saved->customer, order, db::locale::now());
    ui::msgBox(QString::fromUtf8(kSavedText));
    if (control<ui::CheckBox>(QStringLiteral("ckflag"))->value() == 1) printSlip(slip);
    if (!saved->noNotice.isEmpty()) ui::msgBox(QString::fromUtf8(kNoNoticeText) + saved->noNotice);
    ui::Windows::unload(this);
    if (auto* lists = ui::Windows::loaded<MainLists>(QStringLiteral("frmMain")))
        lists->DataGridFresh(recordscope::customerSelectList() + recordscope::customerClause());
}

void FrmNewCust::command2_Click()
{
    ui::Windows::unload(this);
}

// Enter puts the whole-order discount into row 0 and each following row
// while its quantity is a number.
void FrmNewCust::Allzk_KeyPress(int& keyAscii)
{
    if (keyAscii != 13) return;
    const QString discount = boxText(QStringLiteral("Allzk"));
    int row = 0;
    do {
        if (ui::TextBox* box = rows_->box(QStringLiteral("zk"), row)) box->setText(discount);
        ++row;
    } while (rows_->rowExists(row) && linerows::isNumber(rows_->box(QStringLiteral("num"), row)->text()));
}

void FrmNewCust::invoicetype_Click()
{
    if (control<ui::CheckBox>(QStringLiteral("invoicetype"))->value() != 1) return;
    setBoxText(QStringLiteral("descript"), boxText(QStringLiteral("descript")) + QString::fromUtf8(kInvoiceWords));
}

QString FrmNewCust::boxText(const QString& name) const
{
    return ui::boxText(this, name);
}

void FrmNewCust::setBoxText(const QString& name, const QString& text)
{
    ui::setBoxText(this, name, text);
}

quickorder::Order FrmNewCust::order() const
{
    quickorder::Order order;
    order.name = boxText(QStringLiteral("companyname"));
    order.contact = boxText(QStringLiteral("LXR"));
    order.tel = boxText(QStringLiteral("tel"));
    order.address = boxText(QStringLiteral("company_address"));
    order.group = control<ui::ComboBox>(QStringLiteral("Custtype"))->text();
    order.remarks = boxText(QStringLiteral("descript"));
    order.date = boxText(QStringLiteral("salesdate"));
    order.orderNo = boxText(QStringLiteral("orderno"));
    order.total = boxText(QStringLiteral("totalMx"));
    order.received = boxText(QStringLiteral("receivemoney"));
    order.invoice = control<ui::CheckBox>(QStringLiteral("invoicetype"))->value() == 1;
    order.isPublic = control<ui::CheckBox>(QStringLiteral("GK"))->value() == 1;
    QStringList quantities;
    for (int row = 0; rows_->rowExists(row); ++row) quantities << rows_->box(QStringLiteral("num"), row)->text();
    auto text = [this](const QString& column, int row) {
        const ui::TextBox* box = rows_->box(column, row);
        return box ? box->text() : QString();
    };
    for (int row = 0; row < quickorder::rowsToWrite(quantities); ++row)
        order.lines.push_back({.product = text(QStringLiteral("product"), row),
                               .price = text(QStringLiteral("Price"), row),
                               .discount = text(QStringLiteral("zk"), row),
                               .quantity = text(QStringLiteral("num"), row),
                               .total = text(QStringLiteral("TotalSM"), row)});
    return order;
}

// One print call at size 11; without a printer the operator is told so and
// may keep the slip as a PDF file.
void FrmNewCust::printSlip(const QString& slip)
{
    print::TextDocument document(caption());
    document.setFontSize(11);
    // The fixed-pitch face stands for 宋体: the slip aligns its columns with spaces.
    document.setFontFace(QString::fromLatin1(print::kFixedPitchFamily));
    document.printBlock(slip);
    document.endDoc();
}

} // namespace sales
