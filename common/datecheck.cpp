#include "common/datecheck.h"

#include "platform/db/variant.h"

namespace datecheck {

QString refusal(const QString& caption, const QString& text)
{
    if (db::trimBlanks(text).isEmpty() || db::isDate(db::Variant(text))) return QString();
    return caption + QStringLiteral("不是一个合法的日期");
}

QString requiredRefusal(const QString& caption, const QString& text)
{
    if (db::trimBlanks(text).isEmpty()) return caption + QStringLiteral("不能为空");
    return refusal(caption, text);
}

} // namespace datecheck
