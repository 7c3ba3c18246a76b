#include "chrome/ctimer.h"
#include "chrometest.h"

using namespace chrome;

namespace {

// The slot (1 to 100) that holds the timer, 0 for none.
int slotOf(const CTimer* timer)
{
    for (int i = 1; i <= MTimer::SlotCount; ++i)
        if (MTimer::Slot(i) == timer) return i;
    return 0;
}

} // namespace

TEST_F(ChromeTest, TimerIntervalsCreateAndReplaceSystemTimers)
{
    auto timer = CTimer::create();
    EXPECT_EQ(timer->Interval(), 0);

    timer->setInterval(50);
    const UINT_PTR first = timer->TimerID();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(fake.timers.at(first), 50u);
    EXPECT_NE(slotOf(timer.get()), 0);

    timer->setInterval(50);   // the same interval keeps the running timer
    EXPECT_EQ(timer->TimerID(), first);
    EXPECT_EQ(fake.timers.size(), 1u);

    timer->setInterval(80);   // a new interval replaces it
    EXPECT_NE(timer->TimerID(), first);
    EXPECT_EQ(fake.timers.count(first), 0u);
    EXPECT_EQ(fake.timers.at(timer->TimerID()), 80u);

    timer->setInterval(-3);
    EXPECT_EQ(timer->Interval(), 0);
    EXPECT_TRUE(fake.timers.empty());
    EXPECT_EQ(slotOf(timer.get()), 0);

    // A negative interval on a stopped timer leaves it stopped at 0.
    auto stopped = CTimer::create();
    stopped->setInterval(-1);
    EXPECT_EQ(stopped->Interval(), 0);
    EXPECT_TRUE(fake.timers.empty());

    // The owner's data travels with the timer.
    stopped->setItem(QVariant(QStringLiteral("menu bar")));
    EXPECT_EQ(stopped->Item().toString(), "menu bar");
}

TEST_F(ChromeTest, FreedSlotsAreReusedBelowTheHighWaterMark)
{
    auto a = CTimer::create(), b = CTimer::create(), c = CTimer::create();
    a->setInterval(10);
    b->setInterval(10);
    c->setInterval(10);
    const int slotB = slotOf(b.get());
    EXPECT_EQ(slotOf(c.get()), slotB + 1);
    const int mark = MTimer::HighWaterMark();
    EXPECT_GE(mark, slotB + 1);

    b->setInterval(0);
    auto d = CTimer::create();
    d->setInterval(10);
    EXPECT_EQ(slotOf(d.get()), slotB);
    EXPECT_EQ(MTimer::HighWaterMark(), mark);

    for (auto* t : {a.get(), c.get(), d.get()}) t->setInterval(0);
}

TEST_F(ChromeTest, TheHundredAndFirstTimerIsRefused)
{
    std::vector<std::shared_ptr<CTimer>> running;
    for (int i = 0; i < MTimer::SlotCount; ++i) {
        running.push_back(CTimer::create());
        running.back()->setInterval(20);
    }
    auto extra = CTimer::create();
    int ticks = 0;
    auto listening = extra->onThatTime([&] { ++ticks; });
    try {
        extra->setInterval(30);
        ADD_FAILURE() << "a 101st timer was taken";
    } catch (const ChromeError& e) {
        EXPECT_EQ(e.code(), 13651);
        EXPECT_EQ(e.description(), "No more than 10 timers allowed per class");
    }
    // Its system timer runs with its id and interval, but its ticks are dropped.
    EXPECT_EQ(extra->Interval(), 30);
    ASSERT_NE(extra->TimerID(), 0u);
    EXPECT_EQ(fake.timers.at(extra->TimerID()), 30u);
    EXPECT_EQ(slotOf(extra.get()), 0);
    fake.fireTimer(extra->TimerID());
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(MTimer::HighWaterMark(), MTimer::SlotCount);

    for (auto& t : running) t->setInterval(0);
    extra->setInterval(0);
}

TEST_F(ChromeTest, AFailedSystemTimerLeavesTheTimerStopped)
{
    auto timer = CTimer::create();
    fake.failSetTimer = true;
    EXPECT_CHROME_ERROR(timer->setInterval(40), 13652);
    EXPECT_EQ(timer->Interval(), 0);
    EXPECT_EQ(timer->TimerID(), 0u);
    EXPECT_EQ(slotOf(timer.get()), 0);
    fake.failSetTimer = false;

    // A tick no slot knows is dropped.
    MTimer::TimerProc(0, WM_TIMER, 987654, 0);
}

TEST_F(ChromeTest, AReleasedRunningTimerTicksAndMayStopItself)
{
    auto timer = CTimer::create();
    std::weak_ptr<CTimer> watch = timer;
    CTimer* raw = timer.get();
    int ticks = 0;
    bool aliveAfterStop = false;
    auto listening = timer->onThatTime([&] {
        ++ticks;
        if (ticks == 2) {
            raw->setInterval(0);   // stops its own, released timer from its handler
            aliveAfterStop = !watch.expired() && raw->Interval() == 0;
        }
    });
    timer->setInterval(25);
    const UINT_PTR id = timer->TimerID();
    timer.reset();

    ASSERT_FALSE(watch.expired());
    fake.fireTimer(id);
    EXPECT_EQ(ticks, 1);
    fake.fireTimer(id);
    EXPECT_EQ(ticks, 2);
    EXPECT_TRUE(aliveAfterStop);
    EXPECT_TRUE(watch.expired());
    EXPECT_TRUE(fake.timers.empty());
}

TEST_F(ChromeTest, ADestroyedListenerHearsNoMoreTicks)
{
    auto timer = CTimer::create();
    int first = 0, second = 0;
    auto keep = timer->onThatTime([&] { ++first; });
    {
        auto gone = timer->onThatTime([&] { ++second; });
        timer->PulseTimer();
    }
    timer->PulseTimer();
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 1);

    // A handler that drops another listener's connection during a tick stops it at once.
    CTimer::Connection later;
    auto dropper = timer->onThatTime([&] { later.disconnect(); });
    later = timer->onThatTime([&] { ++second; });
    timer->PulseTimer();
    EXPECT_EQ(second, 1);
}
