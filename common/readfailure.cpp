#include "common/readfailure.h"

namespace readfailure {

QString text(const db::Error& error)
{
    if (error.kind() == db::Error::Kind::Busy) return QString::fromUtf8(kBusyText);
    return QString::fromUtf8(kFailedText) + error.message();
}

} // namespace readfailure
