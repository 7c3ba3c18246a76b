#include "customers/frmcontectdet.h"

#include "common/companylookup.h"
#include "common/customerpick.h"
#include "common/database.h"
#include "common/mymode.h"
#include "common/savefailure.h"
#include "common/skin.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace customers {

namespace {

const char* const kRefusedText = "您无权修改联系人资料";
const char* const kRefusedTitle = "修改资料";
const char* const kSavedText = "联系人已成功修改";
const char* const kStaleText = "联系人资料未能保存：该联系人已在别处被修改或删除，请关闭后重新打开再修改";
const char* const kNotSavedText = "联系人资料未能保存：";

} // namespace

FrmContectDet::FrmContectDet() : ContactWindow(QStringLiteral("frmContectDet"))
{
    setCaption(QStringLiteral("修改联系人"));
    setSizeTwips(6360, 5955);

    addContactBoxes(Layout::Editor, QStringLiteral("command3"))->onClick = [this] { command3_Click(); };

    auto button = [this](const char* name, const char* picture, const char* caption, double left) {
        ui::PictureButton* b = addPictureButton(QString::fromLatin1(name), ui::programPath(QString::fromLatin1(picture)),
                                                left, 4680, 735, 330);
        b->setToolTip(QString::fromUtf8(caption));
        return b;
    };
    button("command1", "bmp/save.bmp", "保存", 2760)->onClick = [this] { command1_Click(); };
    button("command2", "bmp/close.bmp", "关闭", 4080)->onClick = [this] { command2_Click(); };
}

// The contact and the name of its customer are read together: when either
// cannot be read a box says why and the editor stays plainly empty, so no
// blank contact is offered as this one and a save says why it cannot save.
void FrmContectDet::Form_Load()
{
    std::unique_ptr<db::Recordset> row;
    std::shared_ptr<db::Recordset> customer;
    const bool read = database::read([&] {
        auto connection = database::openMain();
        row = std::make_unique<db::Recordset>();
        row->open(QStringLiteral("select * from KH_LXR where id = ") + QString::number(Mymode::CurrentRecordId),
                  *connection, db::CursorType::Keyset, db::LockType::Optimistic, db::CursorLocation::Client);
        if (row->eof()) return;
        const db::Variant customerId = row->field(QStringLiteral("companyid"));
        if (!customerId.isNullOrEmpty())
            customer = database::query(QStringLiteral("select id,company_name from company where id=")
                                       + QString::number(customerId.toLong()));
    }, readFailure_);
    if (read && !row->eof()) {
        if (customer && !customer->eof()) {
            control<ui::TextBox>(QStringLiteral("CustName"))->setText(customer->field(QStringLiteral("company_name")).toText());
            control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(customer->field(QStringLiteral("id")).toText());
        }
        showContact(*row);
        control<ui::TextBox>(QStringLiteral("field4"))->setText(row->field(QStringLiteral("LXR_CZZ")).toText());
        contact_ = std::move(row);
    }
    control<ui::TextBox>(QStringLiteral("LXR"))->setFocus();
}

void FrmContectDet::command1_Click()
{
    if (!Mymode::hasRight(QStringLiteral("e_conn=1;"))) {
        ui::msgBox(QString::fromUtf8(kRefusedText), ui::Buttons::Ok, ui::Icon::Error, QString::fromUtf8(kRefusedTitle));
        return;
    }
    if (!birthdayAccepted()) return;
    if (!contact_) {
        ui::msgBox(readFailure_ ? savefailure::text(QString::fromUtf8(kNotSavedText), *readFailure_, savefailure::Reason::Shown)
                                : QString::fromUtf8(kStaleText));
        return;
    }
    try {
        const auto customerId = storedCustomer(*database::openMain());
        if (!customerId) return;
        writeContact(*contact_, *customerId);
    } catch (const db::Error& error) {
        database::guarded([&] { contact_->cancelUpdate(); });
        ui::msgBox(savefailure::text(QString::fromUtf8(kNotSavedText), error, savefailure::Reason::Shown));
        return;
    }
    std::optional<db::Error> failure;
    if (!database::guarded([&] { contact_->update(); }, failure)) {
        database::guarded([&] { contact_->cancelUpdate(); });
        ui::msgBox(savefailure::changeText(QString::fromUtf8(kNotSavedText), QString::fromUtf8(kStaleText), *failure));
        return;
    }
    ui::msgBox(QString::fromUtf8(kSavedText));
    Mymode::rememberCompanyByName(boxText(QStringLiteral("CustName")));
    ui::Windows::unload(this);
}

void FrmContectDet::command2_Click()
{
    ui::Windows::unload(this);
}

void FrmContectDet::command3_Click()
{
    customerpick::open(this);
}

void FrmContectDet::Form_Paint()
{
    skin::paint(this);
}

} // namespace customers
