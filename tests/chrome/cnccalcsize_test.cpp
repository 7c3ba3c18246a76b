#include "chrome/cnccalcsize.h"
#include "chrome/mdeclares.h"
#include "chrome/msubclass.h"
#include "chrometest.h"

#include <string>

using namespace chrome;

namespace {

// A frame painter that records what the subclasser asks of it.
class TestPainter : public INCAreaModifier {
public:
    HWND window = 0;
    LONG left = 3, top = 30, right = 5, bottom = 7;
    LONG replaceHit = -1;   // a hit code to answer instead, -1 keeps the computed one
    bool handlePress = false;
    bool useAltKey = false;
    std::vector<std::string> log;

    HWND hwnd() override { return window; }
    void GetTopMarginHeight(LONG& cy) override { log.push_back("top"); cy = top; }
    void GetLeftMarginWidth(LONG& cx) override { log.push_back("left"); cx = left; }
    void GetRightMarginWidth(LONG& cx) override { log.push_back("right"); cx = right; }
    void GetBottomMarginHeight(LONG& cy) override { log.push_back("bottom"); cy = bottom; }
    void NCPaint(HDC hdc, LONG l, LONG t, LONG r, LONG b) override
    {
        log.push_back("paint " + std::to_string(r - l) + "x" + std::to_string(b - t));
        RECT all{l, t, r, b};
        const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(hdc, &all, red);
        DeleteObject(red);
    }
    void HitTest(LONG, LONG, LONG& code) override
    {
        if (replaceHit >= 0) code = replaceHit;
    }
    void NCMouseDown(LONG x, LONG y, bool& handled, HDC, LONG, LONG, LONG r, LONG b) override
    {
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y) + " in " + std::to_string(r) + "x" + std::to_string(b));
        handled = handlePress;
    }
    void NCMouseUp(LONG x, LONG y, HDC, LONG, LONG, LONG, LONG) override
    {
        log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    }
    void InitMenuPopup(WPARAM wParam, LPARAM lParam) override
    {
        log.push_back("popup " + std::to_string(wParam) + " " + std::to_string(lParam));
    }
    void ExitMenuLoop() override { log.push_back("exit"); }
    bool AltKeyAccelerator(LONG vKey) override
    {
        log.push_back("alt " + std::to_string(vKey));
        return useAltKey;
    }
    int count(const std::string& prefix) const
    {
        int n = 0;
        for (const auto& entry : log) n += entry.rfind(prefix, 0) == 0;
        return n;
    }
};

class FrameTest : public ChromeTest {
protected:
    std::shared_ptr<TestPainter> painter = std::make_shared<TestPainter>();
    std::shared_ptr<cNCCalcSize> frame = std::make_shared<cNCCalcSize>();

    void SetUp() override
    {
        painter->window = hwnd;
        frame->Attach(*painter);
    }
    void TearDown() override
    {
        frame->Detach();
        EXPECT_EQ(mDeclares::KeyHook(), 0) << "the keyboard hook outlived its windows";
    }

    // Sends WM_NCCALCSIZE for the window at (100, 100), 400 by 300.
    NCCALCSIZE_PARAMS calcSize(LRESULT* result = nullptr)
    {
        WINDOWPOS pos;
        pos.x = 100;
        pos.y = 100;
        pos.cx = 400;
        pos.cy = 300;
        NCCALCSIZE_PARAMS params;
        params.rgrc[2] = RECT{1, 2, 3, 4};
        params.lppos = &pos;
        const LRESULT r = SendMessageA(hwnd, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&params));
        if (result) *result = r;
        params.lppos = nullptr;
        return params;
    }
    // The hit code the window answers with the cursor at (x, y) of the window.
    LRESULT hitAt(int x, int y)
    {
        fake.cursor = POINT{100 + x, 100 + y};
        return SendMessageA(hwnd, WM_NCHITTEST, 0, 0);
    }
};

} // namespace

