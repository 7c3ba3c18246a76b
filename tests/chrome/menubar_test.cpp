#include "chrome/cmenubar.h"
#include "chrome/ctoolbarmenu.h"
#include "chrome/msubclass.h"
#include "chrometest.h"

using namespace chrome;

namespace {

constexpr COLORREF background = RGB(1, 2, 3);

class MenuBarTest : public ChromeTest {
protected:
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU edit = CreatePopupMenu();
    std::shared_ptr<cMenuBar> menuBar = std::make_shared<cMenuBar>();
    HDC target = CreateCompatibleDC(0);
    HBITMAP canvas = CreateCompatibleBitmap(0, 400, 40);

    void SetUp() override
    {
        AppendMenuA(file, MF_STRING, 101, "&Open\tCtrl+O");
        AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(file, MF_STRING | MF_CHECKED, 102, "&Save");
        AppendMenuA(file, MF_STRING | MF_GRAYED, 103, "E&xit");
        AppendMenuA(edit, MF_STRING, 201, "&Copy");
        AppendMenuA(edit, MF_STRING | MF_CHECKED, 202, "&Paste");
        MENUITEMINFOA radio;
        radio.fMask = MIIM_TYPE;
        radio.fType = MFT_RADIOCHECK;
        radio.dwTypeData = const_cast<char*>("&Paste");
        SetMenuItemInfoA(edit, 1, 1, &radio);
        AppendMenuA(bar, MF_POPUP, UINT_PTR(file), "&File");
        AppendMenuA(bar, MF_STRING, 300, "Go");
        AppendMenuA(bar, MF_POPUP, UINT_PTR(edit), "&Edit");
        menuBar->setHMenu(bar);
        menuBar->SetColours(RGB(0, 0, 0), RGB(0, 0, 200), 0, RGB(240, 230, 140));
        menuBar->Attach(hwnd);
        SelectObject(target, canvas);
    }
    void TearDown() override
    {
        menuBar->Detach();
        menuBar.reset();
        DeleteDC(target);
        DeleteObject(canvas);
    }

    StdFont font;
    // Paints the background, then the bar over it, as the caption's painting does.
    void render()
    {
        RECT all{0, 0, 400, 40};
        const HBRUSH fill = CreateSolidBrush(background);
        FillRect(target, &all, fill);
        DeleteObject(fill);
        menuBar->Render(font.hFont(), target, 0, 0, 300, 20, 0);
    }
    // Width of a text in the bar font, as DrawText measures it.
    LONG width(const char* text, HFONT f)
    {
        const HDC dc = CreateCompatibleDC(0);
        SelectObject(dc, f);
        RECT r{};
        DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
        DeleteDC(dc);
        return r.right - r.left;
    }
    const Gdi::TextCall* drawn(const std::string& text, size_t from = 0)
    {
        const auto& log = fake.gdi().textLog;
        for (size_t i = from; i < log.size(); ++i)
            if (log[i].text == text) return &log[i];
        return nullptr;
    }
    // Has the window draw the popup's item of this id into `dc`, as the system asks an owner-drawn row.
    LRESULT drawItem(HMENU popup, UINT id, HDC dc)
    {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_MENU;
        dis.itemID = id;
        dis.hwndItem = popup;
        dis.hDC = dc;
        dis.rcItem = RECT{0, 0, 150, 22};
        return SendMessageA(hwnd, WM_DRAWITEM, 0, LPARAM(&dis));
    }
    // Puts the cursor on the middle of a bar item (the window's client area starts at its corner).
    void cursorOn(LONG item)
    {
        const RECT r = menuBar->ItemRect(item);
        fake.cursor = POINT{100 + (r.left + r.right) / 2, 100 + (r.top + r.bottom) / 2};
    }
};

} // namespace

TEST_F(MenuBarTest, TheBarLaysOutItsPopupItemsSideBySide)
{
    render();
    ASSERT_EQ(menuBar->ItemCount(), 2);   // "Go" opens no popup: not an item of the bar
    EXPECT_EQ(menuBar->ItemSubMenu(1), file);
    EXPECT_EQ(menuBar->ItemSubMenu(2), edit);
    EXPECT_EQ(menuBar->ItemSubMenu(3), 0);
    const auto* first = drawn("&File");
    const auto* second = drawn("&Edit");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(drawn("Go"), nullptr);
    EXPECT_EQ(first->rect.left, 8);
    EXPECT_EQ(second->rect.left, 8 + width("&File", font.hFont()) + 11);
    EXPECT_EQ(first->rect.top, 2);
    EXPECT_EQ(menuBar->ItemRect(1).right, menuBar->ItemRect(2).left);
    EXPECT_EQ(menuBar->ItemRect(1).left, 6);
    EXPECT_EQ(first->colour, RGB(0, 0, 0));
    // The bar keeps the background it was drawn on.
    EXPECT_EQ(GetPixel(target, 1, 10), background);
}

