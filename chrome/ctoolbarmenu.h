#pragma once
// Opens the popup of a menu-bar item below the item and keeps the manners of
// a real menu bar while the popup's modal loop runs: Left and Right move to
// the neighbouring item's popup, the mouse over another item opens that one,
// a click on the open item is swallowed. It sees the loop's messages through
// the thread's message-filter hook and the selection through WM_MENUSELECT.
#include "chrome/isubclass.h"
#include "platform/winsys/menutypes.h"

#include <memory>

namespace chrome {

class cMenuBar;

class cToolbarMenu : public ISubclass {
public:
    ~cToolbarMenu() override;

    void Attach(HWND window, cMenuBar* bar);
    void Detach();
    void HandleMenuSelect(HMENU menu, UINT item);
    bool MenuFilter(const MSG& msg);
    LONG ItemFromPoint(POINT point);
    bool IsValidIndex(LONG i) const { return i >= 1; }
    void CancelMenu(LONG i);
    LRESULT TrackPopup(LONG item);
    void CopyRect(const RECT& rect, POINT& point, TPMPARAMS& params);
    bool MenuBar(std::shared_ptr<cMenuBar>& bar);
    void SetHot(LONG i, bool state);
    RECT ItemRect(LONG i);
    LONG HotItem();
    void SetPressed(LONG i);
    bool AlwaysTrue(LONG) const { return true; }
    LONG ItemCount();
    void SetTrackState(LONG state, LONG item);
    LONG NextItem(LONG start, bool left);
    void ToggleTrackState();

    LONG MsgResponse() override;
    void setMsgResponse(LONG) override {}
    LRESULT WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override;

    LONG State() const { return state_; }
    LONG CurrentItem() const { return current_; }
    bool MayMoveLeft() const { return mayLeft_; }
    bool MayMoveRight() const { return mayRight_; }
    bool Tracking() const { return tracking_; }

private:
    HWND hwnd_ = 0;
    cMenuBar* bar_ = nullptr;
    LONG state_ = 0;
    LONG current_ = 0;
    LONG next_ = -1;
    HMENU tracked_ = 0;
    bool mayRight_ = false;
    bool mayLeft_ = false;
    bool tracking_ = false;
    bool attached_ = false;
};

namespace mDeclares {

void InstallMenuFilterHook(cToolbarMenu* tracker);
void RemoveMenuFilterHook();
LRESULT MenuFilterHookProc(int code, WPARAM wParam, LPARAM lParam);
HHOOK MenuFilterHook();
// Turns a procedure's address into a number.
inline intptr_t FnPtr(intptr_t address) { return address; }

} // namespace mDeclares
} // namespace chrome
