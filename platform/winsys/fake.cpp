#include "platform/winsys/fake.h"

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
    w.style = options.style;
    w.parent = options.parent;
    w.className = options.className;
    w.text = options.text;
    w.processId = options.processId;
    w.zoomed = options.zoomed;
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
    if (Window* w = window(hwnd)) w->zoomed = zoomed;
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
