#include "platform/db/handlepool.h"

#include "platform/db/busywait.h"

#include <deque>
#include <mutex>
#include <vector>

namespace db::handlepool {

namespace {

struct Kept {
    QString path;
    std::unique_ptr<ConnectionState> state;
};

// Set once the kept handles are closed at the program's end: a handle let go
// after that is closed at once.
bool closedForGood = false;

class KeptHandles {
public:
    ~KeptHandles() { closedForGood = true; }

    std::unique_ptr<ConnectionState> takeOne(const QString& path)
    {
        const std::lock_guard lock(mutex_);
        for (auto it = kept_.rbegin(); it != kept_.rend(); ++it) {
            if (it->path != path) continue;
            std::unique_ptr<ConnectionState> state = std::move(it->state);
            kept_.erase(std::next(it).base());
            return state;
        }
        return nullptr;
    }

    // The handles that no longer fit are handed back to be closed outside the lock.
    std::vector<std::unique_ptr<ConnectionState>> keep(const QString& path, std::unique_ptr<ConnectionState> state)
    {
        std::vector<std::unique_ptr<ConnectionState>> closing;
        const std::lock_guard lock(mutex_);
        int ofFile = 0;
        for (const Kept& kept : kept_) ofFile += kept.path == path;
        if (ofFile >= kKeptPerFile) {
            for (auto it = kept_.begin(); it != kept_.end(); ++it) {
                if (it->path != path) continue;
                closing.push_back(std::move(it->state));
                kept_.erase(it);
                break;
            }
        } else if (static_cast<int>(kept_.size()) >= kKept) {
            closing.push_back(std::move(kept_.front().state));
            kept_.pop_front();
        }
        kept_.push_back({path, std::move(state)});
        return closing;
    }

private:
    std::mutex mutex_;
    std::deque<Kept> kept_;   // the one left longest first
};

KeptHandles& keptHandles()
{
    static KeptHandles handles;
    return handles;
}

// Whether anything still runs on the handle (a statement stepped and not reset).
bool busy(sqlite3* handle)
{
    for (sqlite3_stmt* statement = sqlite3_next_stmt(handle, nullptr); statement;
         statement = sqlite3_next_stmt(handle, statement))
        if (sqlite3_stmt_busy(statement)) return true;
    return false;
}

// The kept handle still reaches the file at its path: the file was not
// removed or replaced since, and it is still a database (a file written over
// in place is read again from the disk by this statement).
bool stillServes(ConnectionState& state)
{
    int moved = 0;
    if (sqlite3_file_control(state.handle, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK || moved) return false;
    try {
        // The check does not wait: the statement the handle is taken for waits once.
        const busywait::Limit noWait(0);
        Statement version = Statement::cached(state, "PRAGMA schema_version");
        version.step();
        return true;
    } catch (const Error& error) {
        // Another program writing now: the handle's next statement waits as any would.
        return error.kind() == Error::Kind::Busy;
    }
}

void giveBack(ConnectionState* released, const QString& path)
{
    std::unique_ptr<ConnectionState> state(released);
    // A handle with another file attached would lend that file to the next connection.
    const bool attached = sqlite3_db_name(state->handle, 2) != nullptr;
    // A handle of a write-ahead log is its owner's alone (see useWriteAheadLog).
    if (closedForGood || attached || state->writeAheadLog || !sqlite3_get_autocommit(state->handle) || busy(state->handle)) return;
    // A kept handle waits without its cached pages. The program writes its
    // files often (a row for every call), and a handle that finds its file
    // written by another since its last read reads every page again anyway;
    // meanwhile the pages would stay spread among the memory of the windows
    // opened after them, which then cannot go back to the system when those
    // windows close.
    sqlite3_db_release_memory(state->handle);
    keptHandles().keep(path, std::move(state));
}

} // namespace

std::unique_ptr<ConnectionState> take(const QString& path)
{
    if (closedForGood) return nullptr;
    while (std::unique_ptr<ConnectionState> state = keptHandles().takeOne(path))
        if (stillServes(*state)) return state;
    return nullptr;
}

std::shared_ptr<ConnectionState> share(std::unique_ptr<ConnectionState> state, const QString& path)
{
    return std::shared_ptr<ConnectionState>(state.release(),
                                            [path](ConnectionState* released) { giveBack(released, path); });
}

} // namespace db::handlepool
