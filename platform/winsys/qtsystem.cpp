#include "platform/winsys/qtsystem.h"

#include "platform/winsys/api.h"
#include "platform/winsys/qtpopup.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <tuple>

namespace winsys {

namespace {

QtSystem* qtSystem() { return installed() ? dynamic_cast<QtSystem*>(&current()) : nullptr; }

LPARAM screenPoint(QPointF global) { return MAKELPARAM(int(global.x()), int(global.y())); }

WPARAM keyFlags(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 0x1 : 0) | (buttons & Qt::RightButton ? 0x2 : 0);
}

// The client area: its mouse moves and presses are the window's client
// mouse messages, with coordinates relative to it.
class ClientArea : public QWidget {
public:
    explicit ClientArea(QtWindow* owner) : QWidget(owner), owner_(owner)
    {
        setMouseTracking(true);
        setAutoFillBackground(true);
    }

protected:
    void mouseMoveEvent(QMouseEvent* e) override { client(e, WM_MOUSEMOVE); }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton) client(e, WM_LBUTTONDOWN);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton) client(e, WM_LBUTTONUP);
    }

private:
    void client(QMouseEvent* e, UINT msg)
    {
        e->accept();
        QtSystem* sys = qtSystem();
        if (!sys) return;
        const HWND h = owner_->hwnd();
        sys->deliver(h, WM_SETCURSOR, h, MAKELPARAM(int(HTCLIENT), int(msg)));
        const QPoint p = e->position().toPoint();
        sys->deliver(h, msg, keyFlags(e->buttons()), MAKELPARAM(p.x(), p.y()));
    }
    QtWindow* owner_;
};

// The window's own menu, shown under the system frame: a click on a caption
// opens its popup below it through TrackPopupMenuEx.
class MenuStrip : public QWidget {
public:
    explicit MenuStrip(QtWindow* owner) : QWidget(owner), owner_(owner) { setAutoFillBackground(true); }

    static constexpr int height = 20;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Gdi::color(Gdi::sysColor(COLOR_MENUBAR)));
        p.setPen(Gdi::color(Gdi::sysColor(COLOR_MENUTEXT)));
        for (const auto& [r, text, _] : items()) p.drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic, text);
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        for (const auto& [r, text, position] : items())
            if (r.contains(e->position().toPoint())) {
                const HWND h = owner_->hwnd();
                const HMENU popup = GetSubMenu(GetMenu(h), position);
                const QPoint below = mapToGlobal(r.bottomLeft());
                if (popup) TrackPopupMenuEx(popup, TPM_VERTICAL, below.x(), below.y() + 1, h, nullptr);
                return;
            }
    }

private:
    std::vector<std::tuple<QRect, QString, int>> items() const
    {
        std::vector<std::tuple<QRect, QString, int>> all;
        QtSystem* sys = qtSystem();
        System::Window* record = sys ? sys->window(owner_->hwnd()) : nullptr;
        System::Menu* menu = record ? sys->menu(record->menu) : nullptr;
        if (!menu) return all;
        const QFontMetrics metrics(font());
        int x = 4;
        for (size_t i = 0; i < menu->items.size(); ++i) {
            const QString text = QString::fromLocal8Bit(menu->items[i].text.c_str());
            const int w = metrics.horizontalAdvance(QString(text).remove('&')) + 14;
            all.emplace_back(QRect(x, 0, w, height), text, int(i));
            x += w;
        }
        return all;
    }
    QtWindow* owner_;
};

} // namespace

QtSystem::QtSystem()
{
    install(this);
    qApp->installEventFilter(this);
}

QtSystem::~QtSystem()
{
    if (qApp) qApp->removeEventFilter(this);
    for (auto& [_, timer] : timers_) delete timer;
}

HWND QtSystem::registerWindow(QtWindow* w)
{
    Window record;
    record.proc = &QtSystem::defaultProc;
    record.className = "HalvexWindow";
    record.style = WS_OVERLAPPEDWINDOW;
    const QRect g = w->geometry();
    record.rect = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    record.client = RECT{0, 0, g.width(), g.height()};
    const HWND h = addWindow(std::move(record));
    widgets_[h] = w;
    return h;
}

