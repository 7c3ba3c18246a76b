#pragma once
// The interface of a message client: WindowProc runs for each message the
// client hooked, MsgResponse tells the dispatcher when the window's previous
// procedure runs. Destroying a client detaches every message it still has
// hooked, so the dispatcher never reaches a destroyed client.
#include "chrome/object.h"
#include "platform/winsys/types.h"

namespace chrome {

using namespace winsys;

enum EMsgResponse : LONG { NoOldProc = 0, OldProcAfter = 1, OldProcBefore = 2 };

class ISubclass : public virtual Object {
public:
    ~ISubclass() override;

    // In the interface itself a plain stored value; clients compute it.
    virtual LONG MsgResponse() { return response_; }
    virtual void setMsgResponse(LONG value) { response_ = value; }
    virtual LRESULT WindowProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

private:
    LONG response_ = NoOldProc;
};

} // namespace chrome
