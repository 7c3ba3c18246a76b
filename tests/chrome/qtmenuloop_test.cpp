// The Qt window system's default frame behaviour and popup loop, on real
// windows driven with mouse and key events, headless: border and corner
// drags resize, the icon zone opens the window menu, the loop announces
// itself to the window, and a submenu item shows its arrow; a maximised
// window's borders do not resize it.
#include "chrome/cneocaption.h"
#include "chrome/msubclass.h"
#include "platform/winsys/api.h"
#include "platform/winsys/qtsystem.h"
#include "qttest.h"
#include "skinpictures.h"

#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

using namespace chrome;
using namespace winsys;

namespace {

struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Message&) const = default;
};

// Records the messages it is attached to, after the window has had them.
class MessageLog : public ISubclass {
public:
    std::vector<Message> seen;
    LONG MsgResponse() override { return OldProcAfter; }
    LRESULT WindowProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back({msg, wParam, lParam});
        return 0;
    }
};

void key(QWidget* w, int qtKey, const QString& text = QString())
{
    QKeyEvent e(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &e);
}

const UINT kLoopMessages[] = {WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND, WM_SYSCOMMAND};

class QtMenuLoopTest : public ::testing::Test {
protected:
    QtSystem qt;
    QtWindow* window = new QtWindow;
    std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();

    void SetUp() override
    {
        window->setWindowTitle(QStringLiteral("Customers"));
        window->setGeometry(100, 100, 400, 300);
        window->show();
        settle();
        for (UINT msg : kLoopMessages) MSubclass::AttachMessage(log.get(), window->hwnd(), msg);
    }
    void TearDown() override
    {
        for (UINT msg : kLoopMessages) MSubclass::DetachMessage(log.get(), window->hwnd(), msg);
        delete window;
    }
    // Runs `inside` on the open popup once the loop is running.
    static void whenOpen(std::function<void(QWidget*)> inside)
    {
        QTimer::singleShot(30, [inside] {
            QWidget* popup = QApplication::activePopupWidget();
            ASSERT_TRUE(popup);
            inside(popup);
        });
    }
};

// Wears the skinned caption: the frame is the window's own, so its presses reach the default procedure.
class SkinnedWindow : public QtMenuLoopTest {
protected:
    StdPicture caption{captionPicture()}, border{borderPicture()};
    std::shared_ptr<cNeoCaption> skin = std::make_shared<cNeoCaption>();
    WindowForm form{window};

    void SetUp() override
    {
        QtMenuLoopTest::SetUp();
        skin->Attach(form, caption, border, 10, 8, 20, 73, 112, 120);
        SendMessageA(window->hwnd(), WM_NCACTIVATE, 1, 0);
        settle();
        ASSERT_TRUE(window->customFrame());
        log->seen.clear();   // the caption's menu bar announces its own tracker
    }
    void TearDown() override
    {
        QtMenuLoopTest::TearDown();
        skin.reset();
    }
    void drag(QPoint from, QPoint by)
    {
        const QPoint start = window->mapToGlobal(from);
        mouse(window, QEvent::MouseButtonPress, from);
        // The points are the screen's: the window moves under them while its left or top edge follows.
        mouse(window, QEvent::MouseMove, window->mapFromGlobal(start + by / 2));
        mouse(window, QEvent::MouseButtonRelease, window->mapFromGlobal(start + by));
        settle();
    }
    RECT windowRect() const
    {
        RECT r{};
        GetWindowRect(window->hwnd(), &r);
        return r;
    }
};

// A popup of two rows of one height: the submenu arrow is drawn at the right
// end of the lower row only.
void expectArrowOnLowerRowOnly(const QImage& shot)
{
    const QColor arrow = Gdi::color(Gdi::sysColor(COLOR_MENUTEXT));
    int upper = 0, lower = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = shot.width() - 14; x < shot.width() - 2; ++x)
            if (shot.pixelColor(x, y) == arrow) (y < shot.height() / 2 ? upper : lower) += 1;
    EXPECT_EQ(upper, 0);
    EXPECT_GT(lower, 0);
}

} // namespace

TEST_F(QtMenuLoopTest, ThePopupLoopAnnouncesItselfAroundTheMenuAndTheCommand)
{
    const HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 41, "&Open");
    AppendMenuA(menu, MF_STRING, 42, "&Save");
    whenOpen([](QWidget* popup) {
        key(popup, Qt::Key_Down);
        key(popup, Qt::Key_Down);
        key(popup, Qt::Key_Return);
    });
    EXPECT_TRUE(TrackPopupMenuEx(menu, 0, 150, 150, window->hwnd(), nullptr));
    EXPECT_EQ(log->seen, (std::vector<Message>{{WM_ENTERMENULOOP, 1, 0},
                                               {WM_INITMENU, WPARAM(menu), 0},
                                               {WM_INITMENUPOPUP, WPARAM(menu), 0},
                                               {WM_EXITMENULOOP, 1, 0},
                                               {WM_COMMAND, 42, 0}}));

    // Closed without a choice: the loop ends all the same, and no command follows.
    log->seen.clear();
    whenOpen([](QWidget* popup) { key(popup, Qt::Key_Escape); });
    TrackPopupMenuEx(menu, 0, 150, 150, window->hwnd(), nullptr);
    ASSERT_FALSE(log->seen.empty());
    EXPECT_EQ(log->seen.back(), (Message{WM_EXITMENULOOP, 1, 0}));
}

