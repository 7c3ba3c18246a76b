#include "common/savefailure.h"

namespace savefailure {

QString text(const QString& nothingChanged, const db::Error& error, Reason reason)
{
    if (error.kind() == db::Error::Kind::Busy)
        return nothingChanged + (reason == Reason::Shown ? QString() : QStringLiteral("。"))
            + QString::fromUtf8(kBusyText);
    return reason == Reason::Shown ? nothingChanged + error.message() : nothingChanged;
}

} // namespace savefailure
