#include "platform/db/busyhandler.h"
#include "platform/db/busywait.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <thread>

namespace db::busywait {

namespace {

constexpr int kTimeoutMs = 8000;
std::atomic<int> timeout{kTimeoutMs};

// The observer and the one thread it watches; set at the program's start.
Observer observer;
std::thread::id observedThread;

struct ThreadWaits {
    int waited = 0;     // this action's waits (this lock attempt's on an unobserved thread)
    int limit = -1;     // a Limit in force: what it allows in all
    int inLimit = 0;    // what was waited under it
};
thread_local ThreadWaits waits;

// Short sleeps first: another workstation's save takes a few milliseconds.
constexpr int kSleepsMs[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};

int onBusy(void*, int attempt)
{
    const bool observed = observer && std::this_thread::get_id() == observedThread;
    if (!observed && attempt == 0) waits.waited = 0;
    int remaining = timeout.load() - waits.waited;
    if (waits.limit >= 0) remaining = std::min(remaining, waits.limit - waits.inLimit);
    if (remaining <= 0) return 0;
    if (observed) observer(waits.waited);
    const int sleep = std::min(kSleepsMs[std::min<std::size_t>(attempt, std::size(kSleepsMs) - 1)], remaining);
    sqlite3_sleep(sleep);
    waits.waited += sleep;
    waits.inLimit += sleep;
    return 1;
}

} // namespace

int timeoutMs()
{
    return timeout.load();
}

void setTimeoutMsForTests(int ms)
{
    timeout = ms > 0 ? ms : kTimeoutMs;
}

void install(sqlite3* handle)
{
    sqlite3_busy_handler(handle, onBusy, nullptr);
}

void setObserver(Observer newObserver)
{
    observer = std::move(newObserver);
    observedThread = std::this_thread::get_id();
    waits.waited = 0;
}

void endAction()
{
    waits.waited = 0;
}

Limit::Limit(int ms) : outerLimit_(waits.limit), outerWaited_(waits.inLimit)
{
    waits.limit = outerLimit_ >= 0 ? std::min(ms, outerLimit_ - outerWaited_) : ms;
    waits.inLimit = 0;
}

Limit::~Limit()
{
    waits.limit = outerLimit_;
    waits.inLimit = outerWaited_ + waits.inLimit;
}

} // namespace db::busywait
