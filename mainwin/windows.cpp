#include "mainwin/windows.h"

#include "mainwin/frmabout.h"
#include "mainwin/frmmain.h"
#include "platform/ui/windows.h"

namespace mainwin {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("frmMain"), [] { return std::make_unique<FrmMain>(); });
    ui::Windows::define(QStringLiteral("frmAbout"), [] { return std::make_unique<FrmAbout>(); });
}

} // namespace mainwin