TEST_F(MenuBarTest, HotAndPressedItemsAreSunkenOrRaised)
{
    render();
    const RECT one = menuBar->ItemRect(1), two = menuBar->ItemRect(2);
    menuBar->SetHotItem(1, true);
    menuBar->SetPressed(1);
    size_t mark = fake.gdi().textLog.size();
    render();
    const auto* sunken = drawn("&File", mark);
    ASSERT_TRUE(sunken);
    EXPECT_EQ(sunken->rect.left, 9);
    EXPECT_EQ(sunken->rect.top, 3);
    EXPECT_EQ(sunken->colour, RGB(0, 0, 200));
    EXPECT_EQ(GetPixel(target, one.left, one.top + 2), GetSysColor(COLOR_BTNSHADOW));

    menuBar->SetPressed(2);   // hot 1, pressed 2: both raised
    mark = fake.gdi().textLog.size();
    render();
    EXPECT_EQ(drawn("&File", mark)->rect.left, 8);
    EXPECT_EQ(drawn("&Edit", mark)->colour, RGB(0, 0, 200));
    EXPECT_EQ(GetPixel(target, one.left, one.top + 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(target, two.left, two.top + 2), GetSysColor(COLOR_BTNHIGHLIGHT));

    menuBar->SetHotItem(1, false);   // the hot item closed: -1
    EXPECT_EQ(menuBar->HotItem(), -1);
    menuBar->SetPressed(0);
    mark = fake.gdi().textLog.size();
    render();
    EXPECT_EQ(drawn("&Edit", mark)->colour, RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(target, two.left, two.top + 2), background);
}

TEST_F(MenuBarTest, TheHoverTimerRunsOnlyWhileAnItemIsPressedOrHot)
{
    render();
    cursorOn(1);
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, 0);
    ASSERT_TRUE(menuBar->HoverTimer());
    EXPECT_EQ(menuBar->PressedItem(), 1);
    EXPECT_EQ(menuBar->HoverTimer()->Interval(), 50);
    EXPECT_EQ(fake.receivedCount(WM_MOUSEMOVE), 1);   // the window had the move first

    fake.cursor = POINT{390, 390};
    fake.fireTimer(menuBar->HoverTimer()->TimerID());
    EXPECT_EQ(menuBar->PressedItem(), 0);
    EXPECT_EQ(menuBar->HoverTimer()->Interval(), 0);

    // After a popup closed (hot -1) the poll goes on until a click outside every item.
    menuBar->SetHotItem(2, true);
    menuBar->SetHotItem(2, false);
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(menuBar->HoverTimer()->Interval(), 50);
    SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(menuBar->HotItem(), 0);
    EXPECT_TRUE(fake.trackCalls.empty());
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(menuBar->HoverTimer()->Interval(), 0);
}

TEST_F(MenuBarTest, AClickTracksThePopupAndRestoresItsItems)
{
    render();
    // The owner converts each popup as it opens.
    auto converter = std::make_shared<RecordingClient>();
    converter->response = OldProcBefore;
    MSubclass::AttachMessage(converter.get(), hwnd, WM_INITMENUPOPUP);
    std::vector<UINT> typesWhileOpen;
    fake.menuScript = {FakeSystem::select(0), FakeSystem::key(VK_ESCAPE)};
    fake.menuScript[0].before = [&] {
        MENUITEMINFOA info;
        info.fMask = MIIM_TYPE;
        GetMenuItemInfoA(edit, 0, 1, &info);
        typesWhileOpen.push_back(info.fType);
    };
    converter->during = [&](HWND, UINT) { menuBar->MakeOwnerDraw(edit); };

    cursorOn(2);
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(menuBar->HoverTimer()->Interval(), 50);
    SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
    ASSERT_EQ(fake.trackCalls.size(), 1u);
    const auto& call = fake.trackCalls[0];
    EXPECT_EQ(call.menu, edit);
    EXPECT_EQ(call.flags, UINT(TPM_VERTICAL));
    const RECT r = menuBar->ItemRect(2);
    EXPECT_EQ(call.x, 100 + r.left);
    EXPECT_EQ(call.y, 100 + r.bottom);
    EXPECT_EQ(call.exclude, (RECT{100 + r.left, 100 + r.top, 100 + r.right, 100 + r.bottom}));
    EXPECT_EQ(typesWhileOpen, (std::vector<UINT>{MFT_OWNERDRAW}));
    EXPECT_EQ(menuBar->HoverTimer()->Interval(), 0);   // stopped for the popup
    EXPECT_EQ(menuBar->HotItem(), -1);
    EXPECT_EQ(menuBar->PressedItem(), -1);
    EXPECT_TRUE(menuBar->SavedItems().empty());
    MENUITEMINFOA after;
    after.fMask = MIIM_TYPE;
    GetMenuItemInfoA(edit, 0, 1, &after);
    EXPECT_EQ(after.fType, UINT(MFT_STRING));
    MSubclass::DetachMessage(converter.get(), hwnd, WM_INITMENUPOPUP);
}

