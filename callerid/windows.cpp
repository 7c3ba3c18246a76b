#include "callerid/windows.h"

#include "callerid/gtmain.h"
#include "callerid/sysother.h"
#include "platform/ui/windows.h"

namespace callerid {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("GtMain"), [] { return std::make_unique<GtMain>(); });
    ui::Windows::define(QStringLiteral("sysOther"), [] { return std::make_unique<SysOther>(); });
}

} // namespace callerid
