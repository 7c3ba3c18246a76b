#pragma once
// The date range of the reports and analyses: from the start day's midnight
// up to, not including, the midnight after the end day, so every time of the
// end day counts and a row stamped at the next midnight belongs to the next
// range only.
#include <QDate>
#include <QString>

namespace daterange {

// " and <column> >= #start#"; "" when there is no start date.
QString startCondition(const QString& column, const QDate& start);
// " and <column> < #day after the end#"; "" when there is no end date.
QString endCondition(const QString& column, const QDate& end);
// Both conditions; db::Error when either date is missing, so a query built
// from an empty date fails as a whole.
QString both(const QString& column, const QDate& start, const QDate& end);

} // namespace daterange
