#pragma once
// The login window, the first window of the program: its load decides which
// database file the run uses (the work mode of the local settings row),
// purges old call recordings and lists the operators; its OK button checks
// the operator's password, fills the login state and hands over to the main
// window. Closing it without a login ends the program.
#include "platform/ui/form.h"

namespace login {

class FrmLogin : public ui::Form {
public:
    FrmLogin();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command1_Click();               // log in
    void command3_Click();               // cancel
    void text2_KeyPress(int& keyAscii);  // Enter in the password box logs in

    void purgeOldRecordings(db::Connection& connection, const db::Variant& delRecDay);

    ui::ComboBox* text1_;
    ui::TextBox* text2_;
};

} // namespace login
