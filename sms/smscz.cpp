#include "sms/smscz.h"

#include "platform/smsgateway/gateway.h"
#include "platform/ui/desktop.h"

namespace sms {

namespace {

const char* const kBalanceCaption = "帐户余额数(条)：";
const char* const kQueryFailedText = "查询失败";
const QString kOpeningTag = QStringLiteral("<remainFee>");
const QString kClosingTag = QStringLiteral("</remainFee>");

} // namespace

SMSCZ::SMSCZ() : GatewayWindow(QStringLiteral("SMSCZ"), QStringLiteral("短讯帐户充值"))
{
    setSizeTwips(5400, 5100);
    closeOnEscape();
    Label1 = addLabel(QStringLiteral("Label1"), QString(), 240, 1020, 4800, 300);

    auto* frame1 = addFrame(QStringLiteral("Frame1"), QStringLiteral("帐户充值"), 240, 1500, 4800, 1980);
    addLabel(QStringLiteral("Label2"), QStringLiteral("充值卡号："), 240, 420, 1080, 255, frame1);
    addTextBox(QStringLiteral("text1"), 1320, 360, 3240, 315, frame1);
    addLabel(QStringLiteral("Label3"), QStringLiteral("充值密码："), 240, 900, 1080, 255, frame1);
    addTextBox(QStringLiteral("text2"), 1320, 840, 3240, 315, frame1);
    addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/ok.bmp")), 3435, 1380, 1125, 375,
                     frame1);
    frame1->setEnabled(false);

    addCloseButton(QStringLiteral("command2"), 3840, 3660);
}

// An account that cannot be read is not asked for with empty texts: the
// operator is told why and the balance line stays empty.
void SMSCZ::Form_Load()
{
    std::optional<Account> stored;
    if (!readAccount(stored)) return;
    const Account account = stored.value_or(Account{});
    QString reply;
    const bool answered = callGateway([&](smsgateway::Library& gateway) {
        return gateway.getUserInfo(account.name, account.password, reply);
    }).has_value();
    Label1->setCaption(balanceLine(answered ? std::optional<QString>(reply) : std::nullopt));
}

// The count is the text between the tags, not read as a number; without a
// closing tag it runs to the end of the reply. A reply without the opening
// tag holds no count.
QString SMSCZ::balanceLine(const std::optional<QString>& reply)
{
    const QString caption = QString::fromUtf8(kBalanceCaption);
    const qsizetype opening = reply ? reply->indexOf(kOpeningTag) : -1;
    if (opening < 0) return caption + QString::fromUtf8(kQueryFailedText);
    QString count = reply->mid(opening + kOpeningTag.size());
    const qsizetype closing = count.indexOf(kClosingTag);
    if (closing >= 0) count.truncate(closing);
    return caption + count;
}

} // namespace sms
