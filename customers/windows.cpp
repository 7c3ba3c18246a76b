#include "customers/windows.h"

#include "customers/frmaddcontect.h"
#include "customers/frmcontectdet.h"
#include "customers/frmcustadd.h"
#include "customers/frmcustdetail.h"
#include "customers/frmselectkh.h"
#include "customers/sysalert.h"
#include "customers/systx.h"
#include "platform/ui/windows.h"

namespace customers {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("frmCustDetail"), [] { return std::make_unique<FrmCustDetail>(); });
    ui::Windows::define(QStringLiteral("frmCustAdd"), [] { return std::make_unique<FrmCustAdd>(); });
    ui::Windows::define(QStringLiteral("frmSelectKH"), [] { return std::make_unique<FrmSelectKH>(); });
    ui::Windows::define(QStringLiteral("frmAddContect"), [] { return std::make_unique<FrmAddContect>(); });
    ui::Windows::define(QStringLiteral("frmContectDet"), [] { return std::make_unique<FrmContectDet>(); });
    ui::Windows::define(QStringLiteral("sysalert"), [] { return std::make_unique<SysAlert>(); });
    ui::Windows::define(QStringLiteral("systx"), [] { return std::make_unique<SysTx>(); });
}

} // namespace customers
