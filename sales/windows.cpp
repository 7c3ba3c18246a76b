#include "sales/windows.h"

#include "platform/ui/windows.h"
#include "sales/frmgys.h"
#include "sales/frmjhd.h"
#include "sales/frmnewcust.h"
#include "sales/productmgr.h"
#include "sales/salesadd.h"
#include "sales/salesdetail.h"
#include "sales/supplierwindow.h"

namespace sales {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("productmgr"), [] { return std::make_unique<ProductMgr>(); });
    ui::Windows::define(QStringLiteral("SalesAdd"), [] { return std::make_unique<SalesAdd>(); });
    ui::Windows::define(QStringLiteral("SalesDetail"), [] { return std::make_unique<SalesDetail>(); });
    ui::Windows::define(QStringLiteral("frmGYS"), [] { return std::make_unique<FrmGYS>(); });
    ui::Windows::define(QStringLiteral("frmGysAdd"), [] { return std::make_unique<FrmGysAdd>(); });
    ui::Windows::define(QStringLiteral("frmGysEdit"), [] { return std::make_unique<FrmGysEdit>(); });
    ui::Windows::define(QStringLiteral("frmJHd"), [] { return std::make_unique<FrmJHd>(); });
    ui::Windows::define(QStringLiteral("frmNewCust"), [] { return std::make_unique<FrmNewCust>(); });
}

} // namespace sales
