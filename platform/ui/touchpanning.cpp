#include "platform/ui/touchpanning.h"

#include <QGestureRecognizer>
#include <QWidget>

namespace ui {

void turnOffTouchPanning()
{
    // Qt makes its gesture manager at the first grab of a gesture, and drops
    // a recognizer only from a manager that exists.
    QWidget().grabGesture(Qt::PanGesture);
    QGestureRecognizer::unregisterRecognizer(Qt::PanGesture);
}

} // namespace ui
