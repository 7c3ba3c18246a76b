#include "customers/frmcustdetail.h"

#include "common/companylookup.h"
#include "common/database.h"
#include "common/gridbinding.h"
#include "common/mymode.h"
#include "common/newrecordmenu.h"
#include "common/readfailure.h"
#include "common/savefailure.h"
#include "common/skin.h"
#include "customers/relatedtabs.h"
#include "platform/ui/boxtext.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace customers {

namespace {

const char* const kRefusedText = "您无权修改客户资料";
const char* const kRefusedTitle = "保存客户资料";
const char* const kSavedText = "客户资料修改成功！";
const char* const kNoCustomerText = "找不到客户记录，可能已经被删除";
const char* const kStaleText = "客户资料未能保存：该客户已在别处被修改或删除，请关闭后重新打开再修改";
const char* const kContactFailedText = "客户资料已保存，但主联系人未能保存：";
const char* const kNotSavedText = "客户资料未能保存：";
const char* const kReadNowText = "打开时没能读出该客户，现在已读出并显示，这次没有保存，请核对后再修改";

const char* const kBalanceBoxes[] = {"KH_YJ", "KH_QK", "KH_ZJE", "KH_ZSL"};

// Bold 10.5-point text in the given colour (&HBBGGRR).
void emphasize(ui::TextBox* box, quint32 bbggrr)
{
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(10.5);
    font.setBold(true);
    box->setFont(font);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, ui::colorFromBgr(bbggrr));
    box->setPalette(palette);
}

// A window kind that this program does not define opens nothing.
void openWindow(const QString& kind)
{
    if (ui::Windows::isDefined(kind)) ui::Windows::open(kind);
}

} // namespace

