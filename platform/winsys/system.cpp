#include "platform/winsys/system.h"

#include <QCoreApplication>
#include <QPainter>
#include <stdexcept>

namespace winsys {

namespace {
System* currentSystem = nullptr;
}

System& current()
{
    if (!currentSystem) throw std::logic_error("no window system installed");
    return *currentSystem;
}

bool installed() { return currentSystem != nullptr; }

void install(System* system) { currentSystem = system; }

System::System()
{
    gdi_ = std::make_unique<Gdi>([this] { return newHandle(); });
    gdi_->windowSurface = [this](HWND hwnd) { return surfaceOf(hwnd); };
    gdi_->surfaceChanged = [this](HWND hwnd) { surfaceChanged(hwnd); };
}

System::~System()
{
    if (currentSystem == this) currentSystem = nullptr;
}

HWND System::addWindow(Window window, HWND forced)
{
    const HWND h = forced ? forced : newHandle();
    windows_[h] = std::move(window);
    return h;
}

void System::removeWindow(HWND hwnd)
{
    windows_.erase(hwnd);
    if (foreground_ == hwnd) foreground_ = 0;
}

System::Window* System::window(HWND hwnd)
{
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : &it->second;
}

std::vector<HWND> System::windows() const
{
    std::vector<HWND> all;
    for (const auto& [h, _] : windows_) all.push_back(h);
    return all;
}

DWORD System::processId() const { return DWORD(QCoreApplication::applicationPid()); }

LRESULT System::send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = window(hwnd);
    if (!w || !w->proc) return 0;
    return w->proc(hwnd, msg, wParam, lParam);
}

LONG_PTR System::setWindowLong(HWND hwnd, int index, LONG_PTR value)
{
    Window* w = window(hwnd);
    if (!w) return 0;
    LONG_PTR old = 0;
    switch (index) {
    case GWL_WNDPROC:
        old = reinterpret_cast<LONG_PTR>(w->proc);
        w->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWL_STYLE:
        old = w->style;
        w->style = LONG(value);
        break;
    case GWL_EXSTYLE:
        old = w->exStyle;
        w->exStyle = LONG(value);
        break;
    default:
        return 0;
    }
    return old;
}

bool System::setWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags)
{
    Window* w = window(hwnd);
    if (!w) return false;
    const int width = (flags & SWP_NOSIZE) ? w->rect.right - w->rect.left : cx;
    const int height = (flags & SWP_NOSIZE) ? w->rect.bottom - w->rect.top : cy;
    if (!(flags & SWP_NOMOVE)) {
        // A child's position is given in its parent's client coordinates.
        POINT origin{x, y};
        if (Window* parent = window(w->parent)) {
            origin.x += parent->rect.left + parent->client.left;
            origin.y += parent->rect.top + parent->client.top;
        }
        w->rect.left = origin.x;
        w->rect.top = origin.y;
    }
    const bool resized = width != w->rect.right - w->rect.left || height != w->rect.bottom - w->rect.top;
    w->rect.right = w->rect.left + width;
    w->rect.bottom = w->rect.top + height;
    if (resized || (flags & SWP_FRAMECHANGED)) {
        recalcFrame(hwnd);
        if (window(hwnd)) send(hwnd, WM_NCPAINT, 1, 0);
    }
    return true;
}

void System::recalcFrame(HWND hwnd)
{
    Window* w = window(hwnd);
    if (!w) return;
    WINDOWPOS pos;
    pos.hwnd = hwnd;
    pos.x = w->rect.left;
    pos.y = w->rect.top;
    pos.cx = w->rect.right - w->rect.left;
    pos.cy = w->rect.bottom - w->rect.top;
    NCCALCSIZE_PARAMS params;
    params.rgrc[0] = params.rgrc[1] = params.rgrc[2] = w->rect;
    params.lppos = &pos;
    send(hwnd, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&params));
    w = window(hwnd);
    if (!w) return;
    const RECT& c = params.rgrc[0];
    w->client = RECT{c.left - w->rect.left, c.top - w->rect.top, c.right - w->rect.left, c.bottom - w->rect.top};
}

