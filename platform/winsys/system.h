#pragma once
// The window system the chrome library runs on. One implementation is current
// per process: the program installs the Qt one, tests the fake. Both keep
// their windows in the table below (procedure, properties, style, rectangle,
// menu, the surface a window context draws into) and draw through one core.
#include "platform/winsys/gdi.h"
#include "platform/winsys/menutypes.h"
#include "platform/winsys/types.h"

#include <QImage>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace winsys {

class System {
public:
    struct Window {
        WNDPROC proc = nullptr;
        std::map<std::string, LONG_PTR> props;
        // WS_MAXIMIZE, WS_MINIMIZE and WS_VISIBLE follow the window's state.
        LONG style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        LONG exStyle = 0;
        RECT rect{0, 0, 400, 300};   // screen coordinates
        RECT client{0, 0, 400, 300};   // relative to the window's top-left corner
        HWND parent = 0;
        std::string className;
        std::string text;
        DWORD processId = 0;   // 0: this process
        HMENU menu = 0;
        QImage surface;   // the whole window, for window contexts
    };

    System();
    virtual ~System();
    System(const System&) = delete;
    System& operator=(const System&) = delete;

    HANDLE newHandle() { return ++lastHandle_; }
    Gdi& gdi() { return *gdi_; }

    // A forced handle number (tests use it for a negative handle); 0 takes the next one.
    HWND addWindow(Window window, HWND forced = 0);
    void removeWindow(HWND);
    Window* window(HWND);
    std::vector<HWND> windows() const;
    DWORD processId() const;
    DWORD threadId() const { return 1; }

    // Calls the window's current procedure; 0 for a handle that is no window.
    virtual LRESULT send(HWND, UINT, WPARAM, LPARAM);
    virtual bool post(HWND, UINT, WPARAM, LPARAM) = 0;
    // GWL_WNDPROC, GWL_STYLE, GWL_EXSTYLE; returns the previous value, 0 on failure.
    virtual LONG_PTR setWindowLong(HWND, int index, LONG_PTR value);

    // Moves, sizes or re-frames a window. A frame change sends WM_NCCALCSIZE
    // with the window rectangle and takes the client rectangle it answers,
    // then WM_NCPAINT.
    virtual bool setWindowPos(HWND, HWND after, int x, int y, int cx, int cy, UINT flags);
    virtual bool redrawWindow(HWND, UINT flags);
    virtual bool setForeground(HWND);
    HWND foreground() const { return foreground_; }
    virtual void releaseCapture() {}
    virtual bool setMenu(HWND, HMENU);
    virtual void surfaceChanged(HWND) {}

    virtual UINT_PTR setTimer(UINT elapse, TIMERPROC) = 0;
    virtual bool killTimer(UINT_PTR id) = 0;
    virtual POINT cursorPos() = 0;
    virtual void setCursorPos(POINT) = 0;
    virtual short asyncKeyState(int vk) = 0;
    virtual void mouseEvent(DWORD flags, LONG dx, LONG dy, DWORD data) = 0;
    virtual void doEvents() = 0;
    virtual void sleep(DWORD ms) = 0;
    virtual int systemMetric(int index);

    // Menus: items with id, type, state, item data, text and submenu.
    struct MenuItem {
        UINT id = 0;
        UINT type = MFT_STRING;
        UINT state = 0;
        ULONG_PTR data = 0;
        std::string text;
        HMENU sub = 0;
    };
    struct Menu {
        std::vector<MenuItem> items;
    };
    HMENU createMenu();
    bool destroyMenu(HMENU);
    Menu* menu(HMENU);
    // The item at a position, or by command the first item with that id
    // (submenus searched too); owner receives the menu that holds it.
    MenuItem* menuItem(HMENU, UINT item, bool byPosition, HMENU* owner = nullptr);
    // Runs a popup menu's modal loop; returns when the popup has closed.
    virtual LRESULT trackPopup(HMENU, UINT flags, int x, int y, HWND, const TPMPARAMS*) = 0;
    // The window whose updates are locked, 0 for none.
    HWND lockedWindow = 0;

    // Thread hooks: the chain of one kind runs from the newest hook.
    HHOOK setHook(int kind, HOOKPROC, DWORD threadId);
    bool unhook(HHOOK);
    LRESULT callNextHook(HHOOK, int code, WPARAM, LPARAM);
    LRESULT callHooks(int kind, int code, WPARAM, LPARAM);
    int hookCount(int kind) const;

protected:
    // Sends WM_NCCALCSIZE for the window's rectangle and stores the answer.
    void recalcFrame(HWND);
    QImage* surfaceOf(HWND);
    HWND foreground_ = 0;

private:
    struct Hook {
        HHOOK handle;
        int kind;
        HOOKPROC proc;
    };
    // Handles are counted from above the 16 bits of a command id: a popup
    // item's id is its submenu's handle, and the two must never be equal in
    // one menu, or a look-up by command finds the other item.
    HANDLE lastHandle_ = 0xFFFF;
    std::unique_ptr<Gdi> gdi_;
    std::map<HWND, Window> windows_;
    std::map<HMENU, Menu> menus_;
    std::vector<Hook> hooks_;   // newest first
};

// The current implementation; installing replaces it (nullptr removes it).
System& current();
bool installed();
void install(System*);

} // namespace winsys
