#include "platform/db/busyhandler.h"
#include "platform/db/busywait.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <iterator>
#include <thread>

namespace db::busywait {

namespace {

constexpr int kTimeoutMs = 8000;
std::atomic<int> timeout{kTimeoutMs};

// The observer and the one thread it watches; set at the program's start.
Observer observer;
std::thread::id observedThread;

// What the thread has waited, in microseconds.
struct ThreadWaits {
    std::int64_t waited = 0;     // this action's waits (this lock attempt's on an unobserved thread)
    std::int64_t limit = -1;     // a Limit in force: what it allows in all
    std::int64_t inLimit = 0;    // what was waited under it
    std::int64_t inAttempt = 0;  // what the statement's current lock attempt waited
};
thread_local ThreadWaits waits;

// Dense polls first: another workstation's save holds the file for a few
// milliseconds, and one saving back to back leaves it free only for a moment
// between two saves, which polls some milliseconds apart would nearly always
// miss. After the first quarter second of a lock attempt the polls grow
// sparser.
constexpr std::int64_t kDenseUs = 250'000;
constexpr std::int64_t kDensePollUs = 250;
constexpr std::int64_t kSparsePollsUs[] = {5'000, 10'000, 25'000, 50'000, 100'000};

std::int64_t pollAfter(std::int64_t waitedUs)
{
    if (waitedUs < kDenseUs) return kDensePollUs;
    const auto step = static_cast<std::size_t>((waitedUs - kDenseUs) / 250'000);
    return kSparsePollsUs[std::min(step, std::size(kSparsePollsUs) - 1)];
}

int onBusy(void*, int attempt)
{
    const bool observed = observer && std::this_thread::get_id() == observedThread;
    if (attempt == 0) waits.inAttempt = 0;
    if (!observed && attempt == 0) waits.waited = 0;
    std::int64_t remaining = timeout.load() * std::int64_t{1000} - waits.waited;
    if (waits.limit >= 0) remaining = std::min(remaining, waits.limit - waits.inLimit);
    if (remaining <= 0) return 0;
    if (observed) observer(static_cast<int>(waits.waited / 1000));
    // The time slept as the clock tells it: short sleeps overrun.
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::microseconds(std::min(pollAfter(waits.inAttempt), remaining)));
    const auto slept = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    waits.waited += slept;
    waits.inLimit += slept;
    waits.inAttempt += slept;
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
    // An outer limit already used up (a sleep overruns what was left) allows
    // nothing more: what is left never goes below nothing, which would read
    // as no limit at all.
    const std::int64_t us = std::max<std::int64_t>(ms, 0) * 1000;
    waits.limit = outerLimit_ >= 0 ? std::clamp<std::int64_t>(outerLimit_ - outerWaited_, 0, us) : us;
    waits.inLimit = 0;
}

Limit::~Limit()
{
    waits.limit = outerLimit_;
    waits.inLimit = outerWaited_ + waits.inLimit;
}

} // namespace db::busywait