void QtSystem::unregisterWindow(HWND hwnd)
{
    widgets_.erase(hwnd);
    if (auto menu = windowMenus_.find(hwnd); menu != windowMenus_.end()) {
        destroyMenu(menu->second);
        windowMenus_.erase(menu);
    }
    removeWindow(hwnd);
}

QtWindow* QtSystem::widget(HWND hwnd) const
{
    auto it = widgets_.find(hwnd);
    return it == widgets_.end() ? nullptr : it->second.data();
}

LRESULT QtSystem::deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        return send(hwnd, msg, wParam, lParam);
    } catch (const std::exception& e) {
        qWarning("window message %u failed: %s", msg, e.what());
    } catch (...) {
        qWarning("window message %u failed", msg);
    }
    return 0;
}

LRESULT QtSystem::defaultProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    QtSystem* sys = qtSystem();
    QtWindow* w = sys ? sys->widget(hwnd) : nullptr;
    if (!w) return 0;
    Window* record = sys->window(hwnd);
    switch (msg) {
    case WM_NCHITTEST: {
        const QPoint p(GET_X_LPARAM(lParam) - record->rect.left, GET_Y_LPARAM(lParam) - record->rect.top);
        const RECT& c = record->client;
        if (p.x() >= c.left && p.x() < c.right && p.y() >= c.top && p.y() < c.bottom) return HTCLIENT;
        if (p.x() < 0 || p.y() < 0 || p.x() >= record->rect.right - record->rect.left || p.y() >= record->rect.bottom - record->rect.top)
            return HTNOWHERE;
        return p.y() < c.top ? HTCAPTION : HTNOWHERE;
    }
    case WM_NCACTIVATE:
    case WM_SETCURSOR:
        if (msg == WM_SETCURSOR) {
            const LRESULT hit = LOWORD(lParam);
            Qt::CursorShape shape = Qt::ArrowCursor;
            if (hit == HTLEFT || hit == HTRIGHT) shape = Qt::SizeHorCursor;
            else if (hit == HTTOP || hit == HTBOTTOM) shape = Qt::SizeVerCursor;
            else if (hit == HTTOPLEFT || hit == HTBOTTOMRIGHT) shape = Qt::SizeFDiagCursor;
            else if (hit == HTTOPRIGHT || hit == HTBOTTOMLEFT) shape = Qt::SizeBDiagCursor;
            w->setCursor(shape);
        }
        return 1;
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lParam);
        record->text = text ? text : "";
        const QString title = QString::fromLocal8Bit(record->text.c_str());
        if (w->windowTitle() != title) w->setWindowTitle(title);
        return 1;
    }
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION) w->beginMove();
        else if (wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT)
            w->beginResize(LRESULT(wParam), QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        else if (wParam == HTSYSMENU) sys->trackWindowMenu(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: w->close(); break;
        case SC_MINIMIZE: w->showMinimized(); break;
        case SC_MAXIMIZE: w->showMaximized(); break;
        case SC_RESTORE: w->showNormal(); break;
        case SC_MOVE: w->beginMove(); break;
        case SC_SIZE: {
            const POINT p = sys->cursorPos();
            w->beginResize(HTBOTTOMRIGHT, QPoint(p.x, p.y));
            break;
        }
        default: break;
        }
        return 0;
    case WM_CLOSE:
        w->close();
        return 0;
    default:
        return 0;
    }
}

bool QtSystem::post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd && !window(hwnd)) return false;
    QMetaObject::invokeMethod(this, [this, hwnd, msg, wParam, lParam] {
        // WM_CANCELMODE ends the popup-menu loop of its window.
        if (msg == WM_CANCELMODE && menuLoop_ && menuLoop_->owner() == hwnd) menuLoop_->cancel();
        deliver(hwnd, msg, wParam, lParam);
    }, Qt::QueuedConnection);
    return true;
}

