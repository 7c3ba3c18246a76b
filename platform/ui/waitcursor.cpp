#include "platform/ui/waitcursor.h"

#include "platform/db/busywait.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QTimer>

namespace ui {

namespace {

constexpr int kShowAfterMs = 250;

// The state of the one action under way on the window thread.
class ActionWaits {
public:
    void waiting(int waitedMs)
    {
        if (!endPosted_) {
            endPosted_ = true;
            // Runs once the handler returns to the event loop (or a box it
            // shows runs one).
            QTimer::singleShot(0, QCoreApplication::instance(), [this] { end(); });
        }
        if (!cursorShown_ && waitedMs >= kShowAfterMs) {
            cursorShown_ = true;
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        }
    }

private:
    void end()
    {
        db::busywait::endAction();
        if (cursorShown_) QGuiApplication::restoreOverrideCursor();
        cursorShown_ = false;
        endPosted_ = false;
    }

    bool endPosted_ = false;
    bool cursorShown_ = false;
};

} // namespace

void showWaitsForTheDataFile()
{
    auto waits = std::make_shared<ActionWaits>();
    db::busywait::setObserver([waits](int waitedMs) { waits->waiting(waitedMs); });
}

} // namespace ui
