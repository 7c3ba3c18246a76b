#include "login/windows.h"

#include "platform/ui/windows.h"

namespace login {

void defineWindows()
{
}

} // namespace login
