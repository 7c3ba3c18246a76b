#pragma once
// A timed wait that keeps the program's events flowing, so that telephony
// callbacks and other events are handled while the caller waits. One wait
// per object at a time; OnTimer is raised once at the end of each wait,
// whether it ran out or was cancelled.
#include <cstdint>
#include <functional>
#include <memory>

namespace callerid {

class CWaitNDispatch {
public:
    CWaitNDispatch();
    ~CWaitNDispatch();
    CWaitNDispatch(const CWaitNDispatch&) = delete;
    CWaitNDispatch& operator=(const CWaitNDispatch&) = delete;

    bool IsWaiting() const { return isWaiting_; }
    // Waits for the time while processing events; 0 returns at once without
    // OnTimer. A second Wait of the same object during a running one throws
    // AutomationError 0x800403E9.
    void Wait(std::int32_t waitMilliseconds);
    // Ends a running wait at its next check; nothing when none runs.
    void Cancel();

    std::function<void()> onTimer;

    static constexpr std::int32_t kNotReentrant = static_cast<std::int32_t>(0x800403E9);

private:
    struct Event;   // the wait's manual-reset event

    void PumpUntilDue();

    bool isWaiting_ = false;
    std::int64_t timeStamp_ = 0;   // 100-nanosecond units
    std::int64_t dueTime_ = 0;
    std::unique_ptr<Event> event_;
};

} // namespace callerid
