#include "customers/remindertimer.h"

#include "platform/ui/windows.h"

namespace customers {

ui::Timer* reminderTimer()
{
    ui::Form* mainWindow = ui::Windows::loaded(QStringLiteral("frmMain"));
    return mainWindow ? mainWindow->findChild<ui::Timer*>(QStringLiteral("Timer1")) : nullptr;
}

} // namespace customers