TEST_F(FrameTest, MarginsComeFromThePainterInItsOrder)
{
    LRESULT result = 0;
    const NCCALCSIZE_PARAMS params = calcSize(&result);
    EXPECT_EQ(result, WVR_VALIDRECTS);
    EXPECT_EQ(painter->log, (std::vector<std::string>{"left", "top", "right", "bottom"}));
    EXPECT_EQ(params.rgrc[0], (RECT{103, 130, 495, 393}));
    EXPECT_EQ(params.rgrc[1], params.rgrc[0]);
    EXPECT_EQ(params.rgrc[2], (RECT{1, 2, 3, 4}));
    EXPECT_EQ(frame->margins(), (RECT{3, 30, 5, 7}));
    EXPECT_EQ(fake.receivedCount(WM_NCCALCSIZE), 1);   // once, before the subclasser

    // wParam 0 keeps the margins and answers the previous procedure's result.
    fake.answers[WM_NCCALCSIZE] = 12;
    painter->top = 50;
    EXPECT_EQ(SendMessageA(hwnd, WM_NCCALCSIZE, 0, 0), 12);
    EXPECT_EQ(frame->margins(), (RECT{3, 30, 5, 7}));
    EXPECT_EQ(fake.receivedCount(WM_NCCALCSIZE), 3);
}

TEST_F(FrameTest, AMaximisedMdiChildKeepsTheStandardMargins)
{
    FakeSystem::WindowOptions client;
    client.className = "MDIClient";
    const HWND mdi = fake.createWindow(client);
    FakeSystem::WindowOptions child;
    child.parent = mdi;
    child.zoomed = true;
    const HWND hChild = fake.createWindow(child);
    auto childPainter = std::make_shared<TestPainter>();
    childPainter->window = hChild;
    auto childFrame = std::make_shared<cNCCalcSize>();
    childFrame->Attach(*childPainter);

    WINDOWPOS pos;
    pos.cx = 200;
    pos.cy = 100;
    NCCALCSIZE_PARAMS params;
    params.lppos = &pos;
    SendMessageA(hChild, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&params));
    EXPECT_TRUE(childPainter->log.empty());
    EXPECT_EQ(params.rgrc[0], (RECT{4, 23, 196, 96}));

    // A maximised MDI child is painted by its previous procedure.
    SendMessageA(hChild, WM_NCPAINT, 1, 0);
    EXPECT_EQ(childPainter->count("paint"), 0);
    EXPECT_EQ(fake.receivedCount(WM_NCPAINT, hChild), 1);

    // Only an MDI child has its WM_SIZE hooked; an "mdiclient" parent is not one.
    EXPECT_EQ(GetPropA(hChild, std::to_string(hChild) + "#5C"), 1);
    EXPECT_FALSE(hasProp(hwnd, std::to_string(hwnd) + "#5C"));
    FakeSystem::WindowOptions lower;
    lower.className = "mdiclient";
    child.parent = fake.createWindow(lower);
    const HWND notChild = fake.createWindow(child);
    childPainter->window = notChild;
    childFrame->Attach(*childPainter);
    EXPECT_FALSE(hasProp(notChild, std::to_string(notChild) + "#5C"));
    childFrame->Detach();
}

TEST_F(FrameTest, HitCodesFollowTheMarginsAndTheStyle)
{
    calcSize();   // margins 3, 30, 5, 7; window 400 by 300; caption 19 high
    EXPECT_EQ(hitAt(1, 1), HTTOPLEFT);
    EXPECT_EQ(hitAt(1, 150), HTLEFT);
    EXPECT_EQ(hitAt(1, 295), HTBOTTOMLEFT);
    EXPECT_EQ(hitAt(397, 1), HTTOPRIGHT);
    EXPECT_EQ(hitAt(397, 150), HTRIGHT);
    EXPECT_EQ(hitAt(397, 299), HTBOTTOMRIGHT);
    // The top resizing edge is as thick as the bottom margin.
    EXPECT_EQ(hitAt(200, 7), HTTOP);
    EXPECT_EQ(hitAt(200, 8), HTCAPTION);
    EXPECT_EQ(hitAt(200, 26), HTCAPTION);
    EXPECT_EQ(hitAt(200, 27), HTCLIENT);
    EXPECT_EQ(hitAt(19, 20), HTSYSMENU);
    EXPECT_EQ(hitAt(200, 150), HTCLIENT);
    EXPECT_EQ(hitAt(200, 293), HTBOTTOM);
    EXPECT_EQ(hitAt(500, 150), HTCLIENT);   // outside the window

    // Neither a maximised window nor a frame that does not size has borders
    // to drag: their border zones answer as client area, the caption stays.
    for (const LONG style : {LONG(WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MAXIMIZE), LONG(WS_CAPTION | WS_VISIBLE)}) {
        fake.setStyle(hwnd, style);
        for (const POINT at : {POINT{1, 1}, POINT{1, 150}, POINT{397, 299}, POINT{200, 3}, POINT{200, 293}})
            EXPECT_EQ(hitAt(at.x, at.y), HTCLIENT) << at.x << "," << at.y;
        EXPECT_EQ(hitAt(200, 20), HTCAPTION);
    }

    // HTMENU from the painter reaches the system as HTCLIENT, and is kept as the last hit.
    painter->replaceHit = HTMENU;
    EXPECT_EQ(hitAt(200, 20), HTCLIENT);
    EXPECT_EQ(frame->lastHitTest(), HTMENU);

    // Without a painter the previous procedure answers.
    RemovePropA(hwnd, "qornCNCImplementation");
    fake.answers[WM_NCHITTEST] = HTBOTTOM;
    EXPECT_EQ(hitAt(200, 20), HTBOTTOM);
}

