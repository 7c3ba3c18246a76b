#include "chrome/ctoolbarmenu.h"

#include "chrome/cmenubar.h"
#include "chrome/msubclass.h"
#include "platform/winsys/api.h"
#include "platform/winsys/system.h"

namespace chrome {

namespace mDeclares {

namespace {
HHOOK menuHook = 0;
cToolbarMenu* hookOwner = nullptr;   // kept after the hook is removed
} // namespace

HHOOK MenuFilterHook() { return menuHook; }

void InstallMenuFilterHook(cToolbarMenu* tracker)
{
    RemoveMenuFilterHook();
    hookOwner = tracker;
    menuHook = SetWindowsHookExA(WH_MSGFILTER, reinterpret_cast<HOOKPROC>(FnPtr(reinterpret_cast<intptr_t>(&MenuFilterHookProc))), 0,
                                 GetCurrentThreadId());
}

void RemoveMenuFilterHook()
{
    if (menuHook) {
        UnhookWindowsHookEx(menuHook);
        menuHook = 0;
    }
}

LRESULT MenuFilterHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_MENU && hookOwner) {
        const std::shared_ptr<cToolbarMenu> tracker = ObjectFromPtr(hookOwner);
        const MSG copy = *reinterpret_cast<const MSG*>(lParam);
        if (tracker && tracker->MenuFilter(copy)) return 1;
    }
    return CallNextHookEx(menuHook, code, wParam, lParam);
}

// A tracker that goes away is forgotten by the hook.
void ForgetTracker(cToolbarMenu* tracker)
{
    if (hookOwner != tracker) return;
    RemoveMenuFilterHook();
    hookOwner = nullptr;
}

} // namespace mDeclares

cToolbarMenu::~cToolbarMenu()
{
    if (!winsys::installed()) return;
    Detach();
    mDeclares::ForgetTracker(this);
}

void cToolbarMenu::Attach(HWND window, cMenuBar* bar)
{
    Detach();
    hwnd_ = window;
    SendMessageA(hwnd_, WM_ENTERMENULOOP, 0, 0);
    MSubclass::AttachMessage(this, hwnd_, WM_MENUSELECT);
    attached_ = true;
    bar_ = bar;
}

void cToolbarMenu::Detach()
{
    if (hwnd_) {
        SendMessageA(hwnd_, WM_EXITMENULOOP, 0, 0);
        if (attached_) MSubclass::DetachMessage(this, hwnd_, WM_MENUSELECT);
        attached_ = false;
    }
    hwnd_ = 0;
    bar_ = nullptr;
}

LONG cToolbarMenu::MsgResponse() { return MSubclass::CurrentMessage() == WM_MENUSELECT ? OldProcBefore : NoOldProc; }

LRESULT cToolbarMenu::WindowProc(HWND, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    if (iMsg == WM_MENUSELECT) HandleMenuSelect(HMENU(lParam), LOWORD(wParam));
    return 0;
}

bool cToolbarMenu::MenuBar(std::shared_ptr<cMenuBar>& bar)
{
    if (!bar_) return false;
    bar = mDeclares::ObjectFromPtr(bar_);
    return bar != nullptr;
}

LONG cToolbarMenu::ItemFromPoint(POINT point)
{
    std::shared_ptr<cMenuBar> bar;
    return MenuBar(bar) ? bar->HitTest(point) : 0;
}

void cToolbarMenu::SetHot(LONG i, bool state)
{
    std::shared_ptr<cMenuBar> bar;
    if (MenuBar(bar) && i >= 1 && i <= bar->ItemCount()) bar->SetHotItem(i, state);
}

RECT cToolbarMenu::ItemRect(LONG i)
{
    RECT r;
    std::shared_ptr<cMenuBar> bar;
    if (MenuBar(bar) && i >= 1 && i <= bar->ItemCount()) bar->ItemScreenRect(i, r);
    return r;
}

LONG cToolbarMenu::HotItem()
{
    std::shared_ptr<cMenuBar> bar;
    return MenuBar(bar) ? bar->HotItem() : 0;
}

