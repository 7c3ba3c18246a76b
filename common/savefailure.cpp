#include "common/savefailure.h"

namespace savefailure {

namespace {

QString worded(const QString& nothingChanged, const db::Error& error, Reason reason, const char* busyText)
{
    if (error.kind() == db::Error::Kind::Busy)
        return nothingChanged + (reason == Reason::Shown ? QString() : QStringLiteral("。")) + QString::fromUtf8(busyText);
    return reason == Reason::Shown ? nothingChanged + error.message() : nothingChanged;
}

} // namespace

QString text(const QString& nothingChanged, const db::Error& error, Reason reason)
{
    return worded(nothingChanged, error, reason, kBusyText);
}

QString changeText(const QString& nothingChanged, const QString& changedElsewhere, const db::Error& error)
{
    if (error.kind() == db::Error::Kind::Conflict) return changedElsewhere;
    return text(nothingChanged, error, Reason::Shown);
}

QString deleteText(const QString& nothingChanged, const db::Error& error, Reason reason)
{
    return worded(nothingChanged, error, reason, kBusyDeleteText);
}

} // namespace savefailure
