#include "chrome/cmenubar.h"
#include "chrome/ctoolbarmenu.h"
#include "chrometest.h"

using namespace chrome;

namespace {

class TrackerTest : public ChromeTest {
protected:
    HMENU bar = CreateMenu();
    std::vector<HMENU> popups;
    HMENU sub = CreatePopupMenu();
    std::shared_ptr<cMenuBar> menuBar = std::make_shared<cMenuBar>();
    HDC target = CreateCompatibleDC(0);
    HBITMAP canvas = CreateCompatibleBitmap(0, 400, 40);
    StdFont font;

    // A bar of the given popups; the first popup's second item opens a submenu.
    void build(const std::vector<const char*>& captions)
    {
        AppendMenuA(sub, MF_STRING, 901, "Deeper");
        for (size_t i = 0; i < captions.size(); ++i) {
            const HMENU popup = CreatePopupMenu();
            AppendMenuA(popup, MF_STRING, UINT_PTR(100 * (i + 1) + 1), "One");
            if (i == 0) AppendMenuA(popup, MF_POPUP, UINT_PTR(sub), "More");
            AppendMenuA(bar, MF_POPUP, UINT_PTR(popup), captions[i]);
            popups.push_back(popup);
        }
        menuBar->setHMenu(bar);
        menuBar->Attach(hwnd);
        SelectObject(target, canvas);
        menuBar->Render(font.hFont(), target, 0, 0, 300, 20, 0);
    }
    void TearDown() override
    {
        menuBar->Detach();
        DeleteDC(target);
        DeleteObject(canvas);
    }
    POINT screenPointOf(LONG item)
    {
        const RECT r = menuBar->ItemRect(item);
        return POINT{100 + (r.left + r.right) / 2, 100 + (r.top + r.bottom) / 2};
    }
    void clickOn(LONG item)
    {
        fake.cursor = screenPointOf(item);
        SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
    }
    std::vector<HMENU> tracked() const
    {
        std::vector<HMENU> menus;
        for (const auto& call : fake.trackCalls) menus.push_back(call.menu);
        return menus;
    }
};

} // namespace

TEST_F(TrackerTest, RightAndLeftMoveToTheNeighbourAndWrapAround)
{
    build({"&File", "&Edit", "&View"});
    // Right from the last item opens the first; Left from the first opens the last.
    fake.menuScript = {FakeSystem::select(0), FakeSystem::key(VK_RIGHT), FakeSystem::select(0), FakeSystem::key(VK_LEFT),
                       FakeSystem::select(0), FakeSystem::key(VK_LEFT), FakeSystem::key(VK_ESCAPE)};
    clickOn(3);
    EXPECT_EQ(tracked(), (std::vector<HMENU>{popups[2], popups[0], popups[2], popups[1]}));
    EXPECT_TRUE(fake.posted.empty());
    EXPECT_EQ(menuBar->HotItem(), -1);
    EXPECT_EQ(menuBar->PressedItem(), -1);
    EXPECT_EQ(menuBar->Tracker()->State(), 0);
}

TEST_F(TrackerTest, AroundSubmenusTheKeysAreLeftToTheMenu)
{
    build({"&File", "&Edit"});
    int submenuOpened = 0;
    fake.menuScript = {FakeSystem::select(1), FakeSystem::key(VK_RIGHT), FakeSystem::select(0), FakeSystem::key(VK_LEFT),
                       FakeSystem::key(VK_ESCAPE)};
    fake.menuScript[2].before = [&] { submenuOpened = fake.receivedCount(WM_INITMENUPOPUP); };
    clickOn(1);
    EXPECT_EQ(tracked(), (std::vector<HMENU>{popups[0]}));
    EXPECT_EQ(submenuOpened, 2);   // the popup, then its submenu
    // In the submenu Left may not move: the selection is not in the tracked popup.
    EXPECT_FALSE(menuBar->Tracker()->MayMoveLeft());
}

