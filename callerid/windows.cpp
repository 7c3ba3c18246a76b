#include "callerid/windows.h"

#include "callerid/frmcomeing.h"
#include "callerid/gtbusyno.h"
#include "callerid/gtmain.h"
#include "callerid/gtnewno.h"
#include "callerid/sysother.h"
#include "platform/ui/windows.h"

namespace callerid {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("GtMain"), [] { return std::make_unique<GtMain>(); });
    ui::Windows::define(QStringLiteral("sysOther"), [] { return std::make_unique<SysOther>(); });
    ui::Windows::define(QStringLiteral("GtNewNo"), [] { return std::make_unique<GtNewNo>(); });
    ui::Windows::define(QStringLiteral("GtBusyNo"), [] { return std::make_unique<GtBusyNo>(); });
    ui::Windows::define(QStringLiteral("frmComeing"), [] { return std::make_unique<FrmComeing>(); });
}

} // namespace callerid