QImage* System::surfaceOf(HWND hwnd)
{
    Window* w = window(hwnd);
    if (!w) return nullptr;
    const QSize size(w->rect.right - w->rect.left, w->rect.bottom - w->rect.top);
    if (w->surface.size() != size && size.width() > 0 && size.height() > 0) {
        QImage grown(size, QImage::Format_RGB32);
        grown.fill(Qt::white);
        QPainter(&grown).drawImage(0, 0, w->surface);
        w->surface = grown;
    }
    return &w->surface;
}

bool System::redrawWindow(HWND hwnd, UINT flags)
{
    if (!window(hwnd)) return false;
    if (flags & RDW_FRAME) send(hwnd, WM_NCPAINT, 1, 0);
    return true;
}

bool System::setForeground(HWND hwnd)
{
    if (!window(hwnd)) return false;
    foreground_ = hwnd;
    return true;
}

bool System::setMenu(HWND hwnd, HMENU menu)
{
    Window* w = window(hwnd);
    if (!w) return false;
    w->menu = menu;
    return true;
}

int System::systemMetric(int index)
{
    switch (index) {
    case SM_CXSCREEN: return 1024;
    case SM_CYSCREEN: return 768;
    case SM_CYCAPTION: return 19;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    default: return 0;
    }
}

HMENU System::createMenu()
{
    const HMENU h = newHandle();
    menus_[h] = Menu{};
    return h;
}

bool System::destroyMenu(HMENU h)
{
    auto it = menus_.find(h);
    if (it == menus_.end()) return false;
    const std::vector<MenuItem> items = it->second.items;
    menus_.erase(it);
    for (const MenuItem& item : items)
        if (item.sub) destroyMenu(item.sub);
    return true;
}

System::Menu* System::menu(HMENU h)
{
    auto it = menus_.find(h);
    return it == menus_.end() ? nullptr : &it->second;
}

System::MenuItem* System::menuItem(HMENU h, UINT item, bool byPosition, HMENU* owner)
{
    Menu* m = menu(h);
    if (!m) return nullptr;
    if (byPosition) {
        if (item >= m->items.size()) return nullptr;
        if (owner) *owner = h;
        return &m->items[item];
    }
    for (MenuItem& candidate : m->items)
        if (!candidate.sub && candidate.id == item) {
            if (owner) *owner = h;
            return &candidate;
        }
    // A command in a submenu comes first; else the popup item whose id (its
    // submenu handle) it is.
    for (MenuItem& candidate : m->items)
        if (candidate.sub) {
            if (MenuItem* found = menuItem(candidate.sub, item, false, owner)) return found;
            if (candidate.id == item) {
                if (owner) *owner = h;
                return &candidate;
            }
        }
    return nullptr;
}

HHOOK System::setHook(int kind, HOOKPROC proc, DWORD thread)
{
    if (!proc || (thread && thread != threadId())) return 0;
    const HHOOK h = newHandle();
    hooks_.insert(hooks_.begin(), Hook{h, kind, proc});
    return h;
}

bool System::unhook(HHOOK hook)
{
    for (auto it = hooks_.begin(); it != hooks_.end(); ++it)
        if (it->handle == hook) {
            hooks_.erase(it);
            return true;
        }
    return false;
}

LRESULT System::callNextHook(HHOOK hook, int code, WPARAM wParam, LPARAM lParam)
{
    int kind = 0;
    bool found = false;
    for (const Hook& h : hooks_) {
        if (found && h.kind == kind) return h.proc(code, wParam, lParam);
        if (h.handle == hook) {
            found = true;
            kind = h.kind;
        }
    }
    return 0;
}

LRESULT System::callHooks(int kind, int code, WPARAM wParam, LPARAM lParam)
{
    for (const Hook& h : hooks_)
        if (h.kind == kind) return h.proc(code, wParam, lParam);
    return 0;
}

int System::hookCount(int kind) const
{
    int n = 0;
    for (const Hook& h : hooks_) n += h.kind == kind;
    return n;
}

} // namespace winsys
