#pragma once
// Helpers of the tests on real Qt windows.
#include "platform/winsys/picture.h"
#include "platform/winsys/qtsystem.h"

#include <QCoreApplication>

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
