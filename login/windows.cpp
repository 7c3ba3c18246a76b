#include "login/windows.h"

#include "login/changepwd.h"
#include "login/companyset.h"
#include "login/frmlogin.h"
#include "login/frmnetset.h"
#include "login/inpordat.h"
#include "login/inpordatnex.h"
#include "login/reflisteditor.h"
#include "login/usermanage.h"
#include "platform/ui/windows.h"

namespace login {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("frmLogin"), [] { return std::make_unique<FrmLogin>(); });
    ui::Windows::define(QStringLiteral("frmNetSet"), [] { return std::make_unique<FrmNetSet>(); });
    ui::Windows::define(QStringLiteral("CompanySet"), [] { return std::make_unique<CompanySet>(); });
    ui::Windows::define(QStringLiteral("changePwd"), [] { return std::make_unique<ChangePwd>(); });
    for (const RefList& list : refLists())
        ui::Windows::define(list.kind, [&list] { return std::make_unique<RefListEditor>(list); });
    ui::Windows::define(QStringLiteral("frmUserManage"), [] { return std::make_unique<FrmUserManage>(); });
    ui::Windows::define(QStringLiteral("inpordat"), [] { return std::make_unique<Inpordat>(); });
    ui::Windows::define(QStringLiteral("inpordatnex"), [] { return std::make_unique<Inpordatnex>(); });
}

} // namespace login
