#include "reports/windows.h"

#include "platform/ui/windows.h"
#include "reports/datareport1.h"
#include "reports/datareport2.h"

namespace reports {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("DataReport1"), [] { return std::make_unique<DataReport1>(); });
    ui::Windows::define(QStringLiteral("DataReport2"), [] { return std::make_unique<DataReport2>(); });
}

} // namespace reports
