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
// Both conditions, for a report that walks most lines of its range: written
// so that the engine reads the lines in the table's order or another index's
// rather than through an index on the date, which would look each line up
// on its own.
QString scanned(const QString& column, const QDate& start, const QDate& end);

} // namespace daterange