TEST_F(MenuBarTest, AltOpensTheItemOfItsAccelerator)
{
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, 401, "About");
    HMENU plain = CreateMenu();
    AppendMenuA(plain, MF_POPUP, UINT_PTR(file), "&File");
    AppendMenuA(plain, MF_POPUP, UINT_PTR(help), "Help&");
    menuBar->setHMenu(plain);
    render();

    EXPECT_FALSE(menuBar->AltKeyAccelerator('Z'));
    EXPECT_FALSE(menuBar->AltKeyAccelerator('H'));   // "&" as the last character is no accelerator
    EXPECT_TRUE(fake.trackCalls.empty());
    fake.menuScript = {FakeSystem::key(VK_ESCAPE)};
    EXPECT_TRUE(menuBar->AltKeyAccelerator('F'));
    ASSERT_EQ(fake.trackCalls.size(), 1u);
    EXPECT_EQ(fake.trackCalls[0].menu, file);
    EXPECT_EQ(menuBar->HotItem(), -1);
}

TEST_F(MenuBarTest, ConvertedItemsAreMeasuredAndAnswerTheirAccelerator)
{
    MENUITEMINFOA data;
    data.fMask = MIIM_DATA;
    data.dwItemData = 555;
    SetMenuItemInfoA(file, 0, 1, &data);
    render();   // the bar's surface exists once the bar was painted
    menuBar->MakeOwnerDraw(file);
    menuBar->MakeOwnerDraw(edit);

    const auto& saved = menuBar->SavedItems();
    ASSERT_EQ(saved.size(), 6u);
    EXPECT_EQ(saved[0].caption, "&Open");
    EXPECT_EQ(saved[0].shortcut, "Ctrl+O");
    EXPECT_EQ(saved[0].accelerator, "O");
    EXPECT_EQ(saved[3].accelerator, "X");
    const HFONT menuFont = menuBar->MenuFontHandle();
    const LONG textWidth = std::max({width("&Open", menuFont), width("&Save", menuFont), width("E&xit", menuFont)}) + 1;
    EXPECT_EQ(saved[0].textWidth, textWidth);
    EXPECT_EQ(saved[0].shortcutWidth, width("Ctrl+O", menuFont) + 1);
    EXPECT_EQ(saved[4].shortcutWidth, 0);

    MENUITEMINFOA converted;
    converted.fMask = MIIM_TYPE | MIIM_DATA;
    GetMenuItemInfoA(file, 0, 1, &converted);
    EXPECT_EQ(converted.fType, UINT(MFT_OWNERDRAW));
    EXPECT_EQ(converted.dwItemData, 1u);

    // WM_MENUCHAR: the lower-case letter finds the item's position.
    EXPECT_EQ(SendMessageA(hwnd, WM_MENUCHAR, 'o', LPARAM(file)), 0 + 0x20000);
    EXPECT_EQ(SendMessageA(hwnd, WM_MENUCHAR, 'x', LPARAM(file)), 3 + 0x20000);
    fake.answers[WM_MENUCHAR] = 7;
    EXPECT_EQ(SendMessageA(hwnd, WM_MENUCHAR, 'o', LPARAM(edit)), 7);
    EXPECT_EQ(SendMessageA(hwnd, WM_MENUCHAR, MAKEWPARAM('o', MF_SYSMENU), LPARAM(file)), 7);

    // Widths: text + shortcut + 38 with a shortcut column, text + 30 without; a separator is 6 high.
    MEASUREITEMSTRUCT open;
    open.CtlType = ODT_MENU;
    open.itemID = 101;
    EXPECT_EQ(SendMessageA(hwnd, WM_MEASUREITEM, 0, LPARAM(&open)), 0);
    EXPECT_EQ(open.itemWidth, UINT(textWidth + width("Ctrl+O", menuFont) + 1 + 38));
    const HDC dc = CreateCompatibleDC(0);
    SelectObject(dc, menuFont);
    RECT high{};
    DrawTextA(dc, "E&xit", -1, &high, DT_CALCRECT | DT_SINGLELINE);
    DeleteDC(dc);
    EXPECT_EQ(open.itemHeight, UINT(high.bottom - high.top + 1 + 8));
    MEASUREITEMSTRUCT separator;
    separator.CtlType = ODT_MENU;
    separator.itemID = 0;
    SendMessageA(hwnd, WM_MEASUREITEM, 0, LPARAM(&separator));
    EXPECT_EQ(separator.itemHeight, 6u);
    MEASUREITEMSTRUCT copy;
    copy.CtlType = ODT_MENU;
    copy.itemID = 201;
    SendMessageA(hwnd, WM_MEASUREITEM, 0, LPARAM(&copy));
    EXPECT_EQ(copy.itemWidth, UINT(saved[4].textWidth + 30));

    // An id the bar never converted goes to the window.
    fake.answers[WM_MEASUREITEM] = 9;
    MEASUREITEMSTRUCT unknown;
    unknown.CtlType = ODT_MENU;
    unknown.itemID = 999;
    EXPECT_EQ(SendMessageA(hwnd, WM_MEASUREITEM, 0, LPARAM(&unknown)), 9);

    // Restoring gives back type, id, data and text.
    menuBar->RestoreMenuItems();
    char text[64] = {};
    MENUITEMINFOA back;
    back.fMask = MIIM_TYPE | MIIM_ID | MIIM_DATA;
    back.dwTypeData = text;
    back.cch = sizeof text;
    GetMenuItemInfoA(file, 0, 1, &back);
    EXPECT_EQ(back.fType, UINT(MFT_STRING));
    EXPECT_EQ(back.wID, 101u);
    EXPECT_EQ(back.dwItemData, 555u);
    EXPECT_STREQ(text, "&Open\tCtrl+O");
    GetMenuItemInfoA(edit, 1, 1, &back);
    EXPECT_EQ(back.fType, UINT(MFT_RADIOCHECK));
    EXPECT_STREQ(text, "&Paste");
    EXPECT_TRUE(menuBar->SavedItems().empty());

    // An item added to a converted popup is drawn without caption, and restored with its text.
    menuBar->MakeOwnerDraw(edit);
    AppendMenuA(edit, MF_STRING, 203, "&Delete");
    menuBar->MakeOwnerDraw(edit);
    MENUITEMINFOA added;
    added.fMask = MIIM_TYPE | MIIM_DATA;
    GetMenuItemInfoA(edit, 2, 1, &added);
    EXPECT_EQ(added.fType, UINT(MFT_OWNERDRAW));
    EXPECT_EQ(added.dwItemData, 0u);
    const HDC dc2 = CreateCompatibleDC(0);
    const size_t mark = fake.gdi().textLog.size();
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_MENU;
    dis.itemID = 203;
    dis.hwndItem = edit;
    dis.hDC = dc2;
    dis.rcItem = RECT{0, 0, 100, 20};
    SendMessageA(hwnd, WM_DRAWITEM, 0, LPARAM(&dis));
    EXPECT_EQ(fake.gdi().textLog.size(), mark);
    DeleteDC(dc2);
    menuBar->RestoreMenuItems();
    back.cch = sizeof text;
    GetMenuItemInfoA(edit, 2, 1, &back);
    EXPECT_STREQ(text, "&Delete");
    EXPECT_EQ(back.fType, UINT(MFT_STRING));
}

