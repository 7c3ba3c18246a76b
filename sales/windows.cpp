#include "sales/windows.h"

#include "platform/ui/windows.h"
#include "sales/productmgr.h"

namespace sales {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("productmgr"), [] { return std::make_unique<ProductMgr>(); });
}

} // namespace sales