TEST_F(QtMenuLoopTest, ASubmenuItemShowsItsArrow)
{
    const HMENU menu = CreatePopupMenu(), recent = CreatePopupMenu();
    AppendMenuA(recent, MF_STRING, 51, "a.txt");
    AppendMenuA(menu, MF_STRING, 41, "&Open");
    AppendMenuA(menu, MF_POPUP, UINT_PTR(recent), "&Recent");
    QImage shot;
    whenOpen([&](QWidget* popup) {
        shot = popup->grab().toImage();
        key(popup, Qt::Key_Escape);
    });
    TrackPopupMenuEx(menu, 0, 150, 150, window->hwnd(), nullptr);
    ASSERT_FALSE(shot.isNull());
    expectArrowOnLowerRowOnly(shot);
}

TEST_F(SkinnedWindow, BordersAndCornersResizeTheWindow)
{
    const QRect client = window->clientArea()->geometry();
    const int right = window->width() - client.right() - 1;
    ASSERT_GT(right, 0);

    // The right border: wider by the drag, the left edge stays.
    drag(QPoint(window->width() - 1, 150), QPoint(50, 0));
    EXPECT_EQ(window->geometry(), QRect(100, 100, 450, 300));
    EXPECT_EQ(windowRect().right - windowRect().left, 450);
    EXPECT_EQ(window->clientArea()->width(), 450 - (400 - client.width()));

    // The left border: the left edge follows, the right one stays.
    drag(QPoint(0, 150), QPoint(-30, 0));
    EXPECT_EQ(window->geometry(), QRect(70, 100, 480, 300));
    EXPECT_EQ(windowRect().left, 70);

    // The bottom-right corner: both ways at once; the top-left corner likewise.
    drag(QPoint(window->width() - 1, window->height() - 1), QPoint(-80, 40));
    EXPECT_EQ(window->geometry(), QRect(70, 100, 400, 340));
    drag(QPoint(0, 0), QPoint(20, 10));
    EXPECT_EQ(window->geometry(), QRect(90, 110, 380, 330));

    // Never smaller than the frame with a strip of client area.
    drag(QPoint(window->width() - 1, 150), QPoint(-1000, 0));
    EXPECT_EQ(window->width(), 120);
    EXPECT_EQ(window->x(), 90);
    EXPECT_GT(window->clientArea()->width(), 0);
}

// Maximised, the window has no border to drag, as its window menu offers no
// size: the pointer over a border or a corner stays an arrow, and a drag
// there leaves the window maximised and as large as it was.
TEST_F(SkinnedWindow, AMaximisedWindowsBordersDoNotResizeIt)
{
    window->showMaximized();
    settle();
    ASSERT_TRUE(window->isMaximized());
    const QRect maximised = window->geometry();
    const int right = window->width() - 1, bottom = window->height() - 1;
    for (const QPoint at : {QPoint(right, 150), QPoint(0, 150), QPoint(200, bottom), QPoint(right, bottom), QPoint(0, 0)}) {
        mouse(window, QEvent::MouseMove, at);
        EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor) << at.x() << "," << at.y();
        drag(at, QPoint(-40, -30));
        EXPECT_TRUE(window->isMaximized()) << at.x() << "," << at.y();
        EXPECT_EQ(window->geometry(), maximised) << at.x() << "," << at.y();
    }
}