TEST_F(MenuBarTest, PopupItemsAreDrawnWithMarksAndEmbossedDisabledText)
{
    menuBar->MakeOwnerDraw(file);
    menuBar->MakeOwnerDraw(edit);
    const HBITMAP itemCanvas = CreateCompatibleBitmap(0, 200, 30);
    const HDC dc = CreateCompatibleDC(0);
    SelectObject(dc, itemCanvas);
    auto draw = [&](HMENU menu, UINT id) {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_MENU;
        dis.itemID = id;
        dis.hwndItem = menu;
        dis.hDC = dc;
        dis.rcItem = RECT{0, 0, 150, 22};
        return SendMessageA(hwnd, WM_DRAWITEM, 0, LPARAM(&dis));
    };
    auto hilite = [&](HMENU menu, UINT position) {
        MENUITEMINFOA state;
        state.fMask = MIIM_STATE;
        GetMenuItemInfoA(menu, position, 1, &state);
        state.fState |= MFS_HILITE;
        SetMenuItemInfoA(menu, position, 1, &state);
    };

    size_t mark = fake.gdi().textLog.size();
    EXPECT_EQ(draw(file, 102), 0);
    const auto* check = drawn("b", mark);
    ASSERT_TRUE(check);
    EXPECT_STREQ(check->font.lfFaceName, "Marlett");
    EXPECT_EQ(drawn("&Save", mark)->rect.left, 24);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(240, 230, 140));   // the popup background

    mark = fake.gdi().textLog.size();
    draw(edit, 202);
    EXPECT_TRUE(drawn("h", mark));

    // The shortcut column starts 8 after the text column.
    mark = fake.gdi().textLog.size();
    hilite(file, 0);
    draw(file, 101);
    EXPECT_EQ(drawn("Ctrl+O", mark)->rect.left, 24 + menuBar->SavedItems()[0].textWidth + 8);
    EXPECT_EQ(drawn("&Open", mark)->colour, RGB(0, 0, 200));
    EXPECT_EQ(GetPixel(dc, 2, 11), GetSysColor(COLOR_BTNHIGHLIGHT));   // raised edge of a highlighted item

    // A disabled highlighted item: embossed text, no edge.
    mark = fake.gdi().textLog.size();
    hilite(file, 3);
    draw(file, 103);
    const auto* light = drawn("E&xit", mark);
    ASSERT_TRUE(light);
    const auto* dark = drawn("E&xit", mark + 1);
    ASSERT_TRUE(dark && dark != light);
    EXPECT_EQ(light->colour, GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(light->rect.left, 25);
    EXPECT_EQ(dark->colour, GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(dark->rect.left, 24);
    EXPECT_EQ(GetPixel(dc, 2, 11), RGB(240, 230, 140));

    // Drawing and measuring of other controls reach the window unchanged.
    fake.answers[WM_DRAWITEM] = 4;
    DRAWITEMSTRUCT button;
    button.CtlType = ODT_BUTTON;
    EXPECT_EQ(SendMessageA(hwnd, WM_DRAWITEM, 5, LPARAM(&button)), 4);
    ASSERT_EQ(fake.receivedCount(WM_DRAWITEM), 1);
    EXPECT_EQ(fake.received.back().lParam, LPARAM(&button));
    MEASUREITEMSTRUCT list;
    list.CtlType = 2;
    list.itemID = 101;
    SendMessageA(hwnd, WM_MEASUREITEM, 0, LPARAM(&list));
    EXPECT_EQ(list.itemWidth, 0u);
    EXPECT_EQ(fake.receivedCount(WM_MEASUREITEM), 1);
    DeleteDC(dc);
    DeleteObject(itemCanvas);
}

TEST_F(MenuBarTest, AReleasedBarIsNeverCalledAgain)
{
    render();
    cursorOn(1);
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, 0);
    auto timer = menuBar->HoverTimer();
    ASSERT_EQ(timer->Interval(), 50);
    menuBar.reset();
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(FakeSystem::baseProc()));
    EXPECT_EQ(timer->Interval(), 0);
    timer->PulseTimer();   // no handler of the bar is left
    SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
    EXPECT_TRUE(fake.trackCalls.empty());
    menuBar = std::make_shared<cMenuBar>();
}

