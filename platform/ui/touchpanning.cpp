#include "platform/ui/touchpanning.h"

#include <QGestureRecognizer>
#include <QWidget>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace ui {

void turnOffTouchPanning()
{
#if defined(__SANITIZE_ADDRESS__)
    // Qt lets go of the pan recognizer it unregisters without deleting it:
    // one small object it made here, held for the life of the process and
    // reachable by no one. The leak check does not count what Qt makes here.
    __lsan::ScopedDisabler qtDropsItsRecognizer;
#endif
    // Qt makes its gesture manager at the first grab of a gesture, and drops
    // a recognizer only from a manager that exists.
    QWidget().grabGesture(Qt::PanGesture);
    QGestureRecognizer::unregisterRecognizer(Qt::PanGesture);
}

} // namespace ui
