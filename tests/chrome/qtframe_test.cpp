// A skinned real Qt window driven through its frame with mouse events, headless.
#include "chrome/cneocaption.h"
#include "platform/winsys/api.h"
#include "platform/winsys/qtsystem.h"
#include "qttest.h"
#include "skinpictures.h"

#include <gtest/gtest.h>

using namespace chrome;
using namespace winsys;

namespace {

const QColor closeImage(255, 255, 0), restoreImage(0, 255, 255), maximiseImage(255, 0, 255);

class QtFrameTest : public ::testing::Test {
protected:
    QtSystem qt;
    QtWindow* window = new QtWindow;
    StdPicture caption{captionPicture()}, border{borderPicture()};
    std::shared_ptr<cNeoCaption> skin = std::make_shared<cNeoCaption>();
    WindowForm form{window};

    void SetUp() override
    {
        window->setWindowTitle(QStringLiteral("Customers"));
        window->setGeometry(100, 100, 400, 300);
        window->show();
        settle();
        skin->Attach(form, caption, border, 10, 8, 20, 73, 112, 120);
        SendMessageA(window->hwnd(), WM_NCACTIVATE, 1, 0);
        settle();
    }
    void TearDown() override
    {
        delete window;
        skin.reset();
    }
    // The window-relative point of a caption button, counted from the right: 0 close, 1 maximise, 2 minimise.
    QPoint button(int fromRight) const { return QPoint(window->width() - 5 - 11 * fromRight, 8); }
    void click(QPoint at)
    {
        mouse(window, QEvent::MouseButtonPress, at);
        mouse(window, QEvent::MouseButtonRelease, at);
        settle();
    }
    QColor shown(QPoint at) const { return window->grab().toImage().pixelColor(at); }
    LONG style() const { return LONG(GetWindowLongA(window->hwnd(), GWL_STYLE)); }
};

} // namespace

TEST_F(QtFrameTest, TheStyleFollowsTheWindowStateAndTheCaptionOffersRestore)
{
    ASSERT_TRUE(window->customFrame());
    EXPECT_EQ(shown(button(1)), maximiseImage);
    EXPECT_EQ(style() & (WS_MAXIMIZE | WS_MINIMIZE | WS_VISIBLE), WS_VISIBLE);

    // Maximised by its button: the style says so, the caption shows restore, and the button restores.
    click(button(1));
    ASSERT_TRUE(window->isMaximized());
    EXPECT_TRUE(style() & WS_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(window->hwnd()));
    EXPECT_GT(window->width(), 400);
    EXPECT_EQ(shown(button(1)), restoreImage);
    EXPECT_EQ(shown(button(0)), closeImage);
    click(button(1));
    EXPECT_FALSE(window->isMaximized());
    EXPECT_FALSE(style() & WS_MAXIMIZE);
    EXPECT_EQ(window->width(), 400);
    EXPECT_EQ(shown(button(1)), maximiseImage);

    // Minimised and hidden.
    click(button(2));
    EXPECT_TRUE(window->isMinimized());
    EXPECT_EQ(style() & (WS_MAXIMIZE | WS_MINIMIZE), WS_MINIMIZE);
    window->showNormal();
    settle();
    EXPECT_FALSE(style() & WS_MINIMIZE);
    window->hide();
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    window->show();
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
}
