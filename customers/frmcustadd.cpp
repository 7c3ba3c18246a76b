#include "customers/frmcustadd.h"

#include "common/callmonitor.h"
#include "common/database.h"
#include "common/mainlists.h"
#include "common/mymode.h"
#include "common/recordscope.h"
#include "common/savefailure.h"
#include "common/skin.h"
#include "common/sqltext.h"
#include "platform/db/locale.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace customers {

namespace {

// The last caller's number, once the call monitor runs.
QString lastCallerNumber()
{
    auto* monitor = ui::Windows::loaded<CallMonitor>(QStringLiteral("GtMain"));
    return monitor ? db::trimBlanks(monitor->PhoneID()) : QString();
}

// The area label of the standing unknown-caller window, which is loaded
// unseen for it when it is not loaded yet.
QString lastCallerArea()
{
    const QString kind = QStringLiteral("GtNewNo");
    if (!ui::Windows::isDefined(kind)) return QString();
    ui::Form* unknownCaller = ui::Windows::get(kind);
    if (!unknownCaller || !unknownCaller->hasControl(QStringLiteral("Label4"))) return QString();
    return unknownCaller->control<ui::Label>(QStringLiteral("Label4"))->caption();
}

} // namespace

FrmCustAdd::FrmCustAdd() : CustomerWindow(QStringLiteral("frmCustAdd"))
{
    setCaption(QStringLiteral("新增客户资料"));
    setSizeTwips(6600, 6510);

    addCustomerBoxes(4335, 5520, 480);
    addDescription(120, 2160 + 30, 960, 2160, 5415, 735);

    auto button = [this](const char* name, const char* picture, const char* caption, double left, double width) {
        ui::PictureButton* b = addPictureButton(QString::fromLatin1(name), ui::programPath(QString::fromLatin1(picture)),
                                                left, 3000, width, 330);
        b->setToolTip(QString::fromUtf8(caption));
        return b;
    };
    button("command2", "bmp/savenew.bmp", "保存并新建", 2160, 1200)->onClick = [this] { command2_Click(); };
    button("command1", "bmp/save.bmp", "保存", 3480, 735)->onClick = [this] { command1_Click(); };
    button("command3", "bmp/close.bmp", "关闭", 4320, 735)->onClick = [this] { command3_Click(); };

    addOptionsFrame(120, 3360);
    addBalancesFrame(4680, 3360, 1695, 2055, 360);
    declareTabOrder();
    // This window's fax label has one blank less than the card's.
    control<ui::Label>(QStringLiteral("lbl_fax"))->setCaption(QStringLiteral("传   真"));
}

void FrmCustAdd::Form_Load()
{
    fillReferenceLists();
    takeCaller({lastCallerNumber(), lastCallerArea()});
    control<ui::TextBox>(QStringLiteral("companyname"))->setFocus();
}

void FrmCustAdd::takeCaller(const callerhandover::Caller& caller)
{
    const QString number = db::trimBlanks(caller.number);
    for (const char* box : {"companyname", "tel", "LXR"})
        control<ui::TextBox>(QString::fromLatin1(box))->setText(number);
    control<ui::TextBox>(QStringLiteral("company_address"))->setText(caller.area);
}

void FrmCustAdd::command1_Click()
{
    save();
}

void FrmCustAdd::command2_Click()
{
    if (save()) ui::Windows::open(QStringLiteral("frmCustAdd"));
}

void FrmCustAdd::command3_Click()
{
    ui::Windows::unload(this);
}

void FrmCustAdd::Form_Paint()
{
    skin::paint(this);
}

bool FrmCustAdd::save()
{
    const QString name = boxText(QStringLiteral("companyname"));
    if (db::trimBlanks(name).isEmpty()) {
        ui::msgBox(QStringLiteral("客户名称不能为空"));
        return false;
    }
    if (db::trimBlanks(boxText(QStringLiteral("LXR"))).isEmpty()) {
        ui::msgBox(QStringLiteral("联系人不能为空"));
        return false;
    }
    if (!balancesAreNumbers()) return false;

    // The customer and its main contact are stored together or not at all.
    std::unique_ptr<db::Connection> connection;
    try {
        connection = database::openMain();
        db::Recordset customer;
        customer.open(QStringLiteral("select * from company where company_name=") + sqltext::quoted(name), *connection,
                      db::CursorType::Static, db::LockType::Optimistic);
        if (!customer.eof()
            && ui::msgBox(QStringLiteral("该客户已存在，您要重复输入吗？"), ui::Buttons::OkCancel, ui::Icon::None,
                          QStringLiteral("输入确认"))
                != ui::Answer::Ok)
            return false;
        connection->beginTrans();
        customer.addNew();
        writeCustomer(customer);
        customerrecord::stampNewCustomer(customer, isPublic());
        customer.setField(QStringLiteral("company_createtime"), db::locale::shortDate(db::locale::now().date()));
        customer.update();
        const auto customerId = static_cast<std::int32_t>(customer.field(QStringLiteral("id")).toLong());
        customerrecord::addMainContact(*connection, customerId, mainContact(), boxText(QStringLiteral("company_address")),
                                       boxText(QStringLiteral("dute")), isPublic());
        connection->commitTrans();
    } catch (const db::Error& error) {
        if (connection) database::guarded([&connection] { connection->rollbackTrans(); });
        ui::msgBox(savefailure::text(QStringLiteral("客户资料未能保存："), error, savefailure::Reason::Shown));
        return false;
    }
    connection.reset();

    const QString customerList = recordscope::customerSelectList() + recordscope::customerClause();
    ui::Windows::unload(this);
    if (auto* mainLists = ui::Windows::loaded<MainLists>(QStringLiteral("frmMain"))) mainLists->DataGridFresh(customerList);
    if (ui::Form* mainWindow = ui::Windows::loaded(QStringLiteral("frmMain"))) mainWindow->update();
    return true;
}

} // namespace customers
