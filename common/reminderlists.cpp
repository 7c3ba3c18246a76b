#include "common/reminderlists.h"

#include "common/sqltext.h"
#include "platform/db/locale.h"

namespace reminderlists {

QString birthdaysSql(const QString& operatorName, const QDate& today)
{
    return QStringLiteral("select id,Connect_name from KH_LXR where LXR_CZZ=") + sqltext::quoted(operatorName)
        + QStringLiteral(" and alert='1' and Month(birthday)=") + QString::number(today.month())
        + QStringLiteral(" AND Day(birthday)=") + QString::number(today.day());
}

QString dueActivitiesSql(const QString& operatorName, const QDateTime& now)
{
    return QStringLiteral("select id,ActionTitle from KH_ACT where action_CZZ=") + sqltext::quoted(operatorName)
        + QStringLiteral(" and alert='1' and alerttime <=#") + db::locale::generalDate(now) + QLatin1Char('#');
}

} // namespace reminderlists
