#include "sms/windows.h"

#include "platform/ui/windows.h"
#include "sms/smscz.h"
#include "sms/smseditpas.h"
#include "sms/smssend.h"
#include "sms/smsset.h"

namespace sms {

void defineWindows()
{
    ui::Windows::define(QStringLiteral("SMSsend"), [] { return std::make_unique<SMSsend>(); });
    ui::Windows::define(QStringLiteral("SMSSet"), [] { return std::make_unique<SMSSet>(); });
    ui::Windows::define(QStringLiteral("SMSCZ"), [] { return std::make_unique<SMSCZ>(); });
    ui::Windows::define(QStringLiteral("SMSeditpas"), [] { return std::make_unique<SMSeditpas>(); });
}

} // namespace sms