TEST_F(FrameTest, PressesNudgeTheCursorAndReachThePainter)
{
    calcSize();
    fake.answers[WM_NCLBUTTONDOWN] = 42;

    // Unhandled: the previous procedure gets the computed code, then the frame is repainted.
    hitAt(1, 150);
    EXPECT_EQ(SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0), 42);
    ASSERT_EQ(fake.receivedCount(WM_NCLBUTTONDOWN), 1);
    for (const auto& m : fake.received)
        if (m.msg == WM_NCLBUTTONDOWN) EXPECT_EQ(m.wParam, HTLEFT);
    EXPECT_EQ(painter->count("down 0,149 in 400x300"), 1);   // the cursor was nudged by (-1, -1)
    EXPECT_EQ(painter->count("paint 400x300"), 1);

    // Handled: nothing reaches the previous procedure.
    painter->handlePress = true;
    hitAt(200, 150);
    EXPECT_EQ(SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCLIENT, 0), 0);
    EXPECT_EQ(fake.receivedCount(WM_NCLBUTTONDOWN), 1);
    ASSERT_EQ(fake.mouseEvents.size(), 2u);
    EXPECT_EQ(fake.mouseEvents[0].dx, -1);
    EXPECT_EQ(fake.mouseEvents[0].dy, -1);
    EXPECT_EQ(fake.mouseEvents[1].dx, 1);
    EXPECT_EQ(fake.mouseEvents[1].dy, 1);
    EXPECT_EQ(fake.mouseEvents[1].flags, MOUSEEVENTF_MOVE);

    // A release calls the painter's press and then its release; the previous procedure ran first.
    painter->log.clear();
    fake.cursor = POINT{150, 120};
    EXPECT_EQ(SendMessageA(hwnd, WM_NCLBUTTONUP, HTCLIENT, 0), 0);
    EXPECT_EQ(painter->log, (std::vector<std::string>{"down 50,20 in 400x300", "up 50,20"}));
    EXPECT_EQ(fake.receivedCount(WM_NCLBUTTONUP), 1);
}

TEST_F(FrameTest, ACaptionPressDragsUntilReleaseOrDeactivation)
{
    calcSize();
    SendMessageA(hwnd, WM_NCACTIVATE, 1, 0);
    ASSERT_TRUE(frame->WindowActive());
    hitAt(200, 20);
    ASSERT_EQ(frame->lastHitTest(), HTCAPTION);

    fake.keys[VK_LBUTTON] = short(0x8000);
    int step = 0;
    fake.onDoEvents = [&] {
        if (++step == 1) fake.cursor = POINT{fake.cursor.x + 10, fake.cursor.y + 5};
        else fake.keys[VK_LBUTTON] = 0;
    };
    EXPECT_EQ(SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0), 0);
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r, (RECT{110, 105, 510, 405}));
    EXPECT_EQ(fake.doEventsCount, 2);
    EXPECT_EQ(fake.sleepCount, 2);
    EXPECT_EQ(fake.receivedCount(WM_NCLBUTTONDOWN), 0);

    // A press on the caption of an inactive window brings it to the front first.
    SendMessageA(hwnd, WM_NCACTIVATE, 0, 0);
    SetForegroundWindow(fake.createWindow());
    fake.keys[VK_LBUTTON] = short(0x8000);
    fake.doEventsCount = 0;
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    EXPECT_EQ(GetForegroundWindow(), hwnd);
    EXPECT_EQ(fake.doEventsCount, 0);   // the fake activates only by message: no drag

    // Losing activation ends the drag while the button is still down.
    SendMessageA(hwnd, WM_NCACTIVATE, 1, 0);
    fake.onDoEvents = [&] { SendMessageA(hwnd, WM_NCACTIVATE, 0, 0); };
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    EXPECT_EQ(fake.doEventsCount, 1);
    EXPECT_FALSE(frame->WindowActive());
    fake.keys[VK_LBUTTON] = 0;
}

