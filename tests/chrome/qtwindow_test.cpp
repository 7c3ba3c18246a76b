// The chrome classes on real Qt windows, headless.
#include "chrome/cnccalcsize.h"
#include "chrome/ctimer.h"
#include "chrome/msubclass.h"
#include "platform/winsys/api.h"
#include "platform/winsys/qtsystem.h"
#include "qttest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

using namespace chrome;
using namespace winsys;

namespace {

class QtChromeTest : public ::testing::Test {
protected:
    QtSystem qt;
};

class PressClient : public ISubclass {
public:
    std::vector<std::pair<UINT, LPARAM>> seen;
    LONG MsgResponse() override { return OldProcAfter; }
    LRESULT WindowProc(HWND, UINT msg, WPARAM, LPARAM lParam) override
    {
        seen.emplace_back(msg, lParam);
        return 0;
    }
};

// Paints the whole frame red and keeps fixed margins.
class RedFrame : public INCAreaModifier {
public:
    HWND window = 0;
    HWND hwnd() override { return window; }
    void GetTopMarginHeight(LONG& cy) override { cy = 25; }
    void GetLeftMarginWidth(LONG& cx) override { cx = 5; }
    void GetRightMarginWidth(LONG& cx) override { cx = 5; }
    void GetBottomMarginHeight(LONG& cy) override { cy = 5; }
    void NCPaint(HDC hdc, LONG l, LONG t, LONG r, LONG b) override
    {
        RECT all{l, t, r, b};
        const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(hdc, &all, red);
        DeleteObject(red);
    }
    void NCMouseDown(LONG x, LONG y, bool& handled, HDC, LONG, LONG, LONG, LONG) override
    {
        presses.push_back(QPoint(x, y));
        handled = true;
    }
    std::vector<QPoint> presses;
};


} // namespace

TEST_F(QtChromeTest, AClientSeesARealMousePress)
{
    QtWindow window;
    window.setGeometry(100, 100, 300, 200);
    window.show();
    settle();
    auto client = std::make_shared<PressClient>();
    MSubclass::AttachMessage(client.get(), window.hwnd(), WM_LBUTTONDOWN);

    QWidget* area = window.clientArea();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(30, 40), area->mapToGlobal(QPointF(30, 40)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &press);
    ASSERT_EQ(client->seen.size(), 1u);
    EXPECT_EQ(client->seen[0].first, WM_LBUTTONDOWN);
    EXPECT_EQ(client->seen[0].second, MAKELPARAM(30, 40));
    MSubclass::DetachMessage(client.get(), window.hwnd(), WM_LBUTTONDOWN);
}

TEST_F(QtChromeTest, ATimerTicks)
{
    auto timer = CTimer::create();
    int ticks = 0;
    auto listening = timer->onThatTime([&] { ++ticks; });
    timer->setInterval(5);
    QElapsedTimer clock;
    clock.start();
    while (ticks < 2 && clock.elapsed() < 5000) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    timer->setInterval(0);
    EXPECT_GE(ticks, 2);
}

TEST_F(QtChromeTest, APainterFramesARealWindowThatClosesThroughSysCommand)
{
    auto* window = new QtWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setGeometry(100, 100, 300, 200);
    QPalette palette = window->clientArea()->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 255));
    window->clientArea()->setPalette(palette);
    window->show();
    settle();

    auto painter = std::make_shared<RedFrame>();
    painter->window = window->hwnd();
    auto frame = std::make_shared<cNCCalcSize>();
    frame->Attach(*painter);
    WindowForm form(window);
    frame->Display(form);
    settle();

    EXPECT_TRUE(window->customFrame());
    EXPECT_EQ(window->clientArea()->geometry(), QRect(5, 25, 290, 170));
    const QImage shot = window->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(300, 200));
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(150, 12), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(2, 100), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(297, 197), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(5, 25), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(150, 100), QColor(0, 0, 255));

    // A press on the border arrives as a non-client press, the cursor nudged by (-1, -1).
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 100), window->mapToGlobal(QPointF(2, 100)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 100), window->mapToGlobal(QPointF(2, 100)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window, &release);
    ASSERT_GE(painter->presses.size(), 1u);
    EXPECT_EQ(painter->presses[0], QPoint(1, 99));

    // A caption press drags the active window until the button comes up.
    SendMessageA(window->hwnd(), WM_NCACTIVATE, 1, 0);
    const QPoint start = window->pos();
    const QPointF grip(150, 12);
    // While the drag loop waits, the mouse moves and later comes up.
    QTimer::singleShot(20, window, [window, grip] {
        QMouseEvent move(QEvent::MouseMove, grip + QPointF(20, 10), window->mapToGlobal(grip + QPointF(20, 10)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &move);
    });
    QTimer::singleShot(60, window, [window, grip] {
        QMouseEvent up(QEvent::MouseButtonRelease, grip + QPointF(20, 10), window->mapToGlobal(grip + QPointF(20, 10)), Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window, &up);
    });
    QMouseEvent captionPress(QEvent::MouseButtonPress, grip, window->mapToGlobal(grip), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &captionPress);
    EXPECT_EQ(frame->lastHitTest(), HTCAPTION);
    // The window follows the mouse; the press's nudge of the cursor may add a unit or two.
    EXPECT_NEAR(window->pos().x() - start.x(), 20, 2);
    EXPECT_NEAR(window->pos().y() - start.y(), 10, 2);

    QPointer<QtWindow> alive(window);
    frame->SysCommand(SC_CLOSE);
    EXPECT_TRUE(window->isVisible());
    settle();
    EXPECT_TRUE(alive.isNull());            // closed and deleted
    EXPECT_EQ(frame->hWnd(), 0);            // WM_DESTROY detached the subclasser
    EXPECT_FALSE(IsWindow(painter->window));
}
