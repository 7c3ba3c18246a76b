#include "callerid/monitorreader.h"

#include "platform/db/busywait.h"

#include <QMetaObject>
#include <chrono>

namespace callerid {

namespace {

std::unique_ptr<db::Connection> openFile(const QString& dataFile)
{
    auto connection = std::make_unique<db::Connection>();
    connection->open(dataFile);
    return connection;
}

} // namespace

std::optional<MonitorReader::Options> MonitorReader::optionsOf(db::Connection& connection)
{
    db::Recordset settings;
    settings.open(QStringLiteral("select * from DriveInfo"), connection);
    if (settings.eof()) return std::nullopt;
    // FlterChar is read with these options in the settings row and filters nothing.
    return Options{settings.field(QStringLiteral("OutLine")).toText(), settings.field(QStringLiteral("isPop")).toText(),
                   settings.field(QStringLiteral("RecordFlag")).toText()};
}

MonitorReader::MonitorReader(QObject* receiver) : receiver_(receiver) {}

MonitorReader::~MonitorReader()
{
    stop();
}

void MonitorReader::start()
{
    stop();
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
}

void MonitorReader::stop()
{
    if (!thread_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wakeUp_.notify_all();
    thread_.join();
    // Answers still on their way are not shown.
    ++generation_;
    callers_.clear();
    options_.reset();
    day_.reset();
}

void MonitorReader::readOptions(const QString& dataFile)
{
    {
        const std::lock_guard lock(mutex_);
        options_ = dataFile;
        fresh_ = true;
    }
    wakeUp_.notify_all();
}

void MonitorReader::lookUp(int call, const QString& number, const QString& dataFile)
{
    {
        const std::lock_guard lock(mutex_);
        callers_.push_back({call, number, dataFile});
        fresh_ = true;
    }
    wakeUp_.notify_all();
}

void MonitorReader::listDay(const QDate& day, bool whole, const QString& dataFile)
{
    {
        const std::lock_guard lock(mutex_);
        const bool wholeAsked = day_ && day_->whole && day_->day == day && day_->dataFile == dataFile;
        day_ = DayRequest{day, whole || wholeAsked, dataFile};
        fresh_ = true;
    }
    wakeUp_.notify_all();
}

bool MonitorReader::idle() const
{
    const std::lock_guard lock(mutex_);
    return callers_.empty() && !options_ && !day_ && !working_ && handing_ == 0;
}

// Callers first, each in the order it came, then the options, then the day.
// A file that does not answer is tried again after a pause, or at once when
// something new is asked for.
void MonitorReader::run()
{
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (callers_.empty() && !options_ && !day_) {
            working_ = false;
            wakeUp_.wait(lock, [this] { return stopping_ || !callers_.empty() || options_ || day_; });
            continue;
        }
        working_ = true;
        fresh_ = false;
        bool answered = true;
        if (!callers_.empty())
            answered = lookUpCallers(lock);
        else if (options_)
            answered = readOptionsNow(lock);
        else
            readDayNow(lock);
        if (answered || stopping_) continue;
        const int pause = lastFailure_ == db::Error::Kind::Busy ? kBusyPauseMs : kFailurePauseMs;
        wakeUp_.wait_for(lock, std::chrono::milliseconds(pause), [this] { return stopping_ || fresh_; });
    }
    working_ = false;
}

// The oldest caller; when the file does not answer, every caller not yet
// told so is answered as not looked up.
bool MonitorReader::lookUpCallers(std::unique_lock<std::mutex>& lock)
{
    const CallerRequest request = callers_.front();
    lock.unlock();
    Caller caller{request.call, true, {}, {}, {}};
    std::optional<db::Error> failure;
    try {
        const db::busywait::Limit attempt(kAttemptMs);
        auto connection = openFile(request.dataFile);
        caller.options = optionsOf(*connection);
        caller.contact = callercontact::of(*connection, request.number);
        if (caller.contact) caller.customer = callercontact::customerOf(*connection, caller.contact->companyId);
    } catch (const db::Error& error) {
        failure = error;
    }
    lock.lock();
    if (!failure) {
        callers_.pop_front();
        if (options_ == request.dataFile) options_.reset();
        hand([this, caller] {
            if (onCaller) onCaller(caller);
        });
        return true;
    }
    lastFailure_ = failure->kind();
    for (CallerRequest& waiting : callers_) {
        if (waiting.told) continue;
        waiting.told = true;
        hand([this, call = waiting.call] {
            if (onCaller) onCaller(Caller{call, false, {}, {}, {}});
        });
    }
    return false;
}

bool MonitorReader::readOptionsNow(std::unique_lock<std::mutex>& lock)
{
    const QString dataFile = *options_;
    lock.unlock();
    std::optional<Options> options;
    std::optional<db::Error> failure;
    try {
        const db::busywait::Limit attempt(kAttemptMs);
        options = optionsOf(*openFile(dataFile));
    } catch (const db::Error& error) {
        failure = error;
    }
    lock.lock();
    if (failure) {
        lastFailure_ = failure->kind();
        return false;
    }
    if (options_ == dataFile) options_.reset();
    hand([this, options] {
        if (onOptions) onOptions(options);
    });
    return true;
}

void MonitorReader::readDayNow(std::unique_lock<std::mutex>& lock)
{
    const DayRequest request = *day_;
    day_.reset();
    lock.unlock();
    Day day{request.day, {}, {}};
    try {
        const db::busywait::Limit attempt(kAttemptMs);
        auto connection = openFile(request.dataFile);
        day.calls = request.whole ? dayCalls_.load(*connection, request.dataFile, request.day)
                                  : dayCalls_.refresh(*connection, request.dataFile, request.day);
    } catch (const db::Error& error) {
        day.failure = error;
    }
    lock.lock();
    hand([this, day] {
        if (onDay) onDay(day);
    });
}

// Through the receiver's event loop; an answer for a receiver gone, or one
// that arrives after the reader stopped, is dropped.
void MonitorReader::hand(std::function<void()> answer)
{
    ++handing_;
    const bool posted = QMetaObject::invokeMethod(
        receiver_,
        [this, generation = generation_.load(), answer = std::move(answer)] {
            --handing_;
            if (generation != generation_) return;
            try {
                answer();
            } catch (const std::exception&) {
                // The answer's showing ends; the next answer is shown as usual.
            }
        },
        Qt::QueuedConnection);
    if (!posted) --handing_;
}

} // namespace callerid