bool QtSystem::setWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags)
{
    if (!System::setWindowPos(hwnd, after, x, y, cx, cy, flags)) return false;
    if (QtWindow* w = widget(hwnd)) {
        w->syncGeometry();
        w->applyFrame();
    }
    return true;
}

void QtSystem::frameChanged(HWND hwnd)
{
    if (QtWindow* w = widget(hwnd)) w->applyFrame();
}

bool QtSystem::redrawWindow(HWND hwnd, UINT flags)
{
    if (!System::redrawWindow(hwnd, flags)) return false;
    if (QtWindow* w = widget(hwnd)) {
        if (flags & RDW_UPDATENOW) w->repaint();
        else w->update();
    }
    return true;
}

bool QtSystem::setForeground(HWND hwnd)
{
    if (!System::setForeground(hwnd)) return false;
    if (QtWindow* w = widget(hwnd)) {
        w->raise();
        w->activateWindow();
    }
    return true;
}

bool QtSystem::setMenu(HWND hwnd, HMENU menu)
{
    if (!System::setMenu(hwnd, menu)) return false;
    if (QtWindow* w = widget(hwnd)) w->applyFrame();
    return true;
}

void QtSystem::releaseCapture()
{
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

void QtSystem::surfaceChanged(HWND hwnd)
{
    if (QtWindow* w = widget(hwnd)) w->update();
}

UINT_PTR QtSystem::setTimer(UINT elapse, TIMERPROC proc)
{
    const UINT_PTR id = ++lastTimer_;
    auto* timer = new QTimer(this);
    timer->setInterval(int(elapse));
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    connect(timer, &QTimer::timeout, this, [proc, id, started] {
        try {
            proc(0, WM_TIMER, id, DWORD(started->elapsed()));
        } catch (...) {
            qWarning("timer %u failed", unsigned(id));
        }
    });
    timer->start();
    timers_[id] = timer;
    return id;
}

bool QtSystem::killTimer(UINT_PTR id)
{
    auto it = timers_.find(id);
    if (it == timers_.end()) return false;
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
    return true;
}

POINT QtSystem::cursorPos()
{
    if (haveCursor_) return cursor_;
    const QPoint p = QCursor::pos();
    return POINT{p.x(), p.y()};
}

void QtSystem::setCursorPos(POINT p)
{
    cursor_ = p;
    haveCursor_ = true;
    warp_ = QPoint(p.x, p.y);
    warping_ = true;
    QCursor::setPos(p.x, p.y);
}

short QtSystem::asyncKeyState(int vk)
{
    const Qt::MouseButtons buttons = buttons_ | QGuiApplication::mouseButtons();
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    bool down = false;
    switch (vk) {
    case VK_LBUTTON: down = buttons & Qt::LeftButton; break;
    case VK_RBUTTON: down = buttons & Qt::RightButton; break;
    case VK_CONTROL: down = mods & Qt::ControlModifier; break;
    case VK_SHIFT: down = mods & Qt::ShiftModifier; break;
    case VK_MENU: down = mods & Qt::AltModifier; break;
    default: break;
    }
    return down ? short(0x8000) : 0;
}

void QtSystem::mouseEvent(DWORD flags, LONG dx, LONG dy, DWORD)
{
    if (flags & MOUSEEVENTF_MOVE) {
        const POINT p = cursorPos();
        setCursorPos(POINT{p.x + dx, p.y + dy});
    }
}

void QtSystem::doEvents() { QCoreApplication::processEvents(); }

void QtSystem::sleep(DWORD ms) { QThread::msleep(ms); }

int QtSystem::systemMetric(int index)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && index == SM_CXSCREEN) return screen->geometry().width();
    if (screen && index == SM_CYSCREEN) return screen->geometry().height();
    return System::systemMetric(index);
}

