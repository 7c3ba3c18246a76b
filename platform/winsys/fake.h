#pragma once
// The window system of the tests. Creating one installs it as the current
// implementation (and destroying it removes it). Its windows are records whose
// base procedure logs each message and answers a scripted result; tests set
// the cursor, keys, metrics and window states, make single calls fail, fire
// timers by id, feed keys through the hook chain and read what was sent,
// posted and drawn.
#include "platform/winsys/system.h"

#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace winsys {

class FakeSystem : public System {
public:
    struct Message {
        HWND hwnd = 0;
        UINT msg = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    struct MouseEvent {
        DWORD flags = 0;
        LONG dx = 0, dy = 0;
    };
    struct WindowOptions {
        RECT rect{100, 100, 500, 400};
        LONG style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        HWND parent = 0;
        std::string className = "FakeWindow";
        std::string text;
        DWORD processId = 0;   // another number makes a window of another process
        bool zoomed = false;
        HMENU menu = 0;
        HWND handle = 0;   // a chosen handle number, e.g. a negative one
    };

    FakeSystem();
    ~FakeSystem() override;

    HWND createWindow(const WindowOptions& options);
    HWND createWindow() { return createWindow(WindowOptions{}); }
    HWND noWindow() { return newHandle(); }   // a handle that names no window
    // Sends WM_DESTROY, then the window is gone.
    void destroyWindow(HWND);
    static WNDPROC baseProc();

    // Messages that reached a base procedure, in order; its answer per message.
    std::vector<Message> received;
    std::map<UINT, LRESULT> answers;
    int receivedCount(UINT msg, HWND hwnd = 0) const;
    std::vector<Message> sent;     // every SendMessageA
    std::vector<Message> posted;   // every PostMessageA, until delivered
    void deliverPosted();

    // State the tests set.
    POINT cursor{0, 0};
    std::map<int, short> keys;      // GetAsyncKeyState answers
    std::map<int, int> metrics;     // GetSystemMetrics overrides
    void setVisible(HWND, bool);
    void setZoomed(HWND, bool);
    void setStyle(HWND, LONG);
    bool failSetWindowLong = false;
    bool failSetTimer = false;
    void failSelectObject(bool fail) { gdi().failSelect = fail; }

    std::vector<MouseEvent> mouseEvents;
    // Runs at each DoEvents, so a test scripts what arrives while a loop waits.
    std::function<void()> onDoEvents;
    int doEventsCount = 0;
    int sleepCount = 0;

    // Running timers by id; firing one calls its procedure as a tick would.
    std::map<UINT_PTR, UINT> timers;
    void fireTimer(UINT_PTR id);
    // Offers a key to the keyboard hook chain; true when a hook swallowed it.
    bool feedKey(WPARAM vk, LPARAM lParam);

    // The popup-menu loop runs this script, one step after another; it ends
    // on Esc, a click the hooks pass, a choice, a posted WM_CANCELMODE or the
    // end of the script. Keys, characters, moves and clicks go to the
    // WH_MSGFILTER hooks first (MSGF_MENU); a non-zero answer swallows them.
    struct MenuStep {
        enum Kind { Key, Char, Move, Click, Select, Choose } kind = Key;
        int value = 0;   // key, character or position in the innermost open popup
        POINT pt;        // screen point of a move or click
        std::function<void()> before;   // runs just before the step
    };
    static MenuStep key(int vk) { return MenuStep{MenuStep::Key, vk, {}, {}}; }
    static MenuStep character(char c) { return MenuStep{MenuStep::Char, c, {}, {}}; }
    static MenuStep move(POINT p) { return MenuStep{MenuStep::Move, 0, p, {}}; }
    static MenuStep click(POINT p) { return MenuStep{MenuStep::Click, 0, p, {}}; }
    static MenuStep select(int position) { return MenuStep{MenuStep::Select, position, {}, {}}; }
    static MenuStep choose(int position) { return MenuStep{MenuStep::Choose, position, {}, {}}; }
    std::deque<MenuStep> menuScript;
    struct TrackCall {
        HMENU menu = 0;
        UINT flags = 0;
        int x = 0, y = 0;
        HWND hwnd = 0;
        RECT exclude;
    };
    std::vector<TrackCall> trackCalls;
    // Each open popup's picture as its owner drew it, by menu.
    std::map<HMENU, QImage> popupImages;
    LRESULT trackPopup(HMENU, UINT flags, int x, int y, HWND, const TPMPARAMS*) override;

    // The window surface's pixel at (x, y), relative to the window's corner.
    COLORREF pixel(HWND, int x, int y);
    QImage surface(HWND);

    LRESULT send(HWND, UINT, WPARAM, LPARAM) override;
    bool post(HWND, UINT, WPARAM, LPARAM) override;
    LONG_PTR setWindowLong(HWND, int index, LONG_PTR value) override;
    UINT_PTR setTimer(UINT elapse, TIMERPROC) override;
    bool killTimer(UINT_PTR id) override;
    POINT cursorPos() override { return cursor; }
    void setCursorPos(POINT p) override { cursor = p; }
    short asyncKeyState(int vk) override;
    void mouseEvent(DWORD flags, LONG dx, LONG dy, DWORD data) override;
    void doEvents() override;
    void sleep(DWORD) override { ++sleepCount; }
    int systemMetric(int index) override;

private:
    bool menuFiltered(HWND, UINT msg, WPARAM, POINT);
    void openPopup(HWND, HMENU, int position);
    void paintPopup(HWND, HMENU);
    void selectItem(HWND, HMENU, int position);
    bool cancelPosted(HWND);
    std::map<UINT_PTR, TIMERPROC> timerProcs_;
    UINT_PTR lastTimer_ = 0;
};

} // namespace winsys
