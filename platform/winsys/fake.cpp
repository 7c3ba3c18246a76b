#include "platform/winsys/fake.h"

#include "platform/winsys/api.h"

#include <cctype>

namespace winsys {

namespace {

FakeSystem& fake() { return static_cast<FakeSystem&>(current()); }

LRESULT fakeBaseProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    FakeSystem& f = fake();
    f.received.push_back({hwnd, msg, wParam, lParam});
    auto it = f.answers.find(msg);
    return it == f.answers.end() ? 0 : it->second;
}

} // namespace

FakeSystem::FakeSystem() { install(this); }

FakeSystem::~FakeSystem() = default;

WNDPROC FakeSystem::baseProc() { return &fakeBaseProc; }

HWND FakeSystem::createWindow(const WindowOptions& options)
{
    Window w;
    w.proc = &fakeBaseProc;
    w.rect = options.rect;
    w.client = RECT{0, 0, options.rect.right - options.rect.left, options.rect.bottom - options.rect.top};
    w.style = options.zoomed ? (options.style | WS_MAXIMIZE) & ~WS_MINIMIZE : options.style;
    w.parent = options.parent;
    w.className = options.className;
    w.text = options.text;
    w.processId = options.processId;
    w.menu = options.menu;
    return addWindow(std::move(w), options.handle);
}

void FakeSystem::destroyWindow(HWND hwnd)
{
    send(hwnd, WM_DESTROY, 0, 0);
    removeWindow(hwnd);
}

int FakeSystem::receivedCount(UINT msg, HWND hwnd) const
{
    int n = 0;
    for (const Message& m : received) n += m.msg == msg && (!hwnd || m.hwnd == hwnd);
    return n;
}

LRESULT FakeSystem::send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    sent.push_back({hwnd, msg, wParam, lParam});
    return System::send(hwnd, msg, wParam, lParam);
}

bool FakeSystem::post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd && !window(hwnd)) return false;
    posted.push_back({hwnd, msg, wParam, lParam});
    return true;
}

void FakeSystem::deliverPosted()
{
    std::vector<Message> queue;
    queue.swap(posted);
    for (const Message& m : queue) System::send(m.hwnd, m.msg, m.wParam, m.lParam);
}

void FakeSystem::setVisible(HWND hwnd, bool visible)
{
    if (Window* w = window(hwnd)) w->style = visible ? (w->style | WS_VISIBLE) : (w->style & ~WS_VISIBLE);
}

void FakeSystem::setZoomed(HWND hwnd, bool zoomed)
{
    if (Window* w = window(hwnd)) w->style = zoomed ? (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE : w->style & ~WS_MAXIMIZE;
}

void FakeSystem::setStyle(HWND hwnd, LONG style)
{
    if (Window* w = window(hwnd)) w->style = style;
}

LONG_PTR FakeSystem::setWindowLong(HWND hwnd, int index, LONG_PTR value)
{
    if (failSetWindowLong) return 0;
    return System::setWindowLong(hwnd, index, value);
}

UINT_PTR FakeSystem::setTimer(UINT elapse, TIMERPROC proc)
{
    if (failSetTimer) return 0;
    const UINT_PTR id = ++lastTimer_;
    timers[id] = elapse;
    timerProcs_[id] = proc;
    return id;
}

bool FakeSystem::killTimer(UINT_PTR id)
{
    timerProcs_.erase(id);
    return timers.erase(id) > 0;
}

void FakeSystem::fireTimer(UINT_PTR id)
{
    auto it = timerProcs_.find(id);
    if (it != timerProcs_.end()) it->second(0, WM_TIMER, id, 0);
}

bool FakeSystem::feedKey(WPARAM vk, LPARAM lParam) { return callHooks(WH_KEYBOARD, HC_ACTION, vk, lParam) != 0; }

short FakeSystem::asyncKeyState(int vk)
{
    auto it = keys.find(vk);
    return it == keys.end() ? 0 : it->second;
}

void FakeSystem::mouseEvent(DWORD flags, LONG dx, LONG dy, DWORD)
{
    mouseEvents.push_back({flags, dx, dy});
    if (flags & MOUSEEVENTF_MOVE) {
        cursor.x += dx;
        cursor.y += dy;
    }
}

void FakeSystem::doEvents()
{
    ++doEventsCount;
    if (onDoEvents) onDoEvents();
}

int FakeSystem::systemMetric(int index)
{
    auto it = metrics.find(index);
    return it == metrics.end() ? System::systemMetric(index) : it->second;
}

COLORREF FakeSystem::pixel(HWND hwnd, int x, int y)
{
    QImage* image = surfaceOf(hwnd);
    if (!image || !image->rect().contains(x, y)) return COLORREF(-1);
    return Gdi::colorref(image->pixelColor(x, y));
}

QImage FakeSystem::surface(HWND hwnd)
{
    QImage* image = surfaceOf(hwnd);
    return image ? *image : QImage();
}

} // namespace winsys