// A submenu inside a popup: its item's id is the submenu handle, as the
// menu functions give it, so the bar measures and draws the item it converted.
TEST_F(MenuBarTest, ASubmenuItemIsFoundByItsHandleAndDrawnWithItsCaption)
{
    const HMENU recent = CreatePopupMenu();
    AppendMenuA(recent, MF_STRING, 111, "a.txt");
    AppendMenuA(file, MF_POPUP, UINT_PTR(recent), "&Recent");

    MENUITEMINFOA info;
    info.fMask = MIIM_ID | MIIM_SUBMENU;
    ASSERT_TRUE(GetMenuItemInfoA(file, 4, 1, &info));
    EXPECT_EQ(info.wID, UINT(UINT_PTR(recent)));
    EXPECT_EQ(info.hSubMenu, recent);
    EXPECT_EQ(GetMenuItemID(file, 4), -1);
    EXPECT_EQ(GetSubMenu(file, 4), recent);
    // By command: the item whose id it is; a command inside the submenu is still found first.
    char text[32] = {};
    MENUITEMINFOA byId;
    byId.fMask = MIIM_TYPE | MIIM_SUBMENU;
    byId.dwTypeData = text;
    byId.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(bar, UINT(UINT_PTR(recent)), 0, &byId));
    EXPECT_STREQ(text, "&Recent");
    EXPECT_EQ(byId.hSubMenu, recent);
    byId.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(bar, 111, 0, &byId));
    EXPECT_STREQ(text, "a.txt");
    // The bar's own popup items carry their handles too.
    info.fMask = MIIM_ID;
    GetMenuItemInfoA(bar, 0, 1, &info);
    EXPECT_EQ(info.wID, UINT(UINT_PTR(file)));

    render();
    menuBar->MakeOwnerDraw(file);
    MEASUREITEMSTRUCT measure;
    measure.CtlType = ODT_MENU;
    measure.itemID = UINT(UINT_PTR(recent));
    fake.answers[WM_MEASUREITEM] = 9;
    EXPECT_EQ(SendMessageA(hwnd, WM_MEASUREITEM, 0, LPARAM(&measure)), 0);
    EXPECT_EQ(fake.receivedCount(WM_MEASUREITEM), 0);
    const auto& recentItem = menuBar->SavedItems()[4];
    EXPECT_EQ(recentItem.caption, "&Recent");
    EXPECT_EQ(measure.itemWidth, UINT(recentItem.textWidth + recentItem.shortcutWidth + 38));   // the popup has a shortcut column
    EXPECT_GT(measure.itemHeight, 6u);   // a row, not a separator

    const HBITMAP itemCanvas = CreateCompatibleBitmap(0, 200, 30);
    const HDC dc = CreateCompatibleDC(0);
    SelectObject(dc, itemCanvas);
    const size_t mark = fake.gdi().textLog.size();
    drawItem(file, UINT(UINT_PTR(recent)), dc);
    const auto* caption = drawn("&Recent", mark);
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->rect.left, 24);
    DeleteDC(dc);
    DeleteObject(itemCanvas);

    // Restored, the item is a submenu again under its handle.
    menuBar->RestoreMenuItems();
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    info.dwTypeData = nullptr;
    GetMenuItemInfoA(file, 4, 1, &info);
    EXPECT_EQ(info.fType, UINT(MFT_STRING));
    EXPECT_EQ(info.hSubMenu, recent);
    EXPECT_EQ(info.wID, UINT(UINT_PTR(recent)));
}

