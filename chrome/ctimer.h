#pragma once
// A periodic event driven by a thread timer. While a timer runs, the module
// table holds a counted reference to it, so a timer its owner released keeps
// ticking until its interval is set to 0. A listener of ThatTime holds the
// connection; destroying the connection disconnects the listener.
#include "chrome/object.h"
#include "platform/winsys/types.h"

#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace chrome {

using namespace winsys;

class CTimer : public Object {
public:
    static std::shared_ptr<CTimer> create();
    ~CTimer() override;

    // Data the owner stores with the timer.
    QVariant Item() const { return item_; }
    void setItem(const QVariant& item) { item_ = item; }

    // Milliseconds between ticks; 0 or less stops the timer.
    LONG Interval() const { return interval_; }
    void setInterval(LONG value);

    // Raises ThatTime once.
    void PulseTimer();

    class Connection {
    public:
        Connection() = default;
        Connection(Connection&&) noexcept;
        Connection& operator=(Connection&&) noexcept;
        ~Connection();
        void disconnect();

    private:
        friend class CTimer;
        struct Listeners;
        std::weak_ptr<Listeners> listeners_;
        int id_ = 0;
    };
    [[nodiscard]] Connection onThatTime(std::function<void()> handler);

    // For the timer module.
    UINT_PTR TimerID() const { return timerId_; }
    void SetTimerID(UINT_PTR id) { timerId_ = id; }
    [[noreturn]] void RaiseTimerError(int n);

private:
    CTimer();
    LONG interval_ = 0;
    UINT_PTR timerId_ = 0;
    QVariant item_;
    std::shared_ptr<Connection::Listeners> listeners_;
};

namespace MTimer {

constexpr int SlotCount = 100;

bool AddTimer(CTimer& timer);
bool RemoveTimer(CTimer& timer);
void TimerProc(HWND, UINT, UINT_PTR idEvent, DWORD);
// The highest slot ever filled, and what a slot (1 to SlotCount) holds.
int HighWaterMark();
CTimer* Slot(int i);

} // namespace MTimer
} // namespace chrome
