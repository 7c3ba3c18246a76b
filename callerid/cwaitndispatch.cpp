#include "callerid/cwaitndispatch.h"

#include "callerid/automationerror.h"

#include <QDateTime>
#include <QEventLoop>
#include <QTimer>

namespace callerid {

namespace {

// The system time in 100-nanosecond units.
std::int64_t systemTime()
{
    return QDateTime::currentMSecsSinceEpoch() * 10000;
}

} // namespace

// Signalled by Cancel or when the due time has come; the loop that processes
// events while it is not signalled.
struct CWaitNDispatch::Event {
    bool signalled = false;
    QEventLoop* loop = nullptr;
};

CWaitNDispatch::CWaitNDispatch() = default;

CWaitNDispatch::~CWaitNDispatch()
{
    Cancel();
    event_.reset();
}

void CWaitNDispatch::Wait(std::int32_t waitMilliseconds)
{
    if (waitMilliseconds == 0) return;
    if (isWaiting_)
        throw AutomationError(kNotReentrant, QStringLiteral("CWaitNDispatch"),
                              QStringLiteral("This function is not reentrant. If you want to wait for a second "
                                             "period use a new object"));
    isWaiting_ = true;
    timeStamp_ = systemTime();
    dueTime_ = timeStamp_ + static_cast<std::int64_t>(waitMilliseconds) * 10000;
    event_ = std::make_unique<Event>();
    PumpUntilDue();
    isWaiting_ = false;
    Cancel();
    event_.reset();
    if (onTimer) {
        const auto handler = onTimer;
        handler();
    }
}

void CWaitNDispatch::Cancel()
{
    if (!event_) return;
    event_->signalled = true;
    if (event_->loop) event_->loop->quit();
}

// Processes events until the due time or until the event is signalled. Each
// round processes what arrives, then takes a new time stamp and computes the
// remaining time again; a remaining time of 0 or less signals the event.
void CWaitNDispatch::PumpUntilDue()
{
    std::int64_t remaining = (dueTime_ - timeStamp_) / 10000;
    event_->signalled = false;
    while (!event_->signalled) {
        if (remaining <= 0) {
            event_->signalled = true;
            break;
        }
        QEventLoop loop;
        QTimer due;
        due.setSingleShot(true);
        due.setTimerType(Qt::PreciseTimer);
        QObject::connect(&due, &QTimer::timeout, &loop, &QEventLoop::quit);
        due.start(static_cast<int>(std::min<std::int64_t>(remaining, 0x7FFFFFFF)));
        event_->loop = &loop;
        loop.exec();
        event_->loop = nullptr;
        timeStamp_ = systemTime();
        remaining = (dueTime_ - timeStamp_) / 10000;
    }
}

} // namespace callerid
