#include "sms/smsset.h"

#include "common/database.h"
#include "platform/smsgateway/gateway.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace sms {

namespace {

const char* const kTitle = "短讯网关设置";
const char* const kNoNameText = "注册名不能为空";
const char* const kNoPasswordText = "密码不能为空";
const char* const kRefusedText = "非法用户";
const char* const kSavedText = "网关设置成功";
const char* const kNotSavedText = "网关设置保存失败！";
const char* const kFailedText = "处理失败！";
const char* const kNoteText =
    "注：第一次使用时向我公司申请网关帐户，得到网关帐户后这些设置，设置成功后请不要变动。";

// The results of validateUser the window tells apart; a call that cannot be
// made counts as a failed check, never as a refusal.
constexpr int kRefused = 0;
constexpr int kValid = 1;
constexpr int kCheckFailed = -1;

} // namespace

SMSSet::SMSSet() : GatewayWindow(QStringLiteral("SMSSet"), QStringLiteral("短讯网关设置"))
{
    setSizeTwips(5400, 5100);
    auto* frame1 = addFrame(QStringLiteral("Frame1"), QStringLiteral("短讯网送参数设置"), 240, 960, 4800, 1860);
    addLabel(QStringLiteral("Label1"), QStringLiteral("注册号:"), 240, 420, 900, 255, frame1);
    text1 = addTextBox(QStringLiteral("text1"), 1200, 360, 3360, 315, frame1);
    addLabel(QStringLiteral("Label2"), QStringLiteral("密  码:"), 240, 900, 900, 255, frame1);
    text2 = addTextBox(QStringLiteral("text2"), 1200, 840, 3360, 315, frame1);
    text2->setPasswordChar(QLatin1Char('*'));
    StarSMS = addCheckBox(QStringLiteral("StarSMS"), QStringLiteral("启动主程序时自动启动短讯发送程序"),
                          240, 1380, 4320, 255, frame1);
    addLabel(QStringLiteral("Label3"), QString::fromUtf8(kNoteText), 240, 2940, 4800, 615);

    auto* command1 = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/save.bmp")),
                                      2520, 3660, 1125, 375);
    command1->onClick = [this] { command1_Click(); };
    addCloseButton(QStringLiteral("command3"), 3840, 3660);
}

// Shows the stored account and switch; a switch that cannot be read shows
// ticked. When either cannot be read, the window says why and cannot save:
// a save would store what it shows over what is stored.
void SMSSet::Form_Load()
{
    std::optional<Account> account;
    bool start = true;
    const bool read = readAccount(account) && database::read([&] {
        auto settings = database::queryLocal(QStringLiteral("select * from DriveInfo"), db::LockType::Optimistic,
                                             db::CursorType::Static);
        start = settings->field(QStringLiteral("StarSMS")).toText() == QLatin1String("1");
    });
    if (account) {
        text1->setText(account->name);
        text2->setText(account->password);
    }
    StarSMS->setValue(start ? 1 : 0);
    if (!read) control<ui::PictureButton>(QStringLiteral("command1"))->setEnabled(false);
}

// Stores the account and the switch only after the gateway accepted the account.
void SMSSet::command1_Click()
{
    const QString title = QString::fromUtf8(kTitle);
    const QString name = db::trimBlanks(text1->text());
    const QString password = db::trimBlanks(text2->text());
    if (name.isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoNameText), ui::Buttons::Ok, ui::Icon::Error, title);
        return;
    }
    if (password.isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoPasswordText), ui::Buttons::Ok, ui::Icon::Error, title);
        return;
    }

    const int result = callGateway([&](smsgateway::Library& gateway) { return gateway.validateUser(name, password); })
                           .value_or(kCheckFailed);
    if (result == kRefused) {
        ui::msgBox(QString::fromUtf8(kRefusedText));
        return;
    }
    if (result != kValid) {
        ui::msgBox(QString::fromUtf8(kFailedText));
        return;
    }

    const bool accountStored = storeAccount(name, password);
    const bool switchStored = storeSwitch();
    if (!accountStored || !switchStored) {
        ui::msgBox(QString::fromUtf8(kNotSavedText), ui::Buttons::Ok, ui::Icon::Error, title);
        return;
    }
    ui::msgBox(QString::fromUtf8(kSavedText));
    ui::Windows::unload(this);
}

// The first SMSSET row of the local SMS.mdb; the row exists beforehand.
bool SMSSet::storeAccount(const QString& name, const QString& password)
{
    return database::guarded([&] {
        auto connection = database::openLocalSms();
        db::Recordset row;
        row.open(QStringLiteral("select * from SMSSET"), *connection, db::CursorType::Static, db::LockType::Optimistic);
        if (row.eof()) throw db::Error(QStringLiteral("no SMSSET row"));
        row.setField(QStringLiteral("RegNO"), name);
        row.setField(QStringLiteral("RegPass"), password);
        row.update();
    });
}

// StarSMS of the local settings row, whatever the work mode.
bool SMSSet::storeSwitch()
{
    return database::guarded([&] {
        auto settings = database::queryLocal(QStringLiteral("select * from DriveInfo"), db::LockType::Optimistic,
                                             db::CursorType::Static);
        if (settings->eof()) throw db::Error(QStringLiteral("no DriveInfo row"));
        settings->setField(QStringLiteral("StarSMS"), StarSMS->value() == 1 ? QStringLiteral("1") : QStringLiteral("0"));
        settings->update();
    });
}

} // namespace sms
