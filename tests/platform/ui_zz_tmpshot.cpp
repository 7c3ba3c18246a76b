#include "platform/ui/windows.h"
#include "tests/support/scratch.h"
#include "common/gridbinding.h"
class TmpShot : public ScratchProgram {};
TEST_F(TmpShot, Shots)
{
    for (const char* k : {"frmLogin", "setclient_type", "frmUserManage"}) {
        ui::Form* f = ui::Windows::open(QString::fromLatin1(k));
        if (!f) continue;
        f->grab().save(QStringLiteral("/tmp/shot_%1.png").arg(QLatin1String(k)));
    }
}
