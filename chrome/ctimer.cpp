#include "chrome/ctimer.h"

#include "chrome/errors.h"
#include "platform/winsys/api.h"
#include "platform/winsys/system.h"

#include <array>

namespace chrome {

struct CTimer::Connection::Listeners {
    int lastId = 0;
    std::vector<std::pair<int, std::function<void()>>> handlers;
};

CTimer::Connection::Connection(Connection&& other) noexcept
    : listeners_(std::move(other.listeners_)), id_(other.id_)
{
    other.id_ = 0;
}

CTimer::Connection& CTimer::Connection::operator=(Connection&& other) noexcept
{
    if (this != &other) {
        disconnect();
        listeners_ = std::move(other.listeners_);
        id_ = other.id_;
        other.id_ = 0;
    }
    return *this;
}

CTimer::Connection::~Connection() { disconnect(); }

void CTimer::Connection::disconnect()
{
    if (auto listeners = listeners_.lock()) {
        auto& list = listeners->handlers;
        for (auto it = list.begin(); it != list.end(); ++it)
            if (it->first == id_) {
                list.erase(it);
                break;
            }
    }
    listeners_.reset();
    id_ = 0;
}

CTimer::CTimer() : listeners_(std::make_shared<Connection::Listeners>()) {}

std::shared_ptr<CTimer> CTimer::create() { return std::shared_ptr<CTimer>(new CTimer()); }

CTimer::~CTimer()
{
    if (winsys::installed()) setInterval(0);
}

CTimer::Connection CTimer::onThatTime(std::function<void()> handler)
{
    Connection c;
    c.id_ = ++listeners_->lastId;
    c.listeners_ = listeners_;
    listeners_->handlers.emplace_back(c.id_, std::move(handler));
    return c;
}

void CTimer::PulseTimer()
{
    // A handler may disconnect others (or itself): each runs only while connected.
    const auto listeners = listeners_;
    std::vector<int> ids;
    for (const auto& [id, _] : listeners->handlers) ids.push_back(id);
    for (int id : ids) {
        std::function<void()> handler;
        for (const auto& [candidate, h] : listeners->handlers)
            if (candidate == id) handler = h;
        if (handler) handler();
    }
}

void CTimer::setInterval(LONG value)
{
    if (value > 0 && value != interval_) {
        if (interval_ != 0) MTimer::RemoveTimer(*this);
        interval_ = value;
        if (!MTimer::AddTimer(*this)) RaiseTimerError(errNoSystemTimer);
    } else if (value <= 0 && interval_ > 0) {
        interval_ = 0;
        MTimer::RemoveTimer(*this);
    }
}

void CTimer::RaiseTimerError(int n) { raiseChromeError(n); }

namespace MTimer {

namespace {

std::array<std::shared_ptr<CTimer>, SlotCount + 1>& timerSlots()
{
    static std::array<std::shared_ptr<CTimer>, SlotCount + 1> table;   // 1-based
    return table;
}

int16_t highWater = 0;

} // namespace

int HighWaterMark() { return highWater; }

CTimer* Slot(int i) { return i >= 1 && i <= SlotCount ? timerSlots()[size_t(i)].get() : nullptr; }

bool AddTimer(CTimer& timer)
{
    const UINT_PTR id = SetTimer(0, 0, UINT(timer.Interval()), &TimerProc);
    timer.SetTimerID(id);
    if (id == 0) {
        timer.setInterval(0);
        return false;
    }
    for (int i = 1; i <= SlotCount; ++i) {
        if (timerSlots()[size_t(i)]) continue;
        timerSlots()[size_t(i)] = mDeclares::ObjectFromPtr(&timer);
        if (i > highWater) highWater = int16_t(i);
        return true;
    }
    timer.RaiseTimerError(errTooManyTimers);
}

bool RemoveTimer(CTimer& timer)
{
    for (int i = 1; i <= highWater; ++i) {
        auto& slot = timerSlots()[size_t(i)];
        if (slot && slot->TimerID() == timer.TimerID()) {
            KillTimer(0, slot->TimerID());
            // The slot's reference may be the timer's last: release it after the slot is empty.
            std::shared_ptr<CTimer> released = std::move(slot);
            slot.reset();
            return true;
        }
    }
    return false;
}

void TimerProc(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    for (int i = 1; i <= highWater; ++i) {
        const auto& slot = timerSlots()[size_t(i)];
        if (slot && slot->TimerID() == idEvent) {
            // The tick holds the timer: a handler that stops it does not destroy it mid-call.
            const std::shared_ptr<CTimer> keep = slot;
            keep->PulseTimer();
            return;
        }
    }
}

} // namespace MTimer
} // namespace chrome
