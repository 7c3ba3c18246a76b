// The timed wait that keeps events flowing: at once for 0, events and
// telephony callbacks handled during the wait, one OnTimer per wait, Cancel,
// and the refusal of a second wait on the same object.
#include "callerid/automationerror.h"
#include "callerid/ctapiline.h"
#include "callerid/cwaitndispatch.h"
#include "platform/tapi/simulatedlines.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace callerid;

TEST(WaitNDispatch, ZeroReturnsAtOnceWithoutOnTimer)
{
    CWaitNDispatch waiter;
    int timers = 0;
    waiter.onTimer = [&] { ++timers; };
    bool eventRan = false;
    QTimer::singleShot(0, [&] { eventRan = true; });
    waiter.Wait(0);
    EXPECT_EQ(timers, 0);
    EXPECT_FALSE(eventRan);   // no events processed either
    EXPECT_FALSE(waiter.IsWaiting());
    QCoreApplication::processEvents();
}

TEST(WaitNDispatch, HandlesEventsWhileWaitingAndRaisesOnTimerOnce)
{
    CWaitNDispatch waiter;
    int timers = 0;
    waiter.onTimer = [&] { ++timers; };
    bool waitingSeen = false;
    QTimer::singleShot(10, [&] { waitingSeen = waiter.IsWaiting(); });

    // A telephony message arriving during the wait reaches its line.
    tapi::SimulatedLines service;
    tapi::SimulatedLines::Line modem;
    service.addLine(modem);
    cTAPILine line(service);
    ASSERT_TRUE(line.Create());
    ASSERT_TRUE(line.OpenLine(1, 4));
    QString callerId;
    line.onInfoCallerID = [&](const QString& cid) { callerId = cid; };
    service.offerCall(line.hLine(), "010-62345678");

    QElapsedTimer clock;
    clock.start();
    waiter.Wait(80);
    EXPECT_GE(clock.elapsed(), 75);
    EXPECT_TRUE(waitingSeen);
    EXPECT_EQ(callerId, QStringLiteral("010-62345678"));
    EXPECT_EQ(timers, 1);
    EXPECT_FALSE(waiter.IsWaiting());
}

TEST(WaitNDispatch, ASecondWaitOfTheSameObjectIsRefused)
{
    CWaitNDispatch waiter;
    int timers = 0;
    waiter.onTimer = [&] { ++timers; };
    std::int32_t number = 0;
    QString source, description;
    CWaitNDispatch other;
    bool otherWaited = false;
    other.onTimer = [&] { otherWaited = true; };
    QTimer::singleShot(5, [&] {
        try {
            waiter.Wait(10);
        } catch (const AutomationError& error) {
            number = error.number();
            source = error.source();
            description = error.description();
        }
        other.Wait(5);   // another object may wait inside the first wait
    });
    waiter.Wait(60);
    EXPECT_EQ(static_cast<std::uint32_t>(number), 0x800403E9u);
    EXPECT_EQ(source, QStringLiteral("CWaitNDispatch"));
    EXPECT_EQ(description, QStringLiteral("This function is not reentrant. If you want to wait for a second period "
                                          "use a new object"));
    EXPECT_TRUE(otherWaited);
    EXPECT_EQ(timers, 1);

    // Once the wait is over, the object waits again.
    waiter.Wait(5);
    EXPECT_EQ(timers, 2);
}

TEST(WaitNDispatch, CancelEndsTheWait)
{
    CWaitNDispatch waiter;
    int timers = 0;
    waiter.onTimer = [&] { ++timers; };
    waiter.Cancel();   // no wait running: nothing happens
    QTimer::singleShot(20, [&] { waiter.Cancel(); });
    QElapsedTimer clock;
    clock.start();
    waiter.Wait(10000);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(timers, 1);
    EXPECT_FALSE(waiter.IsWaiting());
}
