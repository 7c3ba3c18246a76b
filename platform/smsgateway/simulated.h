#pragma once
// A simulated SMS gateway behind the provider library's four calls: it holds
// accounts (name, password, remaining message count) and answers as the
// provider's web service does, at any host on port 8080 with the service
// path. It can be told to give a chosen result or raw reply, to fail or to
// time out, and it records every call with its arguments and the address set
// before it.
//
// Accounts script (the file the environment variable names): one account a
// line, "name password remaining", separated by blanks or tabs; "-" stands
// for an empty password; lines starting with "#" and blank lines are skipped.
#include "platform/smsgateway/gateway.h"

#include <QStringList>
#include <map>
#include <optional>
#include <vector>

namespace smsgateway {

class SimulatedGateway : public Library {
public:
    struct Account {
        QString password;
        int remaining = 0;
    };
    struct Call {
        QString function;
        QStringList arguments;
        QString address;   // the address set before the call
    };

    // nullptr when the script cannot be read.
    static std::shared_ptr<SimulatedGateway> fromScript(const QString& path);

    void addAccount(const QString& name, const QString& password, int remaining);
    std::optional<Account> account(const QString& name) const;

    // Every further call (but setWebService) returns `result`; getUserInfo
    // still writes its usual reply unless a raw reply is given.
    void giveResult(int result) { forcedResult_ = result; }
    // getUserInfo writes exactly this text (cut as the library cuts it).
    void giveReply(const QString& reply) { forcedReply_ = reply; }
    void failCalls() { trouble_ = Trouble::Failure; }     // the library cannot be called
    void timeOut() { trouble_ = Trouble::TimeOut; }       // the service does not answer
    void answerNormally();

    const std::vector<Call>& calls() const { return calls_; }
    void forgetCalls() { calls_.clear(); }

    int setWebService(const QString& address) override;
    int validateUser(const QString& account, const QString& password) override;
    int getUserInfo(const QString& account, const QString& password, QString& reply) override;
    int modifyPassword(const QString& account, const QString& oldPassword, const QString& newPassword) override;

private:
    enum class Trouble { None, Failure, TimeOut };
    // Records the call and throws when it cannot be answered.
    void receive(const QString& function, const QStringList& arguments);
    bool accepts(const QString& account, const QString& password) const;

    std::map<QString, Account> accounts_;
    QString address_;
    std::optional<int> forcedResult_;
    std::optional<QString> forcedReply_;
    Trouble trouble_ = Trouble::None;
    std::vector<Call> calls_;
};

} // namespace smsgateway
