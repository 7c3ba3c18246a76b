#include "mainwin/windows.h"

#include "mainwin/frmmain.h"
#include "platform/ui/windows.h"

namespace mainwin {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("frmMain"), [] { return std::make_unique<FrmMain>(); });
}

} // namespace mainwin
