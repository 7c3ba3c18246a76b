#pragma once
// The subclassing module's four operations as methods of an object.
#include "chrome/msubclass.h"

namespace chrome {

class GSubclass : public Object {
public:
    void AttachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) { MSubclass::AttachMessage(iwp, hwnd, iMsg); }
    void DetachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) { MSubclass::DetachMessage(iwp, hwnd, iMsg); }
    UINT CurrentMessage() const { return MSubclass::CurrentMessage(); }
    LRESULT CallOldWindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
    {
        return MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
    }
};

} // namespace chrome
