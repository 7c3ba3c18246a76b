#include "platform/ui/displayrequests.h"

#include <QGuiApplication>
#include <X11/Xlib.h>

namespace ui {

void settleDisplayRequests()
{
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->display()) XSync(x11->display(), False);
}

} // namespace ui
