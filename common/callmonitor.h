#pragma once
// The call monitor's public texts that other windows read; they reach the
// monitor with ui::Windows::loaded<CallMonitor>("GtMain").
#include <QString>

class CallMonitor {
public:
    virtual ~CallMonitor() = default;
    // The last caller's number as the caller-ID handling cleaned it; empty
    // until the first call of the run.
    virtual QString PhoneID() const = 0;
};