TEST_F(TrackerTest, TheMouseOverAnotherItemSwitchesAndAClickOnTheOpenItemIsSwallowed)
{
    build({"&File", "&Edit"});
    fake.menuScript = {FakeSystem::click(screenPointOf(1)), FakeSystem::move(screenPointOf(1)), FakeSystem::move(POINT{5, 5}),
                       FakeSystem::move(screenPointOf(2)), FakeSystem::key(VK_ESCAPE)};
    clickOn(1);
    EXPECT_EQ(tracked(), (std::vector<HMENU>{popups[0], popups[1]}));
    EXPECT_TRUE(fake.menuScript.empty());   // the click on the open item did not end the loop
}

TEST_F(TrackerTest, AnItemWithoutAPopupIsNotOpenedByTheMouse)
{
    build({"&File"});
    AppendMenuA(bar, MF_STRING, UINT_PTR(-1), "Odd");   // no command id: a bar item without popup
    menuBar->Render(font.hFont(), target, 0, 0, 300, 20, 0);
    ASSERT_EQ(menuBar->ItemCount(), 2);
    ASSERT_EQ(menuBar->ItemSubMenu(2), 0);
    fake.menuScript = {FakeSystem::move(screenPointOf(2)), FakeSystem::key(VK_ESCAPE)};
    clickOn(1);
    EXPECT_EQ(tracked(), (std::vector<HMENU>{popups[0]}));
}

TEST_F(TrackerTest, AChosenCommandEndsTrackingAndReachesTheWindow)
{
    build({"&File", "&Edit"});
    fake.menuScript = {FakeSystem::choose(0)};
    clickOn(2);
    ASSERT_EQ(fake.receivedCount(WM_COMMAND), 1);
    for (const auto& m : fake.received)
        if (m.msg == WM_COMMAND) EXPECT_EQ(LOWORD(m.wParam), 201);
    EXPECT_EQ(menuBar->HotItem(), -1);
    EXPECT_EQ(menuBar->PressedItem(), -1);
    EXPECT_FALSE(menuBar->Tracker()->Tracking());
}

TEST_F(TrackerTest, ASingleItemStaysOpenAndNestedTrackingIsRefused)
{
    build({"&File"});
    LRESULT nested = -1;
    HHOOK hookWhileOpen = 0;
    fake.menuScript = {FakeSystem::select(0), FakeSystem::key(VK_RIGHT), FakeSystem::key(VK_LEFT), FakeSystem::key(VK_ESCAPE)};
    fake.menuScript[1].before = [&] {
        nested = menuBar->Tracker()->TrackPopup(1);
        hookWhileOpen = mDeclares::MenuFilterHook();
    };
    EXPECT_EQ(mDeclares::MenuFilterHook(), 0);
    clickOn(1);
    EXPECT_EQ(nested, 0);
    EXPECT_NE(hookWhileOpen, 0);
    EXPECT_EQ(tracked(), (std::vector<HMENU>{popups[0]}));
    EXPECT_TRUE(fake.menuScript.empty());   // Right and Left were swallowed, Esc ended the popup
    // The hook exists only while a popup is tracked.
    EXPECT_EQ(mDeclares::MenuFilterHook(), 0);
    EXPECT_EQ(fake.hookCount(WH_MSGFILTER), 0);
}

TEST_F(TrackerTest, AttachAndDetachFramePopupTrackingInMenuLoopMessages)
{
    build({"&File"});
    EXPECT_EQ(fake.receivedCount(WM_ENTERMENULOOP), 1);
    menuBar->Detach();
    EXPECT_EQ(fake.receivedCount(WM_EXITMENULOOP), 1);
    EXPECT_EQ(menuBar->Tracker(), nullptr);
    // Without a tracker a click opens nothing.
    clickOn(1);
    EXPECT_TRUE(fake.trackCalls.empty());
}
