#include "customers/windows.h"

#include "platform/ui/windows.h"

namespace customers {

void defineWindows()
{
}

} // namespace customers