TEST_F(SkinnedWindow, TheIconZoneOpensTheWindowMenu)
{
    HMENU shown = 0;
    UINT restoreState = 0, maximiseState = 0;
    whenOpen([&](QWidget* popup) {
        ASSERT_FALSE(log->seen.empty());
        shown = HMENU(log->seen.back().wParam);
        MENUITEMINFOA state;
        state.fMask = MIIM_STATE;
        GetMenuItemInfoA(shown, SC_RESTORE, 0, &state);
        restoreState = state.fState;
        GetMenuItemInfoA(shown, SC_MAXIMIZE, 0, &state);
        maximiseState = state.fState;
        key(popup, Qt::Key_X, QStringLiteral("x"));   // 最大化(&X)
    });
    mouse(window, QEvent::MouseButtonPress, QPoint(15, 14));
    mouse(window, QEvent::MouseButtonRelease, QPoint(15, 14));
    settle();
    ASSERT_TRUE(shown);
    EXPECT_EQ(restoreState & MFS_GRAYED, UINT(MFS_GRAYED));   // a normal window has nothing to restore
    EXPECT_EQ(maximiseState & MFS_GRAYED, 0u);
    EXPECT_EQ(log->seen, (std::vector<Message>{{WM_ENTERMENULOOP, 0, 0},
                                               {WM_INITMENU, WPARAM(shown), 0},
                                               {WM_INITMENUPOPUP, WPARAM(shown), MAKELPARAM(0, 1)},
                                               {WM_EXITMENULOOP, 0, 0},
                                               {WM_SYSCOMMAND, SC_MAXIMIZE, log->seen.back().lParam}}));
    EXPECT_TRUE(window->isMaximized());
    EXPECT_TRUE(GetWindowLongA(window->hwnd(), GWL_STYLE) & WS_MAXIMIZE);

    // Maximised, the menu offers restore, and its choice restores.
    log->seen.clear();
    whenOpen([&](QWidget* popup) {
        MENUITEMINFOA state;
        state.fMask = MIIM_STATE;
        GetMenuItemInfoA(shown, SC_RESTORE, 0, &state);
        restoreState = state.fState;
        key(popup, Qt::Key_R, QStringLiteral("r"));
    });
    mouse(window, QEvent::MouseButtonPress, QPoint(15, 14));
    mouse(window, QEvent::MouseButtonRelease, QPoint(15, 14));
    settle();
    EXPECT_EQ(restoreState & MFS_GRAYED, 0u);
    ASSERT_FALSE(log->seen.empty());
    EXPECT_EQ(log->seen.back().wParam, WPARAM(SC_RESTORE));
    EXPECT_FALSE(window->isMaximized());
}

TEST_F(SkinnedWindow, TheBarsPopupRunsInsideTheAnnouncedLoopAndShowsSubmenuArrows)
{
    const HMENU menu = CreateMenu(), file = CreatePopupMenu(), recent = CreatePopupMenu();
    AppendMenuA(recent, MF_STRING, 51, "a.txt");
    AppendMenuA(file, MF_STRING, 11, "&Open");
    AppendMenuA(file, MF_POPUP, UINT_PTR(recent), "&Recent");
    AppendMenuA(menu, MF_POPUP, UINT_PTR(file), "&File");
    SetMenu(window->hwnd(), menu);
    skin->Detach();
    skin->setMenuBackgroundColor(RGB(240, 230, 140));
    skin->Attach(form, caption, border, 10, 8, 20, 73, 112, 120);
    SendMessageA(window->hwnd(), WM_NCACTIVATE, 1, 0);
    settle();
    ASSERT_EQ(skin->menuBar()->ItemCount(), 1);

    QImage shot;
    bool convertedWhileOpen = false;
    whenOpen([&](QWidget* popup) {
        shot = popup->grab().toImage();
        MENUITEMINFOA info;
        info.fMask = MIIM_TYPE;
        GetMenuItemInfoA(file, 1, 1, &info);
        convertedWhileOpen = info.fType & MFT_OWNERDRAW;
        key(popup, Qt::Key_Escape);
    });
    const size_t mark = qt.gdi().textLog.size();
    const RECT item = skin->menuBar()->ItemRect(1);
    const QPoint onFile((item.left + item.right) / 2 + window->clientArea()->x(),
                       (item.top + item.bottom) / 2 + window->clientArea()->y());
    mouse(window, QEvent::MouseButtonPress, onFile);
    mouse(window, QEvent::MouseButtonRelease, onFile);
    settle();

    // The loop was announced around the popup, and the bar's converted items are back as they were.
    // (The bar's own tracker announces itself too, as a window-menu loop.)
    std::vector<UINT> order;
    for (const Message& m : log->seen)
        if ((m.msg != WM_ENTERMENULOOP && m.msg != WM_EXITMENULOOP) || m.wParam == 1) order.push_back(m.msg);
    EXPECT_EQ(order, (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_EXITMENULOOP}));
    EXPECT_TRUE(convertedWhileOpen);
    MENUITEMINFOA after;
    after.fMask = MIIM_TYPE | MIIM_ID | MIIM_SUBMENU;
    after.dwTypeData = nullptr;
    GetMenuItemInfoA(file, 1, 1, &after);
    EXPECT_EQ(after.fType, UINT(MFT_STRING));
    EXPECT_EQ(after.hSubMenu, recent);

    // The submenu item was drawn with its caption and the arrow beside it, on the bar's background.
    bool recentDrawn = false;
    for (size_t i = mark; i < qt.gdi().textLog.size(); ++i) recentDrawn |= qt.gdi().textLog[i].text == "&Recent";
    EXPECT_TRUE(recentDrawn);
    ASSERT_FALSE(shot.isNull());
    expectArrowOnLowerRowOnly(shot);
}
