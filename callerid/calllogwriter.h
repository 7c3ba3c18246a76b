#pragma once
// Writes the waiting calls and recording links (waitingcalls.h) into their
// data files on a thread of its own, so that another workstation's hold on a
// file never holds up the window thread. The entries of one data file go in
// one transaction of that file alone, in the order they came: each call
// becomes its call-log row with its key beside it (its contact and its area
// are looked up now, unless the call came with them; a call whose key the
// file holds was logged already and is dropped), each recording's name goes
// into the row of its own call. Only after that commit do the entries leave
// the store, so a kill at any moment loses none and logs none twice,
// whichever workstation opens the file first afterwards.
//
// The thread touches no widget and reads no login state: each entry carries
// its data file, and what was written is told to the window thread by a
// queued signal. The database layer serves it beside the window thread: each
// connection's handle, its prepared statements, its table types and its text
// collator belong to that connection alone (a kept handle passes between
// threads only through the keeper's lock), the Jet functions keep no state,
// and the busy waits are counted per thread. The store serves both threads
// under its own lock.
#include "platform/db/variant.h"

#include <QHash>
#include <QObject>
#include <QString>

namespace waitingcalls {
class Store;
}
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace callerid {

class CallLogWriter : public QObject {
    Q_OBJECT

public:
    // Each attempt waits for a held file at most this long, then the thread
    // pauses and tries again: it can always stop promptly.
    static constexpr int kAttemptMs = 250;
    static constexpr int kBusyPauseMs = 20;
    static constexpr int kFailurePauseMs = 2000;   // a file missing, unreachable or refusing

    CallLogWriter() = default;
    ~CallLogWriter() override;

    // Starts the thread, which writes what waits in the store (which outlives it).
    void start(waitingcalls::Store& store);
    // Ends the thread once its attempt has ended.
    void stop();
    // Entries were added: write them now.
    void wake();
    // Everything was written at the last look and nothing was added since.
    bool idle() const { return idle_; }

signals:
    // Entries were written (received on the window thread).
    void wrote();

private:
    enum class Outcome { Written, Busy, Failed };
    void run();
    Outcome writeWaiting();

    waitingcalls::Store* store_ = nullptr;
    QHash<QString, db::Variant> areaOfNumber_;   // the thread's own
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wakeUp_;
    bool woken_ = false;
    bool stopping_ = false;
    std::atomic<bool> idle_ = false;
};

} // namespace callerid