// A command id is a 16-bit number and every menu handle lies above that
// range, so no command of a popup, whatever its id, takes the place of the
// submenu row whose id is the submenu's handle: each row is drawn with its
// own caption.
TEST_F(MenuBarTest, NoCommandOfThePopupTakesTheSubmenuRowsPlace)
{
    const HMENU recent = CreatePopupMenu();
    AppendMenuA(recent, MF_STRING, 111, "a.txt");
    AppendMenuA(file, MF_POPUP, UINT_PTR(recent), "&Recent");
    // The id nearest the handle a command can have: its low 16 bits.
    const UINT print = UINT(UINT_PTR(recent)) & 0xFFFF;
    AppendMenuA(file, MF_STRING, print, "&Print\tCtrl+P");
    render();
    menuBar->MakeOwnerDraw(file);

    const HBITMAP itemCanvas = CreateCompatibleBitmap(0, 200, 30);
    const HDC dc = CreateCompatibleDC(0);
    SelectObject(dc, itemCanvas);
    const std::pair<UINT, const char*> rows[] = {{UINT(UINT_PTR(recent)), "&Recent"}, {print, "&Print"}};
    for (const auto& [id, caption] : rows) {
        const size_t mark = fake.gdi().textLog.size();
        drawItem(file, id, dc);
        EXPECT_TRUE(drawn(caption, mark)) << caption;
        EXPECT_FALSE(drawn(id == print ? "&Recent" : "&Print", mark)) << caption;
    }
    DeleteDC(dc);
    DeleteObject(itemCanvas);
}
