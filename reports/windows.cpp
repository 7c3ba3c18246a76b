#include "reports/windows.h"

#include "platform/ui/windows.h"

namespace reports {

void defineWindows()
{
}

} // namespace reports
