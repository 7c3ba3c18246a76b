#pragma once
// The balance window "短讯帐户充值": asks the gateway for the stored account's
// remaining message count when it opens. Its top-up frame has no behaviour
// (the provider offers no top-up call) and is shown disabled.
#include "sms/gatewaywindow.h"

namespace sms {

class SMSCZ : public GatewayWindow {
public:
    SMSCZ();

    // The balance line for a reply of the gateway; none: the query failed.
    static QString balanceLine(const std::optional<QString>& reply);

protected:
    void Form_Load() override;

private:
    ui::Label* Label1;
};

} // namespace sms
