#pragma once
// The password window: an operator who knows an account's current password
// gives it a new password and, optionally, a new name. A new name is carried
// into the owner column of every record the account owns, in one transaction
// with the password change.
#include "platform/ui/form.h"

namespace login {

class ChangePwd : public ui::Form {
public:
    ChangePwd();

protected:
    void Form_Paint() override;

private:
    void command2_Click();   // save
    void command3_Click();   // close

    ui::TextBox* text1_;     // the account's current name
    ui::TextBox* text2_;     // its current password
    ui::TextBox* Text5_;     // new name; empty keeps the name
    ui::TextBox* Text3_;     // new password
    ui::TextBox* Text4_;     // new password again
};

} // namespace login
