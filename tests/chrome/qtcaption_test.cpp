// A real window wearing the skinned caption, headless.
#include "chrome/cneocaption.h"
#include "chrome/msubclass.h"
#include "platform/winsys/api.h"
#include "platform/winsys/qtsystem.h"
#include "qttest.h"
#include "skinpictures.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

using namespace chrome;
using namespace winsys;

namespace {

class OpenedPopups : public ISubclass {
public:
    std::vector<HMENU> opened;
    LONG MsgResponse() override { return OldProcAfter; }
    LRESULT WindowProc(HWND, UINT, WPARAM wParam, LPARAM) override
    {
        opened.push_back(HMENU(wParam));
        return 0;
    }
};

void key(QWidget* w, int qtKey)
{
    QKeyEvent e(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(QtCaption, ASkinnedWindowShowsItsFrameOpensItsMenusAndCloses)
{
    QtSystem qt;
    auto* window = new QtWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Customers"));
    window->setGeometry(100, 100, 400, 300);
    QPalette palette = window->clientArea()->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 255));
    window->clientArea()->setPalette(palette);

    const HMENU menu = CreateMenu(), file = CreatePopupMenu(), edit = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 11, "&Open");
    AppendMenuA(file, MF_STRING, 12, "&Save");
    AppendMenuA(edit, MF_STRING, 21, "&Copy");
    AppendMenuA(menu, MF_POPUP, UINT_PTR(file), "&File");
    AppendMenuA(menu, MF_POPUP, UINT_PTR(edit), "&Edit");
    SetMenu(window->hwnd(), menu);
    EXPECT_TRUE(window->menuStrip()->isVisibleTo(window));
    window->show();
    settle();

    StdPicture caption(captionPicture()), border(borderPicture());
    auto skin = std::make_shared<cNeoCaption>();
    skin->setMenuBackgroundColor(RGB(240, 230, 140));
    WindowForm form(window);
    skin->Attach(form, caption, border, 10, 8, 20, 73, 112, 120);
    SendMessageA(window->hwnd(), WM_NCACTIVATE, 1, 0);
    settle();

    // Artwork, border tiles and client content; the menu now lives in the caption.
    EXPECT_FALSE(window->menuStrip()->isVisibleTo(window));
    EXPECT_EQ(window->clientArea()->geometry(), QRect(4, 46, 392, 250));
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(200, 0, 0));
    EXPECT_EQ(shot.pixelColor(395, 8), QColor(255, 255, 0));
    EXPECT_EQ(shot.pixelColor(1, 100), QColor(10, 10, 10));
    EXPECT_EQ(shot.pixelColor(200, 298), QColor(40, 40, 40));
    EXPECT_EQ(shot.pixelColor(200, 150), QColor(0, 0, 255));
    ASSERT_EQ(skin->menuBar()->ItemCount(), 2);
    bool file_drawn = false, edit_drawn = false;
    for (const auto& call : qt.gdi().textLog) {
        file_drawn |= call.text == "&File";
        edit_drawn |= call.text == "&Edit";
    }
    EXPECT_TRUE(file_drawn && edit_drawn);

    // A click on "File" opens its owner-drawn popup; Right moves to "Edit"; Esc closes.
    auto opened = std::make_shared<OpenedPopups>();
    MSubclass::AttachMessage(opened.get(), window->hwnd(), WM_INITMENUPOPUP);
    QColor popupBackground;
    bool secondOpen = false;
    QTimer::singleShot(30, [&] {
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_TRUE(popup);
        popupBackground = popup->grab().toImage().pixelColor(popup->width() - 6, 6);
        key(popup, Qt::Key_Right);
        QTimer::singleShot(30, [&] {
            QWidget* next = QApplication::activePopupWidget();
            ASSERT_TRUE(next);
            secondOpen = true;
            key(next, Qt::Key_Escape);
        });
    });
    const RECT item = skin->menuBar()->ItemRect(1);
    const QPoint onFile((item.left + item.right) / 2 + 4, (item.top + item.bottom) / 2 + 46);
    mouse(window, QEvent::MouseButtonPress, onFile);
    EXPECT_EQ(opened->opened, (std::vector<HMENU>{file, edit}));
    EXPECT_TRUE(secondOpen);
    EXPECT_EQ(popupBackground, QColor(240, 230, 140));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    mouse(window, QEvent::MouseButtonRelease, onFile);

    // Alt+E from the keyboard opens "Edit" and the key goes no further.
    QTimer::singleShot(30, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) key(popup, Qt::Key_Escape);
    });
    QKeyEvent altE(QEvent::KeyPress, Qt::Key_E, Qt::AltModifier, QStringLiteral("e"));
    EXPECT_TRUE(QApplication::sendEvent(window->windowHandle(), &altE));
    EXPECT_EQ(opened->opened, (std::vector<HMENU>{file, edit, edit}));
    MSubclass::DetachMessage(opened.get(), window->hwnd(), WM_INITMENUPOPUP);

    // The close button closes the window.
    QPointer<QtWindow> alive(window);
    mouse(window, QEvent::MouseButtonPress, QPoint(395, 8));
    mouse(window, QEvent::MouseButtonRelease, QPoint(395, 8));
    settle();
    EXPECT_TRUE(alive.isNull());
    skin.reset();
}
