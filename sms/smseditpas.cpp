#include "sms/smseditpas.h"

#include "common/database.h"
#include "platform/smsgateway/gateway.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"

namespace sms {

namespace {

const char* const kMismatchText = "新密码和确认密码不一致！";
const char* const kWrongOldText = "旧密码不正确";
const char* const kChangedText = "更改成功！";
const char* const kNotChangedText = "更改失败！";
const char* const kNotStoredText = "网关密码已更改，但本机保存失败，请在短讯端口设置中重新输入新密码！";

constexpr int kChanged = 1;

} // namespace

SMSeditpas::SMSeditpas() : GatewayWindow(QStringLiteral("SMSeditpas"), QStringLiteral("修改短讯网关密码"))
{
    setSizeTwips(5400, 5100);
    auto* frame1 = addFrame(QStringLiteral("Frame1"), QStringLiteral("修改网关密码"), 240, 960, 4800, 2100);
    addLabel(QStringLiteral("Label1"), QStringLiteral("旧密码："), 240, 420, 1080, 255, frame1);
    Text3 = addTextBox(QStringLiteral("Text3"), 1320, 360, 3240, 315, frame1);
    addLabel(QStringLiteral("Label2"), QStringLiteral("新密码："), 240, 960, 1080, 255, frame1);
    text1 = addTextBox(QStringLiteral("text1"), 1320, 900, 3240, 315, frame1);
    addLabel(QStringLiteral("Label3"), QStringLiteral("确认密码："), 240, 1500, 1080, 255, frame1);
    text2 = addTextBox(QStringLiteral("text2"), 1320, 1440, 3240, 315, frame1);
    for (ui::TextBox* box : {Text3, text1, text2}) box->setPasswordChar(QLatin1Char('*'));

    auto* command1 = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/modify.bmp")),
                                      2520, 3660, 1125, 375);
    command1->onClick = [this] { command1_Click(); };
    addCloseButton(QStringLiteral("command2"), 3840, 3660);
}

// The window stays open after every outcome, the boxes as typed.
void SMSeditpas::command1_Click()
{
    if (db::trimBlanks(text1->text()) != db::trimBlanks(text2->text())) {
        ui::msgBox(QString::fromUtf8(kMismatchText));
        return;
    }
    std::unique_ptr<db::Connection> connection;
    db::Recordset row;
    QString name;
    QString storedPassword;
    // An account that cannot be read says why; it is no wrong old password.
    bool found = false;
    if (!database::read([&] {
            connection = database::openLocalSms();
            row.open(QStringLiteral("select * from SMSSET"), *connection, db::CursorType::Static,
                     db::LockType::Optimistic);
            if (row.eof()) return;
            found = true;
            name = row.field(QStringLiteral("RegNO")).toText();
            storedPassword = row.field(QStringLiteral("RegPass")).toText();
        }))
        return;
    const QString oldPassword = db::trimBlanks(Text3->text());
    if (!found || storedPassword != oldPassword) {
        ui::msgBox(QString::fromUtf8(kWrongOldText));
        return;
    }
    // An empty new password goes to the gateway as it is.
    const QString newPassword = db::trimBlanks(text2->text());

    const std::optional<int> result = callGateway([&](smsgateway::Library& gateway) {
        return gateway.modifyPassword(name, oldPassword, newPassword);
    });
    if (result != kChanged) {
        ui::msgBox(QString::fromUtf8(kNotChangedText));
        return;
    }
    const bool stored = database::guarded([&] {
        row.setField(QStringLiteral("RegPass"), newPassword);
        row.update();
    });
    ui::msgBox(QString::fromUtf8(stored ? kChangedText : kNotStoredText));
}

} // namespace sms
