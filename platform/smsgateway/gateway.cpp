#include "platform/smsgateway/gateway.h"

#include "platform/smsgateway/simulated.h"

namespace smsgateway {
namespace {

// No provider library on this system: nothing can be called.
class Missing : public Library {
public:
    int setWebService(const QString&) override { fail(); }
    int validateUser(const QString&, const QString&) override { fail(); }
    int getUserInfo(const QString&, const QString&, QString&) override { fail(); }
    int modifyPassword(const QString&, const QString&, const QString&) override { fail(); }

private:
    [[noreturn]] static void fail() { throw CallFailed(QStringLiteral("no SMS provider library is installed")); }
};

std::shared_ptr<Library>& installed()
{
    static std::shared_ptr<Library> library;
    return library;
}

std::shared_ptr<Library> fromEnvironment()
{
    const QString script = qEnvironmentVariable(kScriptVariable);
    if (!script.isEmpty()) {
        if (auto simulated = SimulatedGateway::fromScript(script)) return simulated;
    }
    return std::make_shared<Missing>();
}

} // namespace

Library& library()
{
    if (!installed()) installed() = fromEnvironment();
    return *installed();
}

void install(std::shared_ptr<Library> library)
{
    installed() = std::move(library);
}

} // namespace smsgateway
