#pragma once
// The unknown-caller window: pops up, always on top, for a call from a number
// no contact has, with the number, the time and the number's area, and offers
// the next steps: a quick phone order, a new customer, the customer card.
#include "callerid/callernotice.h"
#include "common/callerhandover.h"

namespace callerid {

class GtNewNo : public CallerNotice {
    Q_OBJECT

public:
    GtNewNo();

    // The caller's number and its area; the load shows the monitor's last
    // caller, and the monitor shows an earlier one it could look up only late.
    void showCaller(const QString& phoneId, const QString& telNo);

    void Image1_Click();
    void Image2_Click();
    void Image3_Click();
    // Adds the caller's number to the first contact of the customer in KH_ID.
    // Nothing reaches it: its picture is hidden and nothing fills KH_ID.
    void Image4_Click();
    void Image7_Click();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void OpenCustomerPicker();
    // The number and area this window shows, for the windows it opens.
    callerhandover::Caller shownCaller() const;
    QString areaText(const QString& number) const;
};

} // namespace callerid
