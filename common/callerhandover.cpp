#include "common/callerhandover.h"

#include "platform/ui/windows.h"

namespace callerhandover {

void open(const QString& kind, const Caller& caller)
{
    if (!ui::Windows::isDefined(kind)) return;
    // A window loaded unseen shows nothing yet: it takes the caller as well.
    const ui::Form* before = ui::Windows::loaded(kind);
    const bool wasOpen = before && before->isVisible();
    ui::Form* window = ui::Windows::open(kind);
    if (wasOpen) return;
    if (auto* taker = dynamic_cast<Taker*>(window)) taker->takeCaller(caller);
}

} // namespace callerhandover
