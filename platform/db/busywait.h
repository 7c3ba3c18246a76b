#pragma once
// How long statements wait for another connection's write (a colleague's
// workstation holding the shared file) before they fail as busy. Every
// handle of the layer waits by this one rule.
#include <cstdint>
#include <functional>

namespace db::busywait {

// The wait a statement may spend at most (8 s; tests shorten it).
int timeoutMs();

// Told on the thread that sets it (the window thread), each time one of its
// statements is about to wait for another connection, with what the current
// action has waited so far. Until endAction() the waits of all the action's
// statements add up, so one action waits at most the timeout once: a second
// statement of an action that already waited its fill fails at once. On
// other threads each lock attempt waits the timeout of its own.
using Observer = std::function<void(int waitedMs)>;
void setObserver(Observer observer);   // an empty one removes it
void endAction();

// While it lives, the statements of this thread wait at most `ms` in all (0:
// not at all): a step that must not hold up what comes next.
class Limit {
public:
    explicit Limit(int ms);
    ~Limit();
    Limit(const Limit&) = delete;
    Limit& operator=(const Limit&) = delete;

private:
    std::int64_t outerLimit_;   // microseconds
    std::int64_t outerWaited_;
};

} // namespace db::busywait