LRESULT QtSystem::trackPopup(HMENU menu, UINT, int x, int y, HWND hwnd, const TPMPARAMS*)
{
    return trackMenu(menu, x, y, hwnd, false);
}

// The loop with the messages around it: the loop's start and the menu's
// initialisation before the first popup opens, the loop's end once the last
// has closed, and then the chosen item's command.
LRESULT QtSystem::trackMenu(HMENU menu, int x, int y, HWND hwnd, bool windowMenu)
{
    if (!this->menu(menu) || !window(hwnd) || menuLoop_) return 0;
    QtMenuLoop loop(*this, hwnd, windowMenu);
    menuLoop_ = &loop;
    deliver(hwnd, WM_ENTERMENULOOP, windowMenu ? 0 : 1, 0);
    deliver(hwnd, WM_INITMENU, WPARAM(menu), 0);
    bool chosen = false;
    try {
        chosen = loop.run(menu, x, y);
    } catch (...) {
        menuLoop_ = nullptr;
        throw;
    }
    menuLoop_ = nullptr;
    deliver(hwnd, WM_EXITMENULOOP, windowMenu ? 0 : 1, 0);
    if (chosen) {
        if (windowMenu) deliver(hwnd, WM_SYSCOMMAND, loop.command(), MAKELPARAM(x, y));
        else deliver(hwnd, WM_COMMAND, MAKEWPARAM(int(loop.command()), 0), 0);
    }
    return 1;
}

HMENU QtSystem::windowMenu(HWND hwnd)
{
    if (auto found = windowMenus_.find(hwnd); found != windowMenus_.end()) return found->second;
    const HMENU menu = createMenu();
    AppendMenuA(menu, MF_STRING, SC_RESTORE, "还原(&R)");
    AppendMenuA(menu, MF_STRING, SC_MOVE, "移动(&M)");
    AppendMenuA(menu, MF_STRING, SC_SIZE, "大小(&S)");
    AppendMenuA(menu, MF_STRING, SC_MINIMIZE, "最小化(&N)");
    AppendMenuA(menu, MF_STRING, SC_MAXIMIZE, "最大化(&X)");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, SC_CLOSE, "关闭(&C)\tAlt+F4");
    windowMenus_[hwnd] = menu;
    return menu;
}

void QtSystem::trackWindowMenu(HWND hwnd)
{
    Window* record = window(hwnd);
    if (!record) return;
    const HMENU menu = windowMenu(hwnd);
    const LONG style = record->style;
    const bool maximised = style & WS_MAXIMIZE, minimised = style & WS_MINIMIZE;
    const std::pair<UINT, bool> allowed[] = {
        {SC_RESTORE, maximised || minimised},
        {SC_MOVE, !maximised},
        {SC_SIZE, !maximised && !minimised && (style & WS_THICKFRAME)},
        {SC_MINIMIZE, !minimised && (style & WS_MINIMIZEBOX)},
        {SC_MAXIMIZE, !maximised && (style & WS_MAXIMIZEBOX)},
    };
    for (const auto& [command, on] : allowed)
        if (MenuItem* item = menuItem(menu, command, false)) item->state = on ? 0 : MFS_GRAYED;
    // It opens under the icon, at the client area's top left corner.
    trackMenu(menu, record->rect.left + record->client.left, record->rect.top + record->client.top, hwnd, true);
}

int QtSystem::virtualKey(int key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    default: return 0;
    }
}