void cToolbarMenu::SetPressed(LONG i)
{
    std::shared_ptr<cMenuBar> bar;
    if (MenuBar(bar)) bar->SetPressed(i);
}

LONG cToolbarMenu::ItemCount()
{
    std::shared_ptr<cMenuBar> bar;
    return MenuBar(bar) ? bar->ItemCount() : 0;
}

void cToolbarMenu::CopyRect(const RECT& rect, POINT& point, TPMPARAMS& params)
{
    point = POINT{rect.left, rect.bottom};
    params.rcExclude = rect;
}

void cToolbarMenu::SetTrackState(LONG state, LONG item)
{
    if (state == state_) return;
    SetPressed(state == 0 ? -1 : item);
    if (state == 2) {
        mayRight_ = mayLeft_ = true;
        current_ = item;
    }
    state_ = state;
}

void cToolbarMenu::ToggleTrackState()
{
    if (state_ == 0) SetTrackState(1, 1);
    else if (state_ == 1) SetTrackState(0, 1);
}

LONG cToolbarMenu::NextItem(LONG start, bool left)
{
    const LONG n = ItemCount();
    LONG candidate = left ? start - 1 : start + 1;
    if (candidate > n) candidate = 1;
    if (candidate < 1) candidate = n;
    return AlwaysTrue(candidate) ? candidate : -1;
}

void cToolbarMenu::HandleMenuSelect(HMENU menu, UINT item)
{
    if (state_ <= 0) return;
    mayRight_ = GetSubMenu(menu, int(item)) == 0;
    mayLeft_ = menu == tracked_;
}

void cToolbarMenu::CancelMenu(LONG i)
{
    std::shared_ptr<cMenuBar> bar;
    if (i > 0 && i != current_ && MenuBar(bar) && bar->ItemSubMenu(i) != 0) {
        PostMessageA(hwnd_, WM_CANCELMODE, 0, 0);
        next_ = i;
    }
}

bool cToolbarMenu::MenuFilter(const MSG& msg)
{
    switch (msg.message) {
    case WM_KEYDOWN:
        if ((msg.wParam == VK_LEFT && mayLeft_) || (msg.wParam == VK_RIGHT && mayRight_)) {
            CancelMenu(NextItem(current_, msg.wParam == VK_LEFT));
            return true;
        }
        return false;
    case WM_MOUSEMOVE: {
        const LONG i = ItemFromPoint(msg.pt);
        if (i >= 1 && i != current_) CancelMenu(i);
        return false;
    }
    case WM_LBUTTONDOWN:
        return ItemFromPoint(msg.pt) == current_;
    default:
        return false;
    }
}

LRESULT cToolbarMenu::TrackPopup(LONG item)
{
    if (tracking_) return 0;
    tracking_ = true;
    // Tracking ends and the hook goes also when an error leaves the loop.
    struct Done {
        bool& tracking;
        ~Done()
        {
            tracking = false;
            if (winsys::installed()) mDeclares::RemoveMenuFilterHook();
        }
    } done{tracking_};

    next_ = item;
    LRESULT result = 0;
    std::shared_ptr<cMenuBar> bar;
    if (!MenuBar(bar)) return 0;
    while (next_ > -1) {
        next_ = -1;
        SetHot(item, true);
        SetTrackState(2, item);
        mDeclares::InstallMenuFilterHook(this);
        const RECT r = ItemRect(item);
        TPMPARAMS params;
        POINT at;
        CopyRect(r, at, params);
        result = 0;
        if (const HMENU popup = bar->ItemSubMenu(item)) {
            tracked_ = popup;
            result = TrackPopupMenuEx(popup, TPM_VERTICAL, at.x, at.y, hwnd_, &params);
        }
        mDeclares::RemoveMenuFilterHook();
        SetHot(item, false);
        SetTrackState(0, item);
        item = next_;
    }
    return result;
}

} // namespace chrome
