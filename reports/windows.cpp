#include "reports/windows.h"

#include "platform/ui/windows.h"
#include "reports/analysalesgc.h"
#include "reports/analysalesqs.h"
#include "reports/datareport1.h"
#include "reports/datareport2.h"
#include "reports/repkc.h"
#include "reports/repsal.h"
#include "reports/repsalmx.h"

namespace reports {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("DataReport1"), [] { return std::make_unique<DataReport1>(); });
    ui::Windows::define(QStringLiteral("DataReport2"), [] { return std::make_unique<DataReport2>(); });
    ui::Windows::define(QStringLiteral("AnalySalesGc"), [] { return std::make_unique<AnalySalesGc>(); });
    ui::Windows::define(QStringLiteral("AnalySalesQs"), [] { return std::make_unique<AnalySalesQs>(); });
    ui::Windows::define(QStringLiteral("repSalMx"), [] { return std::make_unique<RepSalMx>(); });
    ui::Windows::define(QStringLiteral("repsal"), [] { return std::make_unique<RepSal>(); });
    ui::Windows::define(QStringLiteral("repKC"), [] { return std::make_unique<RepKC>(); });
}

} // namespace reports
