#pragma once
// The call monitor's reads of the data file, on a thread of their own: the
// caller-ID options, who a caller is and the calls of a day. Another
// workstation may hold the file for seconds (a save, a long report beside a
// save, BEGIN EXCLUSIVE); the window thread and its poll tick never wait for
// it: they ask here and show the answer when it comes.
//
// A caller the file does not answer for at the first attempt (held, or out
// of reach) is answered at once as not looked up, so that its notice shows,
// and is looked up again until the file answers; the options read at the
// start are read again until they are read. The thread opens its own
// connections with the data file each request names, reads no login state
// and touches no widget; each answer is handed to the window thread through
// its event loop.
#include "callerid/callercontact.h"
#include "callerid/daycalls.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace callerid {

class MonitorReader {
public:
    // Each attempt waits for a held file at most this long: a caller not
    // looked up is told within it, and the thread can always stop promptly.
    static constexpr int kAttemptMs = 100;
    static constexpr int kBusyPauseMs = 20;
    static constexpr int kFailurePauseMs = 1000;   // a file missing or out of reach

    struct Options {
        QString outLine;
        QString isPop;
        QString recordFlag;
    };
    struct Caller {
        int call = 0;            // the call's place among the calls of the run
        bool lookedUp = false;   // false: the file did not answer (yet); it is tried again
        std::optional<callercontact::Contact> contact;
        std::optional<callercontact::Customer> customer;
        std::optional<Options> options;   // read with the caller; none: the row is missing
    };
    struct Day {
        QDate day;
        std::vector<DayCall> calls;
        std::optional<db::Error> failure;   // the calls could not be read: nothing else holds
    };

    // The options of the settings row of the connection's file; none when
    // the row is missing. Throws db::Error when the file cannot be read.
    static std::optional<Options> optionsOf(db::Connection& connection);

    // Answers are handed to these on the thread of `receiver`; one that
    // throws ends the showing of that answer alone.
    explicit MonitorReader(QObject* receiver);
    ~MonitorReader();
    MonitorReader(const MonitorReader&) = delete;
    MonitorReader& operator=(const MonitorReader&) = delete;

    std::function<void(const std::optional<Options>&)> onOptions;
    std::function<void(const Caller&)> onCaller;
    std::function<void(const Day&)> onDay;

    void start();
    void stop();

    void readOptions(const QString& dataFile);
    void lookUp(int call, const QString& number, const QString& dataFile);
    // The day's calls; `whole`: every number looked up again, as the day's
    // buttons do (else only what changed since the last listing). A listing
    // asked for while one waits replaces it: only the last is read.
    void listDay(const QDate& day, bool whole, const QString& dataFile);

    // Nothing asked for is left unanswered, and every answer was handed over.
    bool idle() const;

private:
    struct CallerRequest {
        int call;
        QString number;
        QString dataFile;
        bool told = false;   // its "not looked up" was handed over
    };
    struct DayRequest {
        QDate day;
        bool whole;
        QString dataFile;
    };

    void run();
    bool lookUpCallers(std::unique_lock<std::mutex>& lock);
    bool readOptionsNow(std::unique_lock<std::mutex>& lock);
    void readDayNow(std::unique_lock<std::mutex>& lock);
    void hand(std::function<void()> answer);

    QObject* receiver_;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable wakeUp_;
    bool stopping_ = false;
    bool working_ = false;
    bool fresh_ = false;               // something was asked for since the last attempt
    std::deque<CallerRequest> callers_;
    std::optional<QString> options_;   // the data file whose options are to be read
    std::optional<DayRequest> day_;
    std::atomic<int> handing_ = 0;     // answers on their way to the window thread
    std::atomic<int> generation_ = 0;  // counts the stops: an answer of an earlier run is not shown
    std::optional<db::Error::Kind> lastFailure_;
    DayCalls dayCalls_;                // the thread's own
};

} // namespace callerid
