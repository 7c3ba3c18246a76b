#pragma once
// OLE colours of the chrome classes turned into RGB just before use.
#include "platform/winsys/types.h"

namespace chrome {

// The RGB value of an OLE colour (a system colour translated); -1 when it cannot be translated.
winsys::LONG TranslateColor(winsys::OLE_COLOR colour, winsys::HPALETTE palette = 0);

// Holds a window's update lock for a scope: taken at construction, released
// at the end of the scope also when an error leaves it.
class WindowUpdateLock {
public:
    explicit WindowUpdateLock(winsys::HWND hwnd);
    ~WindowUpdateLock();
    WindowUpdateLock(const WindowUpdateLock&) = delete;
    WindowUpdateLock& operator=(const WindowUpdateLock&) = delete;
};

} // namespace chrome
