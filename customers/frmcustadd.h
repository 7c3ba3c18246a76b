#pragma once
// The new-customer window "新增客户资料": enters one customer together with
// its main contact, prefilled with the last caller's number, or with the
// number of the unknown-caller window that opened it.
#include "common/callerhandover.h"
#include "customers/customerwindow.h"

namespace customers {

class FrmCustAdd : public CustomerWindow, public callerhandover::Taker {
public:
    FrmCustAdd();

    // The caller's number into name, telephone and contact, its area into the address.
    void takeCaller(const callerhandover::Caller& caller) override;

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command1_Click();
    void command2_Click();
    void command3_Click();

    // Stores the customer and its main contact, closes the window and shows
    // the customer list in the main window; false (window left open as it
    // is) when nothing was stored.
    bool save();
};

} // namespace customers
