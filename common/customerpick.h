#pragma once
// The customer picker's hand-over: a record window's customer button opens
// the picker for that window, and the pick goes into that window's boxes
// CustName and KH_ID only, never into another record window that happens to
// be open.
namespace ui { class Form; }

namespace customerpick {

// What the picker takes from the opener.
class Picker {
public:
    virtual ~Picker() = default;
    // The window whose button opened the picker last; the pick goes there.
    virtual void openedBy(ui::Form* window) = 0;
};

// Opens the customer picker (or brings it to the front with what it shows)
// for `window`. Nothing when the program has no picker.
void open(ui::Form* window);

} // namespace customerpick