FrmCustDetail::FrmCustDetail() : CustomerWindow(QStringLiteral("frmCustDetail"))
{
    setCaption(QStringLiteral("客户资料"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeTwips(7455, 8460);
    setFixedSize(size());

    addCustomerBoxes(3255, 4440, 360);
    emphasize(control<ui::TextBox>(QStringLiteral("companyname")), 0x000080);
    for (const char* number : {"tel", "fax", "mobil"})
        emphasize(control<ui::TextBox>(QString::fromLatin1(number)), 0xC00000);

    addBalancesFrame(5520, 360, 1695, 1455, 240);
    for (const char* balance : kBalanceBoxes) control<ui::TextBox>(QString::fromLatin1(balance))->setBackColor(0x80C0FF);

    ui::PictureButton* save = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/modify.bmp")),
                                               5640, 1920, 735, 330);
    save->setToolTip(QStringLiteral("修改"));
    save->onClick = [this] { command1_Click(); };

    SSTab1 = ui::addTabControl(this, QStringLiteral("SSTab1"), 120, 2280, 7095, 2895);
    // A tab's grid is made when the tab is first shown (grid()): a card is
    // mostly seen on its calls tab only, and a grid is a good part of what a
    // card costs, which counts for the many cards the call monitor opens.
    // The first tab, which every card opens on, has its grid from the start,
    // so that a card the monitor made ahead has it ready.
    for (int tab = 0; tab < relatedtabs::TabCount; ++tab) SSTab1->addTab(relatedtabs::info(tab).caption);
    SSTab1->onClick = [this](int previousTab) { SSTab1_Click(previousTab); };
    grid(SSTab1->tab());

    addOptionsFrame(120, 5280);
    addDescription(4680, 5280, 4680, 5580, 2535, 1695);
    addTextBox(QStringLiteral("text1"), 0, 0, 0, 0)->setVisible(false);
    declareTabOrder();
}

// A customer that cannot be read is said so (a box) and leaves the card
// plainly empty and locked, its tabs unread and its balances without a
// figure: no blank record is offered as this customer's, and nothing typed
// into it could be kept.
void FrmCustDetail::Form_Load()
{
    fillReferenceLists();
    customerId_ = Mymode::CurrentRecordId;
    if (readCustomer()) {
        SSTab1_Click(6);
        return;
    }
    ui::msgBox(readfailure::text(*readFailure_));
    for (const char* balance : kBalanceBoxes) ui::setBoxText(this, QString::fromLatin1(balance), QString());
    lockBoxes(true);
}

void FrmCustDetail::command1_Click()
{
    if (!Mymode::hasRight(QStringLiteral("e_cust=1;"))) {
        ui::msgBox(QString::fromUtf8(kRefusedText), ui::Buttons::Ok, ui::Icon::Error, QString::fromUtf8(kRefusedTitle));
        return;
    }
    if (readFailure_) {
        showCustomerReadAgain();
        return;
    }
    if (!customer_) {
        ui::msgBox(QString::fromUtf8(kNoCustomerText));
        return;
    }
    if (!balancesAreNumbers()) return;
    const QString oldContactName = customer_->field(QStringLiteral("company_connect")).toText();
    const auto customerId = static_cast<std::int32_t>(customer_->field(QStringLiteral("id")).toLong());
    try {
        writeCustomer(*customer_);
    } catch (const db::Error& error) {
        database::guarded([&] { customer_->cancelUpdate(); });
        ui::msgBox(savefailure::text(QString::fromUtf8(kNotSavedText), error, savefailure::Reason::Shown));
        return;
    }
    try {
        customer_->update();
    } catch (const db::Error& error) {
        // The boxes keep what the operator typed: only a change made
        // elsewhere asks for the card to be opened again.
        database::guarded([&] { customer_->cancelUpdate(); });
        ui::msgBox(savefailure::changeText(QString::fromUtf8(kNotSavedText), QString::fromUtf8(kStaleText), error));
        return;
    }

    QString contactFailure;
    if (!boxText(QStringLiteral("LXR")).isEmpty()) {
        try {
            customerrecord::updateMainContact(*database::openMain(), customerId, oldContactName, mainContact());
        } catch (const db::Error& error) {
            contactFailure = error.message();
        }
    }
    ui::msgBox(QString::fromUtf8(kSavedText));
    if (!contactFailure.isNull()) ui::msgBox(QString::fromUtf8(kContactFailedText) + contactFailure);
    ui::Windows::unload(this);
}

// Reads the card's customer into the boxes; false, with the reason kept in
// readFailure_, when it cannot be read now. A customer that is no longer
// there leaves the card empty.
bool FrmCustDetail::readCustomer()
{
    readFailure_.reset();
    std::unique_ptr<db::Recordset> row;
    const bool read = database::guarded([&] {
        auto connection = database::openMain();
        row = std::make_unique<db::Recordset>();
        row->open(QStringLiteral("select * from company where id = ") + QString::number(customerId_), *connection,
                  db::CursorType::Keyset, db::LockType::Optimistic, db::CursorLocation::Client);
        row->eof();
    }, readFailure_);
    if (!read) return false;
    if (!row->eof()) {
        showCustomer(*row);
        control<ui::TextBox>(QStringLiteral("text1"))->setText(row->field(QStringLiteral("id")).toText());
        customer_ = std::move(row);
    }
    return true;
}

// A save on a card that could not read its customer saves nothing: the
// customer is read now and shown, for the operator to change and save; while
// it still cannot be read the save says why.
void FrmCustDetail::showCustomerReadAgain()
{
    if (!readCustomer()) {
        ui::msgBox(savefailure::text(QString::fromUtf8(kNotSavedText), *readFailure_, savefailure::Reason::Shown));
        return;
    }
    for (const char* balance : kBalanceBoxes)
        if (boxText(QString::fromLatin1(balance)).isEmpty()) ui::setBoxText(this, QString::fromLatin1(balance), QStringLiteral("0"));
    lockBoxes(false);
    SSTab1_Click(SSTab1->tab());
    ui::msgBox(QString::fromUtf8(customer_ ? kReadNowText : kNoCustomerText));
}

// A tab whose rows cannot be read says why (a box) and keeps what its grid
// and its sales total showed; a card without its customer reads no tab.
void FrmCustDetail::SSTab1_Click(int /*previousTab*/)
{
    if (readFailure_) return;
    Mymode::rememberCompanyByName(boxText(QStringLiteral("companyname")));
    const int tab = SSTab1->tab();
    if (tab < 0 || tab >= relatedtabs::TabCount) return;

    bool isId = false;
    const std::int32_t customerId = boxText(QStringLiteral("text1")).toInt(&isId);
    bool filled = false;
    if (isId) {
        QString numbers;
        if (tab == relatedtabs::Calls && !database::read([&] {
                auto contacts = database::query(relatedtabs::contactsQuery(customerId));
                numbers = relatedtabs::callNumbers(*contacts);
            }))
            return;
        gridbinding::Options readOnly;
        readOnly.lock = db::LockType::ReadOnly;
        readOnly.reportFailure = true;
        filled = gridbinding::bind(grid(tab), relatedtabs::query(tab, customerId, numbers),
                                   relatedtabs::info(tab).columns, readOnly);
        if (!filled) return;
    }
    showSalesTotal(tab, filled);
}

void FrmCustDetail::DataGrid1_DblClick()
{
    openGridRecord(relatedtabs::Activities, QStringLiteral("ActionAdd"), QStringLiteral("ActionDetal"));
}

void FrmCustDetail::DataGrid2_DblClick()
{
    openGridRecord(relatedtabs::Contacts, QStringLiteral("frmAddContect"), QStringLiteral("frmContectDet"));
}

void FrmCustDetail::DataGrid3_DblClick()
{
    openGridRecord(relatedtabs::Quotations, QStringLiteral("AddChance"), QStringLiteral("ChanceDetail"));
}

void FrmCustDetail::DataGrid4_DblClick()
{
    openGridRecord(relatedtabs::SalesOrders, QStringLiteral("SalesAdd"), QStringLiteral("SalesDetail"));
}

void FrmCustDetail::DataGrid6_DblClick()
{
    openGridRecord(relatedtabs::ServiceRecords, QStringLiteral("ServiceAdd"), QStringLiteral("ServiceDetal"));
}

void FrmCustDetail::DataGrid7_DblClick()
{
    openGridRecord(relatedtabs::Calls, QString(), QStringLiteral("frmComeing"));
}

void FrmCustDetail::DataGridPopupAddNew(int button)
{
    if (button != ui::RightButton) return;
    if (auto* menu = ui::Windows::loaded<NewRecordMenu>(QStringLiteral("frmMain"))) menu->popupAddNew();
}

void FrmCustDetail::Form_Paint()
{
    skin::paint(this);
}

ui::DataGrid* FrmCustDetail::grid(int tab)
{
    const QString name = QStringLiteral("DataGrid%1").arg(tab + 1);
    if (auto* made = findChild<ui::DataGrid*>(name)) return made;

    // What a double click on each tab's grid opens; the sales details open nothing.
    static void (FrmCustDetail::*const kDblClick[relatedtabs::TabCount])() = {
        &FrmCustDetail::DataGrid1_DblClick, &FrmCustDetail::DataGrid2_DblClick, &FrmCustDetail::DataGrid3_DblClick,
        &FrmCustDetail::DataGrid4_DblClick, nullptr, &FrmCustDetail::DataGrid6_DblClick,
        &FrmCustDetail::DataGrid7_DblClick};
    const bool higher = tab == relatedtabs::Activities || tab == relatedtabs::Calls;
    const bool wider = tab == relatedtabs::Activities || tab == relatedtabs::ServiceRecords;
    ui::DataGrid* made =
        addDataGrid(name, 120, higher ? 360 : 420, wider ? 6975 : 6855, 2415, SSTab1->page(tab));
    made->setAllowUpdate(false);
    made->setToolTipText(QStringLiteral("双击进入详细"));
    if (tab != relatedtabs::Calls)
        made->onMouseDown = [this](int button, int, double, double) { DataGridPopupAddNew(button); };
    if (const auto handler = kDblClick[tab]) made->onDblClick = [this, handler] { (this->*handler)(); };
    return made;
}

// A row's key opens the record in its editor; an empty key (or no current
// row) opens the new-record window, which takes this card's customer.
void FrmCustDetail::openGridRecord(int tab, const QString& newRecordWindow, const QString& editorWindow)
{
    const QString key = grid(tab)->currentKey().toText();
    if (key.isEmpty()) {
        if (!newRecordWindow.isEmpty()) openWindow(newRecordWindow);
        return;
    }
    bool isId = false;
    const std::int32_t id = key.toInt(&isId);
    if (!isId) return;
    Mymode::CurrentRecordId = id;
    if (id != 0) openWindow(editorWindow);
}

// The sales tabs show the total of their amounts as the grid's tool tip. An
// amount that cannot be read as money (an empty one, or text that is no
// number) adds nothing.
void FrmCustDetail::showSalesTotal(int tab, bool filled)
{
    const int column = relatedtabs::info(tab).amountColumn;
    if (column < 0) return;
    ui::DataGrid* salesGrid = grid(tab);
    db::Currency total;
    for (int row = 0; filled && row < salesGrid->rowCount(); ++row) {
        const db::Variant amount = salesGrid->cell(row, column);
        database::guarded([&] { total = total + amount.toCurrency(); });
    }
    salesGrid->setToolTipText(QStringLiteral("销售累计:") + total.toString());
}

} // namespace customers