bool QtSystem::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint g = e->globalPosition().toPoint();
        // The move that echoes our own warp may arrive after newer moves: it is not news.
        if (event->type() == QEvent::MouseMove && warping_ && g == warp_) {
            warping_ = false;
            break;
        }
        cursor_ = POINT{g.x(), g.y()};
        haveCursor_ = true;
        // Buttons follow presses and releases only: a warped cursor's move
        // event does not know them.
        if (event->type() != QEvent::MouseMove) buttons_ = e->buttons();
        break;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // A key reaches its window once before the widgets pass it up among
        // themselves: the hooks see it there, once.
        if (!watched->isWindowType()) break;
        auto* e = static_cast<QKeyEvent*>(event);
        const int vk = virtualKey(e->key());
        if (!vk || hookCount(WH_KEYBOARD) == 0) break;
        LPARAM lParam = 1;
        if (e->modifiers() & Qt::AltModifier) lParam |= LPARAM(1) << 29;
        if (event->type() == QEvent::KeyRelease) lParam |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
        else if (e->isAutoRepeat()) lParam |= LPARAM(1) << 30;
        try {
            return callHooks(WH_KEYBOARD, HC_ACTION, vk, uint32_t(lParam)) != 0;
        } catch (...) {
            qWarning("keyboard hook failed");
        }
        break;
    }
    case QEvent::ApplicationStateChange:
        if (watched == qApp) {
            const bool active = QGuiApplication::applicationState() == Qt::ApplicationActive;
            for (const auto& [h, w] : widgets_) deliver(h, WM_ACTIVATEAPP, active ? 1 : 0, 0);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// ---- QtWindow ----

QtWindow::QtWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setMouseTracking(true);
    client_ = new ClientArea(this);
    client_->setGeometry(rect());
    strip_ = new MenuStrip(this);
    strip_->hide();
    hwnd_ = system().registerWindow(this);
}

QtWindow::~QtWindow()
{
    if (QtSystem* sys = qtSystem(); sys && sys->widget(hwnd_) == this) {
        sys->deliver(hwnd_, WM_DESTROY, 0, 0);
        sys->deliver(hwnd_, WM_NCDESTROY, 0, 0);
        sys->unregisterWindow(hwnd_);
    }
}

QtSystem& QtWindow::system() const
{
    QtSystem* sys = qtSystem();
    if (!sys) throw std::logic_error("the Qt window system is not installed");
    return *sys;
}

void QtWindow::recordGeometry()
{
    System::Window* record = system().window(hwnd_);
    if (!record) return;
    const QRect g = geometry();
    const QPoint topLeft = isWindow() ? g.topLeft() : mapToGlobal(QPoint(0, 0));
    record->rect = RECT{topLeft.x(), topLeft.y(), topLeft.x() + g.width(), topLeft.y() + g.height()};
}

void QtWindow::recordState()
{
    System::Window* record = system().window(hwnd_);
    if (!record) return;
    const Qt::WindowStates state = windowState();
    LONG style = record->style & ~(WS_MAXIMIZE | WS_MINIMIZE | WS_VISIBLE);
    if (state & Qt::WindowMinimized) style |= WS_MINIMIZE;
    else if (state & Qt::WindowMaximized) style |= WS_MAXIMIZE;
    if (isVisible()) style |= WS_VISIBLE;
    record->style = style;
}

void QtWindow::syncGeometry()
{
    System::Window* record = system().window(hwnd_);
    if (!record) return;
    const QRect target(record->rect.left, record->rect.top, record->rect.right - record->rect.left, record->rect.bottom - record->rect.top);
    if (geometry() == target) return;
    syncing_ = true;
    setGeometry(target);
    syncing_ = false;
}

void QtWindow::applyFrame()
{
    System::Window* record = system().window(hwnd_);
    if (!record) return;
    const RECT& c = record->client;
    const int width = record->rect.right - record->rect.left, height = record->rect.bottom - record->rect.top;
    const bool custom = c.left != 0 || c.top != 0 || c.right != width || c.bottom != height;
    if (custom != custom_) {
        custom_ = custom;
        const bool shown = isVisible();
        syncing_ = true;
        setWindowFlag(Qt::FramelessWindowHint, custom);
        if (shown) show();
        syncing_ = false;
    }
    // Under the system frame the window's own menu takes the top of the client area.
    const bool strip = !custom && record->menu != 0;
    const int top = strip ? MenuStrip::height : 0;
    strip_->setVisible(strip);
    if (strip) strip_->setGeometry(c.left, c.top, std::max(0, int(c.right - c.left)), MenuStrip::height);
    client_->setGeometry(c.left, c.top + top, std::max(0, int(c.right - c.left)), std::max(0, int(c.bottom - c.top) - top));
    update();
}

