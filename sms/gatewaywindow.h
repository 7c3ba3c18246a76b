#pragma once
// The base of the three gateway windows (account set-up, balance, password
// change): the skin, the hidden box TextURL with the provider's service
// address, a close button, and the account stored in this installation's own
// SMS.mdb, whatever the work mode.
#include "platform/ui/form.h"

#include <functional>
#include <optional>

namespace smsgateway { class Library; }

namespace sms {

class GatewayWindow : public ui::Form {
protected:
    GatewayWindow(const QString& kind, const QString& caption);

    void Form_Paint() override;
    // A picture button whose click unloads the window.
    void addCloseButton(const QString& name, double left, double top);

    struct Account {
        QString name;       // RegNO
        QString password;   // RegPass, plain text: the sender program reads it
    };
    // The first SMSSET row into `account` (none without a row); false when it
    // cannot be read: the operator was told why.
    static bool readAccount(std::optional<Account>& account);

    // Points the provider library at the address in TextURL, then makes one
    // call; its result, or none when the call could not be made.
    std::optional<int> callGateway(const std::function<int(smsgateway::Library&)>& call) const;

    ui::TextBox* TextURL;
};

// The web-service address the provider library is pointed at.
QString gatewayServiceAddress();

} // namespace sms
