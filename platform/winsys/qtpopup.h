#pragma once
// The popup-menu loop on Qt: our own popup widgets (owner-drawn items are
// measured and drawn by the window through WM_MEASUREITEM and WM_DRAWITEM),
// a nested event loop, and each key, move and press of the loop offered to
// the thread's message-filter hooks first.
#include "platform/winsys/menutypes.h"

#include <QEventLoop>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace winsys {

class QtSystem;

class QtMenuLoop {
public:
    // `systemMenu`: the loop runs the window menu; its messages say so.
    QtMenuLoop(QtSystem& system, HWND owner, bool systemMenu = false);
    ~QtMenuLoop();
    // Runs the loop of a popup shown at (x, y); returns when it has closed,
    // true when an item was chosen (its id is command()).
    bool run(HMENU menu, int x, int y);
    UINT command() const { return command_; }
    // A posted WM_CANCELMODE for the owner ends the loop.
    void cancel();
    HWND owner() const { return owner_; }

    // For the popup widgets.
    bool filtered(UINT msg, WPARAM wParam, QPoint global);
    void key(int vk, QChar text);
    void mouseMove(QPoint global);
    void press(QPoint global);
    void paint(QWidget* popup, QPainter& painter);

private:
    struct Open {
        HMENU menu = 0;
        int selected = -1;
        QPointer<QWidget> widget;
        std::vector<QRect> rects;
    };
    void open(HMENU menu, int position, QPoint at);
    void closeInnermost();
    void select(int position);
    void choose(int position);
    void finish();
    int itemAt(const Open& popup, QPoint global) const;

    QtSystem& system_;
    HWND owner_;
    UINT menuFlag_;   // MF_SYSMENU for the window menu
    std::vector<Open> open_;
    QEventLoop loop_;
    bool done_ = false;
    bool chosen_ = false;
    UINT command_ = 0;
};

} // namespace winsys
