#pragma once
// Helpers of the tests on real Qt windows.
#include "platform/winsys/picture.h"
#include "platform/winsys/qtsystem.h"

#include <QApplication>
#include <QMouseEvent>

// The form object of a Qt window.
class WindowForm : public winsys::IForm {
public:
    explicit WindowForm(winsys::QtWindow* w) : w_(w) {}
    winsys::HWND hWnd() const override { return w_->hwnd(); }
    void Refresh() override { w_->update(); }

private:
    winsys::QtWindow* w_;
};

// Lets queued events and posted messages run.
inline void settle()
{
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

// A left-button press, move (button held) or release at a point of a widget.
inline void mouse(QWidget* w, QEvent::Type type, QPoint at)
{
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
