#pragma once
// The new-contact window "增加联系人": enters one further contact of a
// customer, taking the customer from the shared customer card.
#include "customers/contactwindow.h"

namespace customers {

class FrmAddContect : public ContactWindow {
public:
    FrmAddContect();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command1_Click();
    void command2_Click();
    void command3_Click();
    void Command4_Click();

    // Stores the contact and closes the window; false (window left open with
    // what was typed) when nothing was stored.
    bool save();
};

} // namespace customers
