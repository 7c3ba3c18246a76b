#include "pipeline/windows.h"

#include "pipeline/actionadd.h"
#include "pipeline/actiondetal.h"
#include "pipeline/serviceadd.h"
#include "pipeline/servicedetal.h"
#include "platform/ui/windows.h"

namespace pipeline {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("ActionAdd"), [] { return std::make_unique<ActionAdd>(); });
    ui::Windows::define(QStringLiteral("ActionDetal"), [] { return std::make_unique<ActionDetal>(); });
    ui::Windows::define(QStringLiteral("ServiceAdd"), [] { return std::make_unique<ServiceAdd>(); });
    ui::Windows::define(QStringLiteral("ServiceDetal"), [] { return std::make_unique<ServiceDetal>(); });
}

} // namespace pipeline
