#pragma once
// The KeyPress step the text controls share: the handler sees the key's
// character code before the control does and may swallow or replace it.
#include "platform/ui/controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <exception>
#include <memory>

namespace ui {

// 13 for Enter, 8 for Backspace, 27 for Escape, the character typed for other
// keys; 0 for keys that deliver no character (arrows, function keys, Tab, Delete).
int keyAsciiOf(const QKeyEvent* event);

struct KeyPressOutcome {
    bool swallowed = false;
    std::unique_ptr<QKeyEvent> replacement;   // set when the handler changed the key
    QKeyEvent* eventFor(QKeyEvent* original) const { return replacement ? replacement.get() : original; }
};

// Runs `handler` for a key event; keys without a character pass unchanged.
KeyPressOutcome runKeyPress(const KeyPressHandler& handler, const QKeyEvent* event);

// Shows a failure that no handler caught; the program goes on running.
void reportUnhandled(const char* what);
// The same, saying first what could not be done ("“客户资料”窗口没能打开").
void reportUnhandled(const QString& failedStep, const char* what);

// Calls a handler through a copy, so a handler that replaces itself or
// unloads its window does not pull the function from under its own feet.
// This is the last guard of every event: no exception leaves it.
template <class Handler, class... Args>
void fire(const Handler& handler, Args&&... args)
{
    if (!handler) return;
    const Handler copy = handler;
    try {
        copy(std::forward<Args>(args)...);
    } catch (const std::exception& error) {
        reportUnhandled(error.what());
    } catch (...) {
        reportUnhandled(nullptr);
    }
}

// Mouse events in the system's terms: button 1/2/4, shift 1 (Shift) | 2 (Ctrl) | 4 (Alt),
// the position in twips within the control. A move reports the buttons held.
// The position is taken from `origin`, the top left of what was clicked,
// when that is not the widget the event came to.
void fireMouse(const MouseHandler& handler, const QMouseEvent* event, QPointF origin = {});

} // namespace ui
