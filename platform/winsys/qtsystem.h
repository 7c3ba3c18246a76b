#pragma once
// The window system on Qt. A QtWindow is a top-level window with a handle;
// its Qt events become the messages the chrome classes hook. When its
// WM_NCCALCSIZE answer leaves margins, the window drops the system frame and
// keeps its client content inside the margins; the frame is then what its
// window context draws (WM_NCPAINT), and presses in it arrive as
// non-client messages: by default the caption moves the window, the borders
// and corners resize it, and the icon opens the window menu. Timers are
// QTimers; the keyboard hook chain sees keys through an application event
// filter.
#include "platform/winsys/picture.h"
#include "platform/winsys/system.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>

class QTimer;

namespace winsys {

class QtWindow;
class QtMenuLoop;

class QtSystem : public QObject, public System {
    Q_OBJECT

public:
    QtSystem();   // installs itself
    ~QtSystem() override;

    HWND registerWindow(QtWindow*);
    void unregisterWindow(HWND);
    QtWindow* widget(HWND) const;
    // Runs a message that a Qt event produced; an exception stops here.
    LRESULT deliver(HWND, UINT, WPARAM, LPARAM);
    static LRESULT defaultProc(HWND, UINT, WPARAM, LPARAM);
    // The virtual-key code of a Qt key, 0 when there is none.
    static int virtualKey(int qtKey);

    bool post(HWND, UINT, WPARAM, LPARAM) override;
    bool setWindowPos(HWND, HWND after, int x, int y, int cx, int cy, UINT flags) override;
    bool redrawWindow(HWND, UINT flags) override;
    bool setForeground(HWND) override;
    bool setMenu(HWND, HMENU) override;
    void releaseCapture() override;
    void surfaceChanged(HWND) override;
    UINT_PTR setTimer(UINT elapse, TIMERPROC) override;
    bool killTimer(UINT_PTR id) override;
    POINT cursorPos() override;
    void setCursorPos(POINT) override;
    short asyncKeyState(int vk) override;
    void mouseEvent(DWORD flags, LONG dx, LONG dy, DWORD data) override;
    void doEvents() override;
    void sleep(DWORD ms) override;
    int systemMetric(int index) override;
    LRESULT trackPopup(HMENU, UINT flags, int x, int y, HWND, const TPMPARAMS*) override;

    // The popup-menu loop running now, or nullptr.
    QtMenuLoop* menuLoop() const { return menuLoop_; }
    // The window menu (restore, move, size, minimise, maximise, close), its
    // items enabled as the window's state allows, tracked under the caption;
    // a choice arrives as WM_SYSCOMMAND.
    void trackWindowMenu(HWND);

    // The frame's client rectangle changed: the widget follows the record.
    void frameChanged(HWND);

protected:
    bool eventFilter(QObject*, QEvent*) override;

private:
    LRESULT trackMenu(HMENU, int x, int y, HWND, bool windowMenu);
    HMENU windowMenu(HWND);

    std::map<HWND, QPointer<QtWindow>> widgets_;
    std::map<HWND, HMENU> windowMenus_;
    std::map<UINT_PTR, QTimer*> timers_;
    UINT_PTR lastTimer_ = 0;
    bool haveCursor_ = false;
    POINT cursor_;
    QPoint warp_;
    bool warping_ = false;
    Qt::MouseButtons buttons_;
    QtMenuLoop* menuLoop_ = nullptr;
};

class QtWindow : public QWidget {
public:
    explicit QtWindow(QWidget* parent = nullptr);
    ~QtWindow() override;

    HWND hwnd() const { return hwnd_; }
    // Where the window's content goes; it fills the client rectangle.
    QWidget* clientArea() const { return client_; }
    bool customFrame() const { return custom_; }

    // Internal, for QtSystem: follow the record's rectangle and client area.
    void syncGeometry();
    void applyFrame();
    // The strip that shows the window's own menu while the system frame is on.
    QWidget* menuStrip() const { return strip_; }
    void beginMove();
    // A press on a border or corner (hit code HTLEFT..HTBOTTOMRIGHT) at the
    // screen point `from`: the edges follow the mouse until the release.
    void beginResize(LRESULT hit, QPoint from);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void changeEvent(QEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    void recordGeometry();
    // The style's WS_MAXIMIZE, WS_MINIMIZE and WS_VISIBLE from the widget's state.
    void recordState();
    LRESULT hitTest(QPointF global);
    void followResize(QPoint cursor);
    QSize smallestSize() const;
    LPARAM clientPoint(QPointF global);
    QtSystem& system() const;

    HWND hwnd_ = 0;
    QWidget* client_ = nullptr;
    QWidget* strip_ = nullptr;
    bool custom_ = false;
    bool syncing_ = false;
    bool moving_ = false;
    QPoint moveAnchor_;
    Qt::Edges sizing_;   // the edges a border drag moves, none when no drag runs
    QPoint sizeAnchor_;
    QRect sizeStart_;
};

} // namespace winsys
