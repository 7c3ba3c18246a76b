#pragma once
// What an unknown-caller window hands to the windows it opens (the new
// customer, the quick phone order): the number it shows and that number's
// area. By the time the operator clicks, the call monitor's last caller may
// be another caller, so these windows take the pop-up's own caller instead.
#include <QString>

namespace ui { class Form; }

namespace callerhandover {

struct Caller {
    QString number;   // as the pop-up shows it
    QString area;     // the pop-up's area text
};

// A window that fills its boxes from a caller.
class Taker {
public:
    virtual ~Taker() = default;
    virtual void takeCaller(const Caller& caller) = 0;
};

// Opens the window of `kind` for the caller: a window that was not open loads
// and then takes the caller; an open one comes to the front with what it
// holds. Nothing when the program has no window of that kind.
void open(const QString& kind, const Caller& caller);

} // namespace callerhandover
