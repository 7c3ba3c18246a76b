#pragma once
// The password window "修改短讯网关密码": changes the stored account's password
// at the gateway and, when the gateway accepts it, in the local SMS.mdb.
#include "sms/gatewaywindow.h"

namespace sms {

class SMSeditpas : public GatewayWindow {
public:
    SMSeditpas();

private:
    void command1_Click();

    ui::TextBox* Text3;   // old password
    ui::TextBox* text1;   // new password
    ui::TextBox* text2;   // new password again
};

} // namespace sms
