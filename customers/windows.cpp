#include "customers/windows.h"

#include "customers/frmcustadd.h"
#include "customers/frmcustdetail.h"
#include "customers/frmselectkh.h"
#include "platform/ui/windows.h"

namespace customers {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("frmCustDetail"), [] { return std::make_unique<FrmCustDetail>(); });
    ui::Windows::define(QStringLiteral("frmCustAdd"), [] { return std::make_unique<FrmCustAdd>(); });
    ui::Windows::define(QStringLiteral("frmSelectKH"), [] { return std::make_unique<FrmSelectKH>(); });
}

} // namespace customers
