#include "common/customerpick.h"

#include "platform/ui/windows.h"

namespace customerpick {

void open(ui::Form* window)
{
    const QString kind = QStringLiteral("frmSelectKH");
    if (!ui::Windows::isDefined(kind)) return;
    if (auto* picker = dynamic_cast<Picker*>(ui::Windows::open(kind))) picker->openedBy(window);
}

} // namespace customerpick
