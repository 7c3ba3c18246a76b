#pragma once
// The login window, the first window of the program: it is on screen before
// its load decides which database file the run uses (the work mode of the
// local settings row), brings it up to date, purges old call recordings and
// lists the operators; what the load could not read, OK reads again. Its OK
// button checks the operator's password, fills the login state and hands
// over to the main window. Closing it without a login ends the program.
#include "platform/db/variant.h"
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

    bool readTheDataFiles();
    bool chooseTheDataFile();
    bool upgradeTheDataFiles();
    bool listOperators();
    void purgeOldRecordings(db::Connection& connection, const db::Variant& delRecDay);

    ui::ComboBox* text1_;
    ui::TextBox* text2_;
    // What the reads of the load have done; OK does the rest.
    bool fileChosen_ = false;
    bool upToDate_ = false;
    bool operatorsListed_ = false;
    bool purged_ = false;
    db::Variant delRecDay_;
};

} // namespace login
