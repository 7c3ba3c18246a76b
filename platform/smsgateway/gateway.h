#pragma once
// The SMS provider's client library as the gateway windows call it: four
// synchronous calls to the provider's web service. No provider library exists
// here; the simulated gateway (simulated.h) stands in for it when installed
// or named by the environment, and otherwise every call fails.
#include <QString>
#include <memory>
#include <stdexcept>

namespace smsgateway {

// The longest account information getUserInfo hands back.
inline constexpr int kReplyCapacity = 2048;

// A call that could not be made: no library, no service at the address, no
// answer in time.
class CallFailed : public std::runtime_error {
public:
    explicit CallFailed(const QString& reason) : std::runtime_error(reason.toStdString()) {}
};

class Library {
public:
    virtual ~Library() = default;
    // Sets the service address the following calls reach; the result means nothing.
    virtual int setWebService(const QString& address) = 0;
    // 0: the gateway refuses the account; 1: valid; anything else: the check failed.
    virtual int validateUser(const QString& account, const QString& password) = 0;
    // Writes the account information into `reply` (at most kReplyCapacity
    // characters, cut at a NUL); the remaining message count stands between
    // "<remainFee>" and "</remainFee>".
    virtual int getUserInfo(const QString& account, const QString& password, QString& reply) = 0;
    // 1: the gateway changed the password; anything else: it did not.
    virtual int modifyPassword(const QString& account, const QString& oldPassword, const QString& newPassword) = 0;
};

// The environment variable that names a simulated gateway's accounts script
// for the program (see simulated.h for its form).
inline constexpr const char* kScriptVariable = "HALVEX_SMS_GATEWAY";

// The library the windows call: the installed one; else, the first time, the
// simulated gateway that the environment variable names; else one whose every
// call fails.
Library& library();
// Installs a library (tests); nullptr goes back to the environment's choice.
void install(std::shared_ptr<Library> library);

} // namespace smsgateway
