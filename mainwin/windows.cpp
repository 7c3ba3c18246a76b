#include "mainwin/windows.h"

#include "platform/ui/windows.h"

namespace mainwin {

void defineWindows()
{
}

} // namespace mainwin