TEST_F(FrameTest, MessagesOfActivationCursorMenusAndDestruction)
{
    // WM_NCACTIVATE reaches the previous procedure twice and repaints the frame.
    fake.answers[WM_NCACTIVATE] = 1;
    EXPECT_EQ(SendMessageA(hwnd, WM_NCACTIVATE, 1, 0), 1);
    EXPECT_EQ(fake.receivedCount(WM_NCACTIVATE), 2);
    EXPECT_TRUE(frame->WindowActive());
    EXPECT_EQ(painter->count("paint"), 1);
    EXPECT_EQ(fake.pixel(hwnd, 0, 0), RGB(255, 0, 0));
    SendMessageA(hwnd, WM_ACTIVATEAPP, 1, 0);
    EXPECT_TRUE(frame->AppActive());

    // Not painted while invisible.
    fake.setVisible(hwnd, false);
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    EXPECT_EQ(painter->count("paint"), 1);
    fake.setVisible(hwnd, true);

    // WM_INITMENUPOPUP of the window menu (high word 1) is not handed on.
    SendMessageA(hwnd, WM_INITMENUPOPUP, 88, MAKELPARAM(0, 1));
    EXPECT_EQ(painter->count("popup"), 0);
    SendMessageA(hwnd, WM_INITMENUPOPUP, 88, 2);
    EXPECT_EQ(painter->count("popup 88 2"), 1);
    SendMessageA(hwnd, WM_EXITMENULOOP, 0, 0);
    EXPECT_EQ(painter->count("exit"), 1);
    EXPECT_EQ(fake.receivedCount(WM_EXITMENULOOP), 1);

    // WM_DESTROY detaches: the window has its own procedure back and no painter property.
    fake.destroyWindow(hwnd);
    EXPECT_EQ(frame->hWnd(), 0);
    EXPECT_EQ(mDeclares::AccelWindowCount(), 0);
    EXPECT_EQ(mDeclares::KeyHook(), 0);
}

TEST_F(ChromeTest, SetCursorTakesTheMenuAwayButHMenuKeepsIt)
{
    FakeSystem::WindowOptions options;
    options.menu = 77;
    const HWND withMenu = fake.createWindow(options);
    auto painter = std::make_shared<TestPainter>();
    painter->window = withMenu;
    auto frame = std::make_shared<cNCCalcSize>();
    frame->Attach(*painter);
    EXPECT_EQ(frame->hMenu(), 77);

    fake.answers[WM_SETCURSOR] = 1;
    EXPECT_EQ(SendMessageA(withMenu, WM_SETCURSOR, withMenu, 0), 1);
    EXPECT_EQ(GetMenu(withMenu), 0);
    EXPECT_EQ(frame->hMenu(), 77);
    EXPECT_TRUE(GetWindowLongA(withMenu, GWL_STYLE) & WS_VISIBLE);
    // A title change repaints the frame, but not while the cursor is being set.
    SendMessageA(withMenu, WM_SETTEXT, 0, 0);
    EXPECT_EQ(painter->count("paint"), 1);
    frame->Detach();
    EXPECT_EQ(frame->hMenu(), 0);
}

TEST_F(ChromeTest, DestroyingThePainterOrTheSubclasserLeavesNothingBehind)
{
    auto painter = std::make_shared<TestPainter>();
    painter->window = hwnd;
    auto frame = std::make_shared<cNCCalcSize>();
    frame->Attach(*painter);
    painter.reset();
    EXPECT_EQ(GetPropA(hwnd, "qornCNCImplementation"), 0);
    fake.cursor = POINT{300, 120};
    fake.answers[WM_NCHITTEST] = HTBOTTOM;
    EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, 0), HTBOTTOM);

    // Without a painter the default frame is drawn: the active caption colour in the caption strip.
    SendMessageA(hwnd, WM_NCACTIVATE, 1, 0);
    EXPECT_EQ(fake.pixel(hwnd, 200, 4 + 9), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(fake.pixel(hwnd, 0, 150), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(fake.pixel(hwnd, 2, 150), GetSysColor(COLOR_ACTIVEBORDER));

    const int dcs = fake.gdi().liveDCs();
    frame.reset();
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(FakeSystem::baseProc()));
    EXPECT_EQ(mDeclares::KeyHook(), 0);
    EXPECT_EQ(fake.gdi().liveDCs(), dcs - 1);
}

