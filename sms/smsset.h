#pragma once
// The gateway account window "短讯网关设置": the account the sender program
// sends through, validated by the provider before it is stored in the local
// SMS.mdb, and the switch that starts the sender with the main window.
#include "sms/gatewaywindow.h"

namespace sms {

class SMSSet : public GatewayWindow {
public:
    SMSSet();

protected:
    void Form_Load() override;

private:
    void command1_Click();
    bool storeAccount(const QString& name, const QString& password);
    bool storeSwitch();

    ui::TextBox* text1;
    ui::TextBox* text2;
    ui::CheckBox* StarSMS;
};

} // namespace sms
