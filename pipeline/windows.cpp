#include "pipeline/windows.h"

#include "pipeline/actionadd.h"
#include "pipeline/actiondetal.h"
#include "pipeline/addchance.h"
#include "pipeline/becomeorder.h"
#include "pipeline/chancedetail.h"
#include "pipeline/serviceadd.h"
#include "pipeline/servicedetal.h"
#include "platform/ui/windows.h"

namespace pipeline {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("ActionAdd"), [] { return std::make_unique<ActionAdd>(); });
    ui::Windows::define(QStringLiteral("ActionDetal"), [] { return std::make_unique<ActionDetal>(); });
    ui::Windows::define(QStringLiteral("AddChance"), [] { return std::make_unique<AddChance>(); });
    ui::Windows::define(QStringLiteral("ChanceDetail"), [] { return std::make_unique<ChanceDetail>(); });
    ui::Windows::define(QStringLiteral("becomeOrder"), [] { return std::make_unique<BecomeOrder>(); });
    ui::Windows::define(QStringLiteral("ServiceAdd"), [] { return std::make_unique<ServiceAdd>(); });
    ui::Windows::define(QStringLiteral("ServiceDetal"), [] { return std::make_unique<ServiceDetal>(); });
}

} // namespace pipeline
