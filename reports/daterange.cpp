#include "reports/daterange.h"

#include "common/sqltext.h"
#include "platform/db/error.h"

namespace daterange {

QString startCondition(const QString& column, const QDate& start)
{
    if (!start.isValid()) return QString();
    return QStringLiteral(" and ") + column + QStringLiteral(" >= ") + sqltext::dateLiteral(start);
}

QString endCondition(const QString& column, const QDate& end)
{
    if (!end.isValid()) return QString();
    return QStringLiteral(" and ") + column + QStringLiteral(" < ") + sqltext::dateLiteral(end.addDays(1));
}

QString both(const QString& column, const QDate& start, const QDate& end)
{
    if (!start.isValid() || !end.isValid()) throw db::Error(QStringLiteral("日期非法"));
    return startCondition(column, start) + endCondition(column, end);
}

QString scanned(const QString& column, const QDate& start, const QDate& end)
{
    return both(QLatin1Char('+') + column, start, end);   // a column under "+" takes no index
}

} // namespace daterange