namespace winsys {

bool FakeSystem::menuFiltered(HWND hwnd, UINT msg, WPARAM wParam, POINT pt)
{
    MSG m;
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = MAKELPARAM(pt.x, pt.y);
    m.pt = pt;
    return callHooks(WH_MSGFILTER, MSGF_MENU, 0, reinterpret_cast<LPARAM>(&m)) != 0;
}

bool FakeSystem::cancelPosted(HWND hwnd)
{
    for (auto it = posted.begin(); it != posted.end(); ++it)
        if (it->hwnd == hwnd && it->msg == WM_CANCELMODE) {
            posted.erase(it);
            return true;
        }
    return false;
}

void FakeSystem::openPopup(HWND hwnd, HMENU popup, int position)
{
    send(hwnd, WM_INITMENUPOPUP, WPARAM(popup), MAKELPARAM(position, 0));
    paintPopup(hwnd, popup);
}

void FakeSystem::paintPopup(HWND hwnd, HMENU popup)
{
    Menu* m = menu(popup);
    if (!m) return;
    // Owner-drawn items are measured, then drawn one below the other.
    std::vector<RECT> rects;
    int width = 1, height = 0;
    for (const MenuItem& item : m->items) {
        int w = 100, h = 18;
        if (item.type & MFT_OWNERDRAW) {
            MEASUREITEMSTRUCT mis;
            mis.CtlType = ODT_MENU;
            mis.itemID = item.id;
            mis.itemData = item.data;
            send(hwnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
            w = int(mis.itemWidth);
            h = int(mis.itemHeight);
        }
        rects.push_back(RECT{0, height, 0, height + h});
        width = std::max(width, w);
        height += h;
    }
    const HDC dc = gdi().createCompatibleDC(0);
    const HBITMAP bitmap = gdi().createBitmap(width, std::max(1, height));
    const HGDIOBJ old = gdi().selectObject(dc, bitmap);
    m = menu(popup);
    for (size_t i = 0; m && i < m->items.size(); ++i) {
        const MenuItem item = m->items[i];
        if (!(item.type & MFT_OWNERDRAW)) continue;
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_MENU;
        dis.itemID = item.id;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (item.state & MFS_HILITE ? ODS_SELECTED : 0) | (item.state & MFS_GRAYED ? ODS_GRAYED : 0)
            | (item.state & MFS_CHECKED ? ODS_CHECKED : 0);
        dis.hwndItem = popup;
        dis.hDC = dc;
        dis.rcItem = RECT{0, rects[i].top, width, rects[i].bottom};
        dis.itemData = item.data;
        send(hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        m = menu(popup);
    }
    if (const QImage* image = gdi().bitmapImage(bitmap)) popupImages[popup] = *image;
    gdi().selectObject(dc, old);
    gdi().deleteObject(bitmap);
    gdi().deleteDC(dc);
}

void FakeSystem::selectItem(HWND hwnd, HMENU popup, int position)
{
    Menu* m = menu(popup);
    if (!m || position < 0 || position >= int(m->items.size())) return;
    for (MenuItem& item : m->items) item.state &= ~MFS_HILITE;
    MenuItem& item = m->items[size_t(position)];
    item.state |= MFS_HILITE;
    const UINT flags = MF_HILITE | (item.sub ? MF_POPUP : 0) | (item.type & MFT_OWNERDRAW ? MF_OWNERDRAW : 0);
    send(hwnd, WM_MENUSELECT, MAKEWPARAM(item.sub ? position : int(item.id), int(flags)), LPARAM(popup));
    paintPopup(hwnd, popup);
}

LRESULT FakeSystem::trackPopup(HMENU popup, UINT flags, int x, int y, HWND hwnd, const TPMPARAMS* params)
{
    if (!menu(popup) || !window(hwnd)) return 0;
    trackCalls.push_back(TrackCall{popup, flags, x, y, hwnd, params ? params->rcExclude : RECT{}});
    std::vector<std::pair<HMENU, int>> open{{popup, -1}};   // innermost last, with its selection
    openPopup(hwnd, popup, 0);
    UINT chosen = 0;
    bool choice = false;

    auto selected = [&](int step) {
        auto& [m, pos] = open.back();
        const int n = GetMenuItemCount(m);
        for (int i = 1; i <= n; ++i) {
            const int candidate = ((pos < 0 ? (step > 0 ? -1 : 0) : pos) + step * i + n * 2) % n;
            if (!(menu(m)->items[size_t(candidate)].type & MFT_SEPARATOR)) {
                pos = candidate;
                selectItem(hwnd, m, pos);
                return;
            }
        }
    };
    // Choosing opens a submenu or ends the loop with the item's command.
    auto choose = [&](int position) {
        auto& [m, pos] = open.back();
        MenuItem* item = menuItem(m, UINT(position), true);
        if (!item) return false;
        pos = position;
        if (item->sub) {
            const HMENU sub = item->sub;
            selectItem(hwnd, m, position);
            open.emplace_back(sub, -1);
            openPopup(hwnd, sub, position);
            return false;
        }
        if (item->state & MFS_GRAYED) return false;
        chosen = item->id;
        choice = true;
        return true;
    };

    bool done = false;
    while (!done && !cancelPosted(hwnd) && !menuScript.empty()) {
        MenuStep step = menuScript.front();
        menuScript.pop_front();
        if (step.before) step.before();
        switch (step.kind) {
        case MenuStep::Key:
            if (menuFiltered(hwnd, WM_KEYDOWN, WPARAM(step.value), cursor)) break;
            if (step.value == VK_ESCAPE || step.value == VK_LEFT) {
                if (open.size() > 1) open.pop_back();
                else done = step.value == VK_ESCAPE;
            } else if (step.value == VK_DOWN || step.value == VK_UP) {
                selected(step.value == VK_DOWN ? 1 : -1);
            } else if (step.value == VK_RIGHT) {
                const auto& [m, pos] = open.back();
                MenuItem* item = pos >= 0 ? menuItem(m, UINT(pos), true) : nullptr;
                if (item && item->sub) choose(pos);
            } else if (step.value == VK_RETURN && open.back().second >= 0) {
                done = choose(open.back().second);
            }
            break;
        case MenuStep::Char: {
            if (menuFiltered(hwnd, WM_CHAR, WPARAM(step.value), cursor)) break;
            const HMENU m = open.back().first;
            const std::string accel = std::string("&") + char(std::toupper(step.value));
            int match = -1;
            for (size_t i = 0; i < menu(m)->items.size() && match < 0; ++i) {
                std::string text = menu(m)->items[i].text;
                for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
                if (text.find(accel) != std::string::npos) match = int(i);
            }
            if (match < 0) {
                const LRESULT answer = send(hwnd, WM_MENUCHAR, MAKEWPARAM(step.value, MF_POPUP), LPARAM(m));
                if (HIWORD(answer) == MNC_EXECUTE) match = LOWORD(answer);
                else if (HIWORD(answer) == MNC_SELECT) selectItem(hwnd, m, LOWORD(answer));
                else if (HIWORD(answer) == MNC_CLOSE) done = true;
            }
            if (match >= 0) done = choose(match);
            break;
        }
        case MenuStep::Move:
            cursor = step.pt;
            menuFiltered(hwnd, WM_MOUSEMOVE, 0, step.pt);
            break;
        case MenuStep::Click:
            cursor = step.pt;
            done = !menuFiltered(hwnd, WM_LBUTTONDOWN, 1, step.pt);
            break;
        case MenuStep::Select:
            open.back().second = step.value;
            selectItem(hwnd, open.back().first, step.value);
            break;
        case MenuStep::Choose:
            done = choose(step.value);
            break;
        }
    }
    for (const auto& [m, _] : open)
        if (Menu* shown = menu(m))
            for (MenuItem& item : shown->items) item.state &= ~MFS_HILITE;
    if (choice) send(hwnd, WM_COMMAND, MAKEWPARAM(int(chosen), 0), 0);
    return 1;
}

} // namespace winsys
