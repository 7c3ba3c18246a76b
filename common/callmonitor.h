#pragma once
// The call monitor's public texts that other windows read; they reach the
// monitor with ui::Windows::loaded<CallMonitor>("GtMain").
#include <QString>
#include <cstdint>

class CallMonitor {
public:
    virtual ~CallMonitor() = default;
    // The last caller's number as the caller-ID handling cleaned it; empty
    // until the first call of the run.
    virtual QString PhoneID() const = 0;
    // The working copy of the last caller's number: cleaned as PhoneID, but
    // keeping a mobile number's leading "0"; cleared when a recording starts.
    virtual QString TelNo() const { return {}; }
    // The "来电时间" text of the call last clicked in the day's call list, and
    // the id of the call its double-click left pending (0 when none); the
    // call-record window clears both after use.
    virtual QString Openitem() const { return {}; }
    virtual std::int32_t OpenitemId() const { return 0; }
    virtual void clearOpenitem() {}
    // The settings row's RecordFlag as read at the last caller ID; "1" = record.
    virtual QString RecordFlag() const { return {}; }
};
