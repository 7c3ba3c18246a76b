#pragma once
// The notice that pops up, always on top, in place of the customer card or
// the unknown-caller window for a call whose customer could not be looked up
// because another workstation held the data file: the number, the time and
// why. The call monitor closes it and shows the card or the unknown-caller
// window once the number can be looked up.
#include "callerid/callernotice.h"

namespace callerid {

class GtBusyNo : public CallerNotice {
    Q_OBJECT

public:
    GtBusyNo();

    // The caller's number: the load shows the monitor's last caller, and the
    // monitor shows an earlier one whose answer came late.
    void showCaller(const QString& phoneId);

    void Image3_Click();

protected:
    void Form_Load() override;
    void Form_Paint() override;
};

} // namespace callerid
