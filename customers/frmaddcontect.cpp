#include "customers/frmaddcontect.h"

#include "common/cardboxes.h"
#include "common/customerpick.h"
#include "common/database.h"
#include "common/mymode.h"
#include "common/savefailure.h"
#include "common/skin.h"
#include "customers/customerrecord.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace customers {

namespace {

const char* const kNoContactText = "联系人不能为空";
const char* const kNoCustomerText = "客户名称不能为空";
const char* const kSavedText = "联系人已成功加入";
const char* const kNotSavedText = "联系人资料未能保存：";

} // namespace

FrmAddContect::FrmAddContect() : ContactWindow(QStringLiteral("frmAddContect"))
{
    setCaption(QStringLiteral("增加联系人"));
    setSizeTwips(6165, 6030);

    addContactBoxes(Layout::NewContact, QStringLiteral("Command4"))->onClick = [this] { Command4_Click(); };

    auto button = [this](const char* name, const char* picture, const char* caption, double left, double width) {
        ui::PictureButton* b = addPictureButton(QString::fromLatin1(name), ui::programPath(QString::fromLatin1(picture)),
                                                left, 4680, width, 330);
        b->setToolTip(QString::fromUtf8(caption));
        return b;
    };
    button("command2", "bmp/savenew.bmp", "保存并新建", 1800, 1200)->onClick = [this] { command2_Click(); };
    button("command1", "bmp/save.bmp", "保存", 3120, 735)->onClick = [this] { command1_Click(); };
    button("command3", "bmp/close.bmp", "关闭", 3960, 735)->onClick = [this] { command3_Click(); };
}

void FrmAddContect::Form_Load()
{
    control<ui::TextBox>(QStringLiteral("field4"))->setText(Mymode::OperatorName);
    control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(customercard::boxText(QStringLiteral("text1")));
    control<ui::TextBox>(QStringLiteral("CustName"))->setText(customercard::boxText(QStringLiteral("companyname")));
    control<ui::TextBox>(QStringLiteral("LXR"))->setFocus();
}

void FrmAddContect::command1_Click()
{
    save();
}

void FrmAddContect::command2_Click()
{
    if (save()) ui::Windows::open(QStringLiteral("frmAddContect"));
}

void FrmAddContect::command3_Click()
{
    ui::Windows::unload(this);
}

void FrmAddContect::Command4_Click()
{
    customerpick::open(this);
}

void FrmAddContect::Form_Paint()
{
    skin::paint(this);
}

bool FrmAddContect::save()
{
    if (db::trimBlanks(boxText(QStringLiteral("LXR"))).isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoContactText));
        return false;
    }
    if (db::trimBlanks(boxText(QStringLiteral("CustName"))).isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoCustomerText));
        return false;
    }
    try {
        auto connection = database::openMain();
        const auto customerId = storedCustomer(*connection);
        if (!customerId || !birthdayAccepted()) return false;
        db::Recordset contact;
        contact.open(QStringLiteral("select * from KH_LXR"), *connection, db::CursorType::Static,
                     db::LockType::Optimistic);
        contact.addNew();
        writeContact(contact, *customerId);
        contact.setField(QStringLiteral("field4"), boxText(QStringLiteral("field4")));
        customerrecord::stampNewContact(contact, isTicked(QStringLiteral("GK")));
        contact.update();
    } catch (const db::Error& error) {
        ui::msgBox(savefailure::text(QString::fromUtf8(kNotSavedText), error, savefailure::Reason::Shown));
        return false;
    }
    ui::msgBox(QString::fromUtf8(kSavedText));
    ui::Windows::unload(this);
    return true;
}

} // namespace customers
