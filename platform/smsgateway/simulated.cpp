#include "platform/smsgateway/simulated.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <QUrl>

namespace smsgateway {
namespace {

const QString kServicePath = QStringLiteral("/NOSmsPlatform/services/BusinessService");

// The library hands back the reply as a C string in a fixed buffer.
QString asLibraryReply(const QString& text)
{
    QString reply = text.left(text.indexOf(QChar(0)) < 0 ? text.size() : text.indexOf(QChar(0)));
    return reply.left(kReplyCapacity);
}

} // namespace

std::shared_ptr<SimulatedGateway> SimulatedGateway::fromScript(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return nullptr;
    auto gateway = std::make_shared<SimulatedGateway>();
    QTextStream in(&file);
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList fields = line.split(blanks);
        bool isCount = false;
        const int remaining = fields.value(2).toInt(&isCount);
        if (fields.size() != 3 || !isCount) continue;
        const QString password = fields[1] == QLatin1String("-") ? QString() : fields[1];
        gateway->addAccount(fields[0], password, remaining);
    }
    return gateway;
}

void SimulatedGateway::addAccount(const QString& name, const QString& password, int remaining)
{
    accounts_[name] = Account{password, remaining};
}

std::optional<SimulatedGateway::Account> SimulatedGateway::account(const QString& name) const
{
    const auto found = accounts_.find(name);
    if (found == accounts_.end()) return std::nullopt;
    return found->second;
}

void SimulatedGateway::answerNormally()
{
    forcedResult_.reset();
    forcedReply_.reset();
    trouble_ = Trouble::None;
}

void SimulatedGateway::receive(const QString& function, const QStringList& arguments)
{
    calls_.push_back(Call{function, arguments, address_});
    if (trouble_ == Trouble::Failure) throw CallFailed(QStringLiteral("the provider library failed"));
    if (trouble_ == Trouble::TimeOut) throw CallFailed(QStringLiteral("the SMS service did not answer in time"));
    const QUrl url(address_);
    if (!url.isValid() || url.port() != 8080 || url.path() != kServicePath)
        throw CallFailed(QStringLiteral("no SMS service at \"%1\"").arg(address_));
}

bool SimulatedGateway::accepts(const QString& account, const QString& password) const
{
    const auto found = accounts_.find(account);
    return found != accounts_.end() && found->second.password == password;
}

int SimulatedGateway::setWebService(const QString& address)
{
    calls_.push_back(Call{QStringLiteral("setWebService"), QStringList{address}, address_});
    address_ = address;
    return 0;
}

int SimulatedGateway::validateUser(const QString& account, const QString& password)
{
    receive(QStringLiteral("validateUser"), {account, password});
    if (forcedResult_) return *forcedResult_;
    return accepts(account, password) ? 1 : 0;
}

int SimulatedGateway::getUserInfo(const QString& account, const QString& password, QString& reply)
{
    receive(QStringLiteral("getUserInfo"), {account, password});
    const bool valid = accepts(account, password);
    if (forcedReply_) {
        reply = asLibraryReply(*forcedReply_);
    } else if (valid) {
        reply = asLibraryReply(QStringLiteral("<?xml version=\"1.0\" encoding=\"GBK\"?><userInfo><userName>%1</userName>"
                                              "<remainFee>%2</remainFee><status>0</status></userInfo>")
                                   .arg(account.toHtmlEscaped())
                                   .arg(accounts_.at(account).remaining));
    } else {
        reply = asLibraryReply(QStringLiteral("<?xml version=\"1.0\" encoding=\"GBK\"?><error><code>0</code>"
                                              "<message>invalid user</message></error>"));
    }
    if (forcedResult_) return *forcedResult_;
    return valid ? 1 : 0;
}

int SimulatedGateway::modifyPassword(const QString& account, const QString& oldPassword, const QString& newPassword)
{
    receive(QStringLiteral("modifyPassword"), {account, oldPassword, newPassword});
    if (forcedResult_) return *forcedResult_;
    if (!accepts(account, oldPassword)) return 0;
    accounts_[account].password = newPassword;
    return 1;
}

} // namespace smsgateway
