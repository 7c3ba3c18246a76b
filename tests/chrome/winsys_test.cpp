// The window-system layer's own rules that the chrome classes rely on.
#include "chrometest.h"

TEST_F(ChromeTest, OleColoursTranslateRgbAndSystemColoursOnly)
{
    COLORREF out = 12345;
    EXPECT_EQ(OleTranslateColor(0x00336699, 0, &out), S_OK);
    EXPECT_EQ(out, 0x00336699u);
    EXPECT_EQ(OleTranslateColor(0x80000000u | COLOR_BTNSHADOW, 0, &out), S_OK);
    EXPECT_EQ(out, GetSysColor(COLOR_BTNSHADOW));
    out = 12345;
    EXPECT_NE(OleTranslateColor(0x80000000u | 200, 0, &out), S_OK);
    EXPECT_NE(OleTranslateColor(0x01000005u, 0, &out), S_OK);
    EXPECT_EQ(out, 12345u);
}

TEST_F(ChromeTest, HookChainsRunNewestFirstAndPassOn)
{
    static std::vector<int> calls;
    static HHOOK older = 0, newer = 0;
    calls.clear();
    older = SetWindowsHookExA(WH_KEYBOARD, [](int code, WPARAM w, LPARAM l) -> LRESULT {
        calls.push_back(1);
        return CallNextHookEx(older, code, w, l);
    }, 0, GetCurrentThreadId());
    newer = SetWindowsHookExA(WH_KEYBOARD, [](int code, WPARAM w, LPARAM l) -> LRESULT {
        calls.push_back(2);
        return w == 'X' ? 1 : CallNextHookEx(newer, code, w, l);
    }, 0, GetCurrentThreadId());
    EXPECT_EQ(SetWindowsHookExA(WH_KEYBOARD, [](int, WPARAM, LPARAM) -> LRESULT { return 0; }, 0, 999), 0);

    EXPECT_TRUE(fake.feedKey('X', 0));
    EXPECT_FALSE(fake.feedKey('Y', 0));
    EXPECT_EQ(calls, (std::vector<int>{2, 2, 1}));
    EXPECT_TRUE(UnhookWindowsHookEx(newer));
    EXPECT_FALSE(UnhookWindowsHookEx(newer));
    EXPECT_TRUE(UnhookWindowsHookEx(older));
    EXPECT_EQ(fake.hookCount(WH_KEYBOARD), 0);
}

TEST_F(ChromeTest, BitmapsAndContextsFollowTheirSelections)
{
    const HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(CreateDCA("PRINTER", nullptr, nullptr, nullptr), 0);
    const HDC memory = CreateCompatibleDC(display);
    const HBITMAP empty = CreateCompatibleBitmap(display, 25, 0);
    ASSERT_NE(empty, 0);
    BITMAP bm;
    EXPECT_EQ(GetObjectA(empty, sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 25);
    EXPECT_EQ(bm.bmHeight, 0);

    const HGDIOBJ stock = SelectObject(memory, empty);
    ASSERT_NE(stock, 0);
    // A bitmap selected into one context is refused by another, and cannot be deleted.
    const HDC second = CreateCompatibleDC(display);
    EXPECT_EQ(SelectObject(second, empty), 0);
    EXPECT_FALSE(DeleteObject(empty));
    EXPECT_EQ(SelectObject(memory, stock), empty);
    EXPECT_TRUE(DeleteObject(empty));

    // Drawing: a raised edge is light on the top-left and dark on the bottom-right.
    const HBITMAP canvas = CreateCompatibleBitmap(display, 10, 10);
    SelectObject(second, canvas);
    RECT r{0, 0, 10, 10};
    FillRect(second, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(second, &r, EDGE_RAISED, BF_RECT);
    EXPECT_EQ(GetPixel(second, 0, 5), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(GetPixel(second, 1, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(second, 9, 5), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(GetPixel(second, 8, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(second, 5, 5), GetSysColor(COLOR_BTNFACE));

    SelectObject(second, stock);
    DeleteObject(canvas);
    DeleteDC(second);
    DeleteDC(memory);
    DeleteDC(display);
}