void QtWindow::beginMove()
{
    if (windowHandle() && windowHandle()->startSystemMove()) return;
    // Without a system move the window follows the mouse until the release.
    moving_ = true;
    moveAnchor_ = QCursor::pos() - pos();
    if (QtSystem* sys = qtSystem()) {
        const POINT p = sys->cursorPos();
        moveAnchor_ = QPoint(p.x, p.y) - pos();
    }
}

void QtWindow::beginResize(LRESULT hit, QPoint from)
{
    Qt::Edges edges;
    if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT) edges |= Qt::LeftEdge;
    if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT) edges |= Qt::RightEdge;
    if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT) edges |= Qt::TopEdge;
    if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT) edges |= Qt::BottomEdge;
    if (!edges) return;
    if (windowHandle() && windowHandle()->startSystemResize(edges)) return;
    // Without a system resize the dragged edges follow the mouse until the release.
    sizing_ = edges;
    sizeAnchor_ = from;
    sizeStart_ = geometry();
}

// The frame and a strip of client area stay: a window is never dragged smaller.
QSize QtWindow::smallestSize() const
{
    const System::Window* record = system().window(hwnd_);
    if (!record) return QSize(120, 40);
    const RECT& c = record->client;
    const int frameWidth = int((record->rect.right - record->rect.left) - (c.right - c.left));
    const int frameHeight = int((record->rect.bottom - record->rect.top) - (c.bottom - c.top));
    return QSize(std::max(120, frameWidth + 1), std::max(40, frameHeight + 1));
}

void QtWindow::followResize(QPoint cursor)
{
    const QPoint d = cursor - sizeAnchor_;
    const QSize least = smallestSize();
    QRect r = sizeStart_;
    if (sizing_ & Qt::LeftEdge) r.setLeft(std::min(r.left() + d.x(), r.right() + 1 - least.width()));
    if (sizing_ & Qt::RightEdge) r.setRight(std::max(r.right() + d.x(), r.left() - 1 + least.width()));
    if (sizing_ & Qt::TopEdge) r.setTop(std::min(r.top() + d.y(), r.bottom() + 1 - least.height()));
    if (sizing_ & Qt::BottomEdge) r.setBottom(std::max(r.bottom() + d.y(), r.top() - 1 + least.height()));
    setGeometry(r);
}

void QtWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (System::Window* record = system().window(hwnd_); record && !record->surface.isNull())
        p.drawImage(0, 0, record->surface);
}