TEST_F(ChromeTest, TheKeyboardHookOffersAltKeysToTheActiveWindow)
{
    constexpr LPARAM alt = 0x20000000;
    // An older hook of the thread: what the chrome hook passes on reaches it.
    static int passedOn = 0;
    passedOn = 0;
    const HHOOK older = SetWindowsHookExA(WH_KEYBOARD, [](int, WPARAM, LPARAM) -> LRESULT { ++passedOn; return 0; }, 0, GetCurrentThreadId());

    auto first = std::make_shared<TestPainter>(), second = std::make_shared<TestPainter>();
    first->window = hwnd;
    second->window = fake.createWindow();
    auto frameA = std::make_shared<cNCCalcSize>(), frameB = std::make_shared<cNCCalcSize>();
    frameA->Attach(*first);
    frameB->Attach(*second);
    EXPECT_EQ(fake.hookCount(WH_KEYBOARD), 2);
    first->useAltKey = second->useAltKey = true;

    // None active: the next hook.
    EXPECT_FALSE(fake.feedKey('F', alt));
    EXPECT_EQ(passedOn, 1);

    SendMessageA(second->window, WM_NCACTIVATE, 1, 0);
    EXPECT_TRUE(fake.feedKey('F', alt));
    EXPECT_EQ(second->count("alt 70"), 1);
    SendMessageA(hwnd, WM_NCACTIVATE, 1, 0);
    EXPECT_TRUE(fake.feedKey('G', alt));
    EXPECT_EQ(first->count("alt 71"), 1);
    EXPECT_EQ(second->count("alt"), 1);

    // Never offered: F4, Esc, Delete, Alt alone, a key going up, without Alt, with Ctrl.
    EXPECT_FALSE(fake.feedKey(VK_F4, alt));
    EXPECT_FALSE(fake.feedKey(VK_F12, alt));
    EXPECT_FALSE(fake.feedKey(VK_ESCAPE, alt));
    EXPECT_FALSE(fake.feedKey(VK_DELETE, alt));
    EXPECT_FALSE(fake.feedKey(VK_MENU, alt));
    EXPECT_FALSE(fake.feedKey('F', alt | LPARAM(0x80000000u)));
    EXPECT_FALSE(fake.feedKey('F', 0));
    fake.keys[VK_CONTROL] = 1;
    EXPECT_FALSE(fake.feedKey('F', alt));
    fake.keys[VK_CONTROL] = 0;
    EXPECT_EQ(first->count("alt"), 1);
    EXPECT_EQ(passedOn, 9);

    // A painter that does not use the key lets it pass.
    first->useAltKey = false;
    EXPECT_FALSE(fake.feedKey('H', alt));
    EXPECT_EQ(passedOn, 10);

    // The hook lives while a subclasser is listed.
    frameA->Detach();
    EXPECT_NE(mDeclares::KeyHook(), 0);
    frameB.reset();
    EXPECT_EQ(mDeclares::KeyHook(), 0);
    EXPECT_EQ(fake.hookCount(WH_KEYBOARD), 1);
    mDeclares::RemoveAccelWindow(frameA.get());
    EXPECT_EQ(mDeclares::KeyHook(), 0);
    UnhookWindowsHookEx(older);
}

TEST_F(ChromeTest, DisplayRecomputesTheFrameAndSysCommandPosts)
{
    struct Form : IForm {
        HWND h = 0;
        int refreshed = 0;
        bool fail = false;
        HWND hWnd() const override { return h; }
        void Refresh() override
        {
            ++refreshed;
            if (fail) throw std::runtime_error("no refresh");
        }
    } form;
    form.h = hwnd;
    auto painter = std::make_shared<TestPainter>();
    painter->window = hwnd;
    auto frame = std::make_shared<cNCCalcSize>();
    frame->Attach(*painter);

    form.fail = true;
    frame->Display(form);
    EXPECT_EQ(form.refreshed, 1);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, 392, 263}));
    EXPECT_EQ(painter->count("paint"), 1);

    frame->SysCommand(SC_CLOSE);
    ASSERT_EQ(fake.posted.size(), 1u);
    EXPECT_EQ(fake.posted[0].msg, WM_SYSCOMMAND);
    EXPECT_EQ(fake.posted[0].wParam, SC_CLOSE);

    fake.cursor = POINT{222, 111};
    frame->TitleBarMouseDown();
    const auto& sent = fake.sent.back();
    EXPECT_EQ(sent.msg, WM_NCLBUTTONDOWN);
    EXPECT_EQ(sent.wParam, HTCAPTION);
    EXPECT_EQ(sent.lParam, MAKELPARAM(222, 111));
    frame->Detach();
}