void QtWindow::resizeEvent(QResizeEvent*)
{
    if (syncing_) {
        applyFrame();
        return;
    }
    QtSystem& sys = system();
    recordGeometry();
    recordState();
    System::Window* record = sys.window(hwnd_);
    if (!record) return;
    // The size changed from outside: recompute the frame as a SetWindowPos would.
    sys.System::setWindowPos(hwnd_, 0, 0, 0, width(), height(), SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    applyFrame();
    record = sys.window(hwnd_);
    if (!record) return;
    const WPARAM kind = isMaximized() ? SIZE_MAXIMIZED : isMinimized() ? SIZE_MINIMIZED : SIZE_RESTORED;
    sys.deliver(hwnd_, WM_SIZE, kind, MAKELPARAM(int(record->client.right - record->client.left), int(record->client.bottom - record->client.top)));
}

void QtWindow::moveEvent(QMoveEvent*)
{
    if (!syncing_) recordGeometry();
}

void QtWindow::changeEvent(QEvent* event)
{
    QtSystem* sys = qtSystem();
    System::Window* record = sys ? sys->window(hwnd_) : nullptr;
    if (record) {
        switch (event->type()) {
        case QEvent::ActivationChange: {
            const bool active = isActiveWindow();
            if (active) sys->System::setForeground(hwnd_);
            sys->deliver(hwnd_, WM_NCACTIVATE, active ? 1 : 0, 0);
            sys->deliver(hwnd_, WM_ACTIVATE, active ? 1 : 0, 0);
            break;
        }
        case QEvent::WindowTitleChange: {
            const std::string text = windowTitle().toLocal8Bit().toStdString();
            if (record->text != text) {
                record->text = text;
                sys->deliver(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(record->text.c_str()));
            }
            break;
        }
        case QEvent::WindowStateChange:
            // The frame shows the state (a maximised caption offers restore).
            recordState();
            if (custom_) sys->deliver(hwnd_, WM_NCPAINT, 1, 0);
            break;
        default:
            break;
        }
    }
    QWidget::changeEvent(event);
}

void QtWindow::showEvent(QShowEvent*)
{
    if (system().window(hwnd_)) {
        recordState();
        if (custom_) system().deliver(hwnd_, WM_NCPAINT, 1, 0);
    }
}

void QtWindow::hideEvent(QHideEvent*)
{
    if (syncing_) return;
    recordState();
}

LRESULT QtWindow::hitTest(QPointF global) { return system().deliver(hwnd_, WM_NCHITTEST, 0, screenPoint(global)); }

void QtWindow::mouseMoveEvent(QMouseEvent* e)
{
    if (sizing_) {
        followResize(e->globalPosition().toPoint());
        return;
    }
    if (moving_) {
        if (QtSystem* sys = qtSystem()) {
            const POINT p = sys->cursorPos();
            move(QPoint(p.x, p.y) - moveAnchor_);
        }
        return;
    }
    if (!custom_) return;
    const LRESULT hit = hitTest(e->globalPosition());
    system().deliver(hwnd_, WM_SETCURSOR, hwnd_, MAKELPARAM(int(hit), int(WM_MOUSEMOVE)));
    if (hit == HTCLIENT) system().deliver(hwnd_, WM_MOUSEMOVE, keyFlags(e->buttons()), clientPoint(e->globalPosition()));
    else system().deliver(hwnd_, WM_NCMOUSEMOVE, hit, screenPoint(e->globalPosition()));
}

void QtWindow::mousePressEvent(QMouseEvent* e)
{
    if (!custom_ || e->button() != Qt::LeftButton) return;
    const LRESULT hit = hitTest(e->globalPosition());
    system().deliver(hwnd_, WM_SETCURSOR, hwnd_, MAKELPARAM(int(hit), int(WM_LBUTTONDOWN)));
    // A frame point the window calls client gets the client press, as a menu bar in the frame needs.
    if (hit == HTCLIENT) system().deliver(hwnd_, WM_LBUTTONDOWN, keyFlags(e->buttons()), clientPoint(e->globalPosition()));
    else system().deliver(hwnd_, WM_NCLBUTTONDOWN, hit, screenPoint(e->globalPosition()));
}

void QtWindow::mouseReleaseEvent(QMouseEvent* e)
{
    if (sizing_) {
        followResize(e->globalPosition().toPoint());
        sizing_ = {};
        return;
    }
    if (moving_) {
        moving_ = false;
        return;
    }
    if (!custom_ || e->button() != Qt::LeftButton) return;
    const LRESULT hit = hitTest(e->globalPosition());
    if (hit == HTCLIENT) system().deliver(hwnd_, WM_LBUTTONUP, keyFlags(e->buttons()), clientPoint(e->globalPosition()));
    else system().deliver(hwnd_, WM_NCLBUTTONUP, hit, screenPoint(e->globalPosition()));
}

LPARAM QtWindow::clientPoint(QPointF global)
{
    POINT p{int(global.x()), int(global.y())};
    ScreenToClient(hwnd_, &p);
    return MAKELPARAM(p.x, p.y);
}

void QtWindow::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (!custom_ || e->button() != Qt::LeftButton) return;
    system().deliver(hwnd_, WM_NCLBUTTONDBLCLK, hitTest(e->globalPosition()), screenPoint(e->globalPosition()));
}

} // namespace winsys
